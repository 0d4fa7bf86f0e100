// The program folder rule: next to the executable when it may be written, else per user.
#include "app/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace brenvik {

QString ProgramFolder()
{
    const QString overridden = qEnvironmentVariable("BRENVIK_HOME");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    const QString beside = QCoreApplication::applicationDirPath();
    if (!beside.isEmpty() && QFileInfo(beside).isWritable())
        return beside;
    const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(perUser);
    return perUser;
}

QString SettingsFileName()
{
    return ProgramFolder() + QStringLiteral("/brenvik.ini");
}

} // namespace brenvik
