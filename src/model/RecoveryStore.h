// The folder of recovery files and their names: one file per document and process, named after
// the document's file (or "新規文章") and the process, so that two running copies never write to
// or take each other's file. An orphan is a file whose process is gone.
#pragma once

#include "model/RecoveryFile.h"

#include <QString>
#include <vector>

namespace brenvik {

struct TRecoveryEntry {
    QString Path;
    TRecoveryHeader Header;
};

class TRecoveryStore {
public:
    // $XDG_STATE_HOME/brenvik/recovery, by default ~/.local/state/brenvik/recovery.
    static QString DefaultFolder();

    explicit TRecoveryStore(QString folder = DefaultFolder());
    const QString& Folder() const { return FFolder; }

    // The file this process keeps the text of a document of fileName in (empty: a new document).
    QString OwnPath(const QString& fileName) const;
    // Recovery files whose process is gone, oldest first; only those of fileName when given.
    std::vector<TRecoveryEntry> Orphans(const QString& fileName = QString()) const;
    // Renames an orphan to ownPath, making it this process's; false when another process took it
    // first (or it went otherwise).
    static bool Claim(const TRecoveryEntry& orphan, const QString& ownPath);

private:
    QString FFolder;
};

} // namespace brenvik
