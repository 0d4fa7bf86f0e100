// Seeding the per-user program folder of an installed copy from the data installed with it.
#include "app/ProgramSeed.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace brenvik {

namespace {

// The copies belong to the user, who may edit the phrases, whatever the installed files allow.
constexpr QFile::Permissions kCopiedFile = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;

QString CannotMake(const QString& folder)
{
    return QStringLiteral("フォルダ「%1」を作れません。").arg(folder);
}

// Copies the tree under source into the existing folder target; the first failure, if any.
QString CopyTree(const QString& source, const QString& target)
{
    const QDir sourceDir(source);
    QDirIterator entries(source, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
        QDirIterator::Subdirectories);
    while (entries.hasNext()) {
        entries.next();
        const QFileInfo entry = entries.fileInfo();
        const QString copy = target + QLatin1Char('/') + sourceDir.relativeFilePath(entry.filePath());
        if (entry.isDir()) {
            if (!QDir().mkpath(copy))
                return CannotMake(copy);
            continue;
        }
        QFile file(entry.filePath());
        if (!file.copy(copy))
            return QStringLiteral("「%1」を「%2」にコピーできません: %3").arg(entry.filePath(), copy, file.errorString());
        QFile::setPermissions(copy, kCopiedFile);
    }
    return {};
}

QString SeedFolder(const QString& programFolder, const QString& sharedFolder, const QString& name)
{
    const QString source = sharedFolder + QLatin1Char('/') + name;
    const QString target = programFolder + QLatin1Char('/') + name;
    if (!QFileInfo(source).isDir() || QFileInfo::exists(target))
        return {};
    QDir folder(programFolder);
    const QString staging
        = QStringLiteral(".%1.seeding-%2").arg(name).arg(QCoreApplication::applicationPid());
    QDir(folder.filePath(staging)).removeRecursively();
    QString failure;
    if (!folder.mkpath(staging))
        failure = CannotMake(folder.filePath(staging));
    else
        failure = CopyTree(source, folder.filePath(staging));
    // A copy running at the same moment may have put its folder in place first: that one stays.
    if (failure.isEmpty() && !folder.rename(staging, name) && !QFileInfo::exists(target))
        failure = QStringLiteral("「%1」を「%2」にできません。").arg(folder.filePath(staging), target);
    QDir(folder.filePath(staging)).removeRecursively();
    if (failure.isEmpty())
        return {};
    return QStringLiteral("定型文フォルダ「%1」を用意できませんでした。\n%2").arg(target, failure);
}

} // namespace

QStringList SeedProgramFolder(const QString& programFolder, const QString& sharedFolder)
{
    QStringList failures;
    if (sharedFolder.isEmpty())
        return failures;
    for (const QString& name : kSeededFolders) {
        const QString failure = SeedFolder(programFolder, sharedFolder, name);
        if (!failure.isEmpty())
            failures.append(failure);
    }
    return failures;
}

} // namespace brenvik
