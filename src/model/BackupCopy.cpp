// Backups: copied block by block through a temporary file renamed over the last backup.
#include "model/BackupCopy.h"

#include "jcode/SystemReason.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

namespace brenvik {

QString BackupPath(const QString& fileName, const QString& folder, const QDateTime& at)
{
    const QFileInfo info(fileName);
    if (folder.isEmpty())
        return info.absoluteFilePath() + QStringLiteral(".bak");
    return folder + QLatin1Char('/') + info.fileName() + at.toString(QStringLiteral(".yyyyMMdd-HHmmss")) + QStringLiteral(".bak");
}

QString WriteBackup(const QString& fileName, const QString& folder, const QDateTime& at)
{
    if (!QFileInfo(fileName).isFile())
        return {};
    QFile source(fileName);
    errno = 0;
    if (!source.open(QIODevice::ReadOnly))
        return QString::fromStdString(SystemReason(errno, TFileAct::Read));
    if (!folder.isEmpty() && !QFileInfo(folder).isDir())
        return QStringLiteral("バックアップ先のフォルダがありません。");
    QSaveFile target(BackupPath(fileName, folder, at));
    errno = 0;
    // Unbuffered: a write cut short by a full disk says so at once, where a buffered one's flush
    // at commit would keep the part written.
    if (!target.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return QString::fromStdString(SystemReason(errno, TFileAct::Write, TFileThing::Folder));
    constexpr qint64 kBlock = 1 << 20;
    while (!source.atEnd()) {
        errno = 0;
        const QByteArray block = source.read(kBlock);
        if (block.isEmpty() && source.error() != QFileDevice::NoError)
            return QString::fromStdString(SystemReason(errno, TFileAct::Read));
        errno = 0;
        if (target.write(block) != block.size()) {
            const int error = errno;
            target.cancelWriting();
            return QString::fromStdString(SystemReason(error, TFileAct::Write));
        }
    }
    errno = 0;
    if (!target.commit())
        return QString::fromStdString(SystemReason(errno, TFileAct::Write));
    return {};
}

} // namespace brenvik
