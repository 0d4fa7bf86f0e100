// The recovery timers and the hand-over of snapshots.
#include "app/RecoveryKeeper.h"

#include "model/ScriptDocument.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>

namespace brenvik {

TRecoveryKeeper::TRecoveryKeeper(TScriptDocument& document, QObject* parent)
    : QObject(parent)
    , FDocument(document)
{
    FIdle.setSingleShot(true);
    FLongest.setSingleShot(true);
    connect(&FIdle, &QTimer::timeout, this, [this] { WriteNow(); });
    connect(&FLongest, &QTimer::timeout, this, [this] { WriteNow(); });
    SetTiming(true, 2000, 30000);
}

void TRecoveryKeeper::SetTiming(bool enabled, int idleMs, int maxMs)
{
    FEnabled = enabled;
    FIdle.setInterval(idleMs);
    FLongest.setInterval(maxMs);
    if (!enabled) {
        FIdle.stop();
        FLongest.stop();
        Discard();
    }
}

void TRecoveryKeeper::Edited()
{
    // A load or a save changes the text or its state too; only unsaved text is kept, and only then is
    // the memory for its copy taken.
    if (!FEnabled || !FDocument.Model().Modified())
        return;
    // Before the first snapshot, the memory it will be copied into is made ready off this thread.
    if (!FIdle.isActive() && !FLongest.isActive())
        FWriter.Prepare(FDocument.Model().Rows().TextLength());
    FIdle.start();
    if (!FLongest.isActive())
        FLongest.start();
}

void TRecoveryKeeper::Discard()
{
    FIdle.stop();
    FLongest.stop();
    if (!FWrittenPath.isEmpty())
        FWriter.Remove(std::exchange(FWrittenPath, QString()));
}

void TRecoveryKeeper::Adopt(const QString& path)
{
    Discard();
    FWrittenPath = path;
}

QString TRecoveryKeeper::OwnPath() const
{
    return FStore.OwnPath(FDocument.FileName());
}

void TRecoveryKeeper::WriteNow()
{
    FIdle.stop();
    FLongest.stop();
    if (!FEnabled || !FDocument.Model().Modified())
        return;
    // One snapshot in flight at a time: a second would be dropped unwritten, and would find no
    // spare to be copied into.
    if (FWriter.Busy()) {
        FIdle.start(std::min(FIdle.interval(), 100));
        return;
    }
    std::shared_ptr<TRecoverySnapshot> snapshot = FDocument.Snapshot(FWriter.TakeSpare());
    snapshot->Header.Stamp = FStamp;
    snapshot->Header.Written = QDateTime::currentDateTime();
    const QString path = OwnPath();
    // A Save As under another name leaves the file of the old name behind.
    if (!FWrittenPath.isEmpty() && FWrittenPath != path)
        FWriter.Remove(FWrittenPath);
    FWrittenPath = path;
    FWriter.Write(path, std::move(snapshot));
}

} // namespace brenvik
