// What "perl -c" printed, as a list: each message with the file and line it is about, the
// private copy's name shown as the script's, and the summary told in the status bar.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/JCodeTypes.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace brenvik {

struct TPerlMessage {
    QString Text;      // perl's own words, continuation lines joined by "\n"
    QString File;      // the file named by "at FILE line N"; empty when none
    int Line = 0;      // from 1; 0 when the message names no line
    bool InScript = false; // about the script itself (not a library it loads)
    bool Trailer = false;  // "syntax OK", "had compilation errors", "BEGIN failed": a consequence, not counted
};

struct TCheckReport {
    std::vector<TPerlMessage> Messages;
    bool SyntaxOk = false;
    // Messages other than trailers: errors when the check failed, warnings when it passed.
    int Counted() const;
    // "構文OK", "構文OK (警告 N 件)" or "構文エラー N 件".
    QString Summary() const;
};

// Where the names in perl's output come from and how its bytes read.
struct TMessageSource {
    QByteArray CopyPath;  // the private copy perl was given, as perl prints it
    QString ScriptName;   // what the copy is shown as
    JCode Code = jcSjis;  // the script's code: quoted source ("near ...") is in it
    const TDocumentChars* Chars = nullptr;
};

// perl's standard error as text, the copy's name replaced by the script's.
QString DecodeMessages(const QByteArray& errors, const TMessageSource& source);

// The messages of a check whose perl exited with exitCode.
TCheckReport ParseCheckMessages(const QByteArray& errors, const TMessageSource& source, int exitCode);

} // namespace brenvik
