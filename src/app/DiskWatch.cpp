// The file watcher: notices and window activations both end in one look from the event loop.
#include "app/DiskWatch.h"

#include <QFileInfo>

namespace brenvik {

TDiskWatch::TDiskWatch(std::function<void()> onChange, QObject* parent)
    : QObject(parent)
{
    FSoon.setSingleShot(true);
    FSoon.setInterval(0);
    connect(&FSoon, &QTimer::timeout, this, [this, onChange = std::move(onChange)] {
        // A file replaced by a rename is no longer watched under its name: watch it again.
        Rewatch();
        onChange();
    });
    connect(&FWatcher, &QFileSystemWatcher::fileChanged, this, [this] { FSoon.start(); });
    connect(&FWatcher, &QFileSystemWatcher::directoryChanged, this, [this] { FSoon.start(); });
}

void TDiskWatch::Follow(const QString& fileName, const std::optional<TDiskStamp>& stamp)
{
    FFileName = fileName;
    FStamp = stamp;
    Rewatch();
}

void TDiskWatch::Rewatch()
{
    const QStringList watched = FWatcher.files() + FWatcher.directories();
    if (!watched.isEmpty())
        FWatcher.removePaths(watched);
    if (FFileName.isEmpty())
        return;
    // The folder too: a file deleted, or replaced by a rename, is told there.
    if (QFileInfo::exists(FFileName))
        FWatcher.addPath(FFileName);
    const QString folder = QFileInfo(FFileName).absolutePath();
    if (QFileInfo(folder).isDir())
        FWatcher.addPath(folder);
}

TDiskState TDiskWatch::State() const
{
    if (FFileName.isEmpty())
        return TDiskState::Same;
    if (FStamp)
        return CompareDiskStamp(FFileName, *FStamp);
    // Unknown to the document when it took the name: anything there now is another program's.
    if (QFileInfo(FFileName).isDir())
        return TDiskState::Folder;
    return TakeDiskStamp(FFileName) ? TDiskState::Changed : TDiskState::Missing;
}

void TDiskWatch::Acknowledge()
{
    FStamp = TakeDiskStamp(FFileName);
}

} // namespace brenvik
