// Disk stamps: two reads of one block each, so taking one costs the same for any size of file.
#include "model/DiskStamp.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <algorithm>

namespace brenvik {

namespace {

// FNV-1a, 64 bits: enough to tell a changed block, and needs no library.
quint64 Fnv(const QByteArray& bytes, quint64 hash)
{
    for (const char byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 0x100000001B3ULL;
    }
    return hash;
}

} // namespace

std::optional<TDiskStamp> TakeDiskStamp(const QString& fileName)
{
    const QFileInfo info(fileName);
    if (!info.isFile())
        return std::nullopt;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    TDiskStamp stamp {file.size(), info.lastModified().toMSecsSinceEpoch(), 0xCBF29CE484222325ULL};
    stamp.Hash = Fnv(file.read(kDiskStampBlock), stamp.Hash);
    if (stamp.Size > kDiskStampBlock && file.seek(std::max(kDiskStampBlock, stamp.Size - kDiskStampBlock)))
        stamp.Hash = Fnv(file.read(kDiskStampBlock), stamp.Hash);
    return stamp;
}

TDiskState CompareDiskStamp(const QString& fileName, const TDiskStamp& stamp)
{
    if (QFileInfo(fileName).isDir())
        return TDiskState::Folder;
    const std::optional<TDiskStamp> now = TakeDiskStamp(fileName);
    if (!now)
        return TDiskState::Missing;
    return *now == stamp ? TDiskState::Same : TDiskState::Changed;
}

QString DiskStampText(const TDiskStamp& stamp)
{
    return QStringLiteral("%1 %2 %3").arg(stamp.Size).arg(stamp.ModifiedMs).arg(stamp.Hash, 16, 16, QLatin1Char('0'));
}

std::optional<TDiskStamp> ParseDiskStamp(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(' '));
    if (parts.size() != 3)
        return std::nullopt;
    bool sizeOk = false, timeOk = false, hashOk = false;
    const TDiskStamp stamp {parts[0].toLongLong(&sizeOk), parts[1].toLongLong(&timeOk), parts[2].toULongLong(&hashOk, 16)};
    if (!sizeOk || !timeOk || !hashOk)
        return std::nullopt;
    return stamp;
}

} // namespace brenvik
