// The "Option" section of the settings file: what the main window reads at start and writes
// at close.
#pragma once

#include "jcode/JCodeTypes.h"
#include "perlrun/RunOptions.h"

#include <QString>
#include <cstdint>

class QSettings;

namespace brenvik {

// Every value falls back to its default when its key is missing, malformed ("abc" is no
// Boolean and no number) or out of range, so a damaged settings file never leaves the window
// in a state the program cannot handle.
struct TMainOptions {
    bool WordWrapWindow = true;
    JCode DefaultJCode = jcSjis;  // 2 (JIS), 4 (EUC), 5 (Shift_JIS) or 7 (UTF-8, without the mark)
    RCode DefaultRCode = rcCrLf;  // 1 to 3
    bool SubRoutineSorted = false;
    bool VariableSorted = true;
    bool ArrangementSorted = true;
    bool AssocArrSorted = true;
    int SubRoutineDefaultMenu = 0;  // 0 to 4
    int VariableDefaultMenu = 0;    // 0 to 3
    int ArrangementDefaultMenu = 0; // 0 to 3
    int AssocArrDefaultMenu = 0;    // 0 to 3
    int KeyWordDefaultMenu = 2;     // 0 to 3
    std::uint32_t TabMarkColor = 0x808080;
    bool TabMarkVisible = true;
    std::uint32_t DBSpaceMarkColor = 0x808080;
    bool DBSpaceMarkVisible = true;
    int ListUpdate = 1;     // 0 to 2
    int ListDefaultSet = 2; // panel layout 0 to 3
    bool WheelOneRow = false; // a wheel notch scrolls one row instead of the desktop's lines
    int UndoLimit = 1000;     // undo steps kept, 64 to 100000
    TRunOptions Run;          // perl for the check and the CGI run
    // Unsaved text kept in a recovery file this many seconds after typing stops, and at the
    // latest every RecoveryLongest seconds while it goes on.
    bool Recovery = true;
    int RecoveryIdle = 2;     // 1 to 60
    int RecoveryLongest = 30; // 5 to 600
    // The previous version kept on every save: "NAME.bak" beside the file, or in BackupFolder.
    bool Backup = false;
    QString BackupFolder;

    // The version written at close; never read.
    static constexpr int Version = 300;

    // Reads the keys of group "Option" that are present and valid.
    void Read(QSettings& settings);
    // Writes every key of group "Option", "Version" included; Booleans as 1 and 0.
    void Write(QSettings& settings) const;

    friend bool operator==(const TMainOptions&, const TMainOptions&) = default;
};

} // namespace brenvik
