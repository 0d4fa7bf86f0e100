// The copy of a script's previous version kept before each save: "NAME.bak" beside the file, or
// "NAME.YYYYMMDD-HHMMSS.bak" in a chosen folder, so that a folder keeps every version.
#pragma once

#include <QDateTime>
#include <QString>

namespace brenvik {

// folder empty: beside the file.
QString BackupPath(const QString& fileName, const QString& folder, const QDateTime& at);
// Copies fileName as it is on disk to its backup, written whole or not at all. Empty on success
// or when there is nothing to keep (no file yet), else why not.
QString WriteBackup(const QString& fileName, const QString& folder, const QDateTime& at);

} // namespace brenvik
