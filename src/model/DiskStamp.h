// What a file on disk looked like when the document last read or wrote it, to tell whether another
// program changed it since: size, modification time and a hash of its first and last blocks (a
// tool that keeps the time, or a change within the same second, still changes a hash or the size).
#pragma once

#include <QString>
#include <optional>

namespace brenvik {

struct TDiskStamp {
    qint64 Size = 0;
    qint64 ModifiedMs = 0; // milliseconds since the epoch
    quint64 Hash = 0;      // of the first and last kDiskStampBlock bytes

    friend bool operator==(const TDiskStamp&, const TDiskStamp&) = default;
};

inline constexpr qint64 kDiskStampBlock = 4096;

// The stamp of the file now; none when it is missing, unreadable or not a plain file.
std::optional<TDiskStamp> TakeDiskStamp(const QString& fileName);

// How the file stands against the stamp taken when the document last read or wrote it.
enum class TDiskState { Same, Changed, Missing, Folder };
TDiskState CompareDiskStamp(const QString& fileName, const TDiskStamp& stamp);

// "size ms hash" in a line of text, and back; none for a malformed line.
QString DiskStampText(const TDiskStamp& stamp);
std::optional<TDiskStamp> ParseDiskStamp(const QString& text);

} // namespace brenvik
