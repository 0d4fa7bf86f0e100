// The program folder rule: next to the executable when it may be written, else per user.
#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace brenvik {

QString ProgramFolder()
{
    return ProgramFolderOf(QCoreApplication::applicationDirPath());
}

QString ProgramFolderOf(const QString& executableFolder)
{
    const QString overridden = qEnvironmentVariable("BRENVIK_HOME");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    // An installed copy is shared and replaced by updates, so it writes per user even where it
    // could write beside itself (run as root, or installed under the home folder).
    if (!executableFolder.isEmpty() && SharedDataFolderOf(executableFolder).isEmpty()
        && QFileInfo(executableFolder).isWritable())
        return executableFolder;
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(perUser);
    return perUser;
}

QString SettingsFileName()
{
    return ProgramFolder() + QStringLiteral("/brenvik.ini");
}

QString SharedDataFolder()
{
    return SharedDataFolderOf(QCoreApplication::applicationDirPath());
}

QString SharedDataFolderOf(const QString& executableFolder)
{
    // Found from the executable's own place, never from a path compiled in, so a moved install
    // still finds its data.
    if (executableFolder.isEmpty())
        return {};
    const QString shared = QDir::cleanPath(executableFolder + QStringLiteral("/../share/brenvik"));
    return QFileInfo(shared).isDir() ? shared : QString();
}

} // namespace brenvik
