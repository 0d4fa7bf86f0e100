// The program's command line: brenvik [--help] [--version] [+LINE[:COL]] [--recover RECOVERY-FILE] [--] [FILE...]
#pragma once

#include <BuildInfo.h>
#include <QStringList>

namespace brenvik {

struct TCommandLine {
    enum TAction { caRun, caHelp, caVersion, caUsageError };
    TAction Action = caRun;
    QStringList Files;   // as given; the window makes them absolute
    QString BadOption;   // for caUsageError
    // +LINE[:COL]: where the caret goes in the first file (from 1; 0 when not given).
    int GoLine = 0;
    int GoColumn = 0;
    QString Recover;     // a recovery file whose text another copy was asked to bring back
};

// Reads the arguments after the program name. Options stop at "--" or at the first file.
TCommandLine ParseCommandLine(const QStringList& arguments);

inline constexpr const char* kVersionText = "Brenvik " BRENVIK_VERSION;
// The usage text printed by --help and, with an error line before it, for an unknown option.
QString UsageText();

} // namespace brenvik
