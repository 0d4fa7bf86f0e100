// Keeps the window's document in a recovery file while it has unsaved changes: a moment after the
// user stops typing, and at the latest every so often while typing goes on, the text is copied on
// this thread and handed to the writer thread, which writes it. A save, a discarded change or
// another script in the window removes the file.
#pragma once

#include "model/DiskStamp.h"
#include "model/RecoveryStore.h"
#include "model/RecoveryWriter.h"

#include <QObject>
#include <QTimer>

#include <optional>

namespace brenvik {

class TScriptDocument;

class TRecoveryKeeper : public QObject {
public:
    TRecoveryKeeper(TScriptDocument& document, QObject* parent);

    // idleMs after the last edit, and at most maxMs after the first edit not yet written;
    // enabled false stops writing and removes the file.
    void SetTiming(bool enabled, int idleMs, int maxMs);
    // The file as the document last read or wrote it, written with the text.
    void SetDiskStamp(const std::optional<TDiskStamp>& stamp) { FStamp = stamp; }

    // The text changed.
    void Edited();
    // The document's text is what its file holds, or was given up: the recovery file goes.
    void Discard();
    // The document took the text of a recovery file renamed to OwnPath(): that is its file now.
    void Adopt(const QString& path);
    // Snapshot and hand over now, when the document is modified.
    void WriteNow();

    TRecoveryStore& Store() { return FStore; }
    TRecoveryWriter& Writer() { return FWriter; }
    // The file this process keeps the document in now.
    QString OwnPath() const;
    // Why the last write failed, once.
    QString TakeError() { return FWriter.TakeError(); }

private:
    TScriptDocument& FDocument;
    TRecoveryStore FStore;
    TRecoveryWriter FWriter;
    QTimer FIdle;
    QTimer FLongest;
    bool FEnabled = true;
    std::optional<TDiskStamp> FStamp;
    QString FWrittenPath; // the file written last; empty when none is kept
};

} // namespace brenvik
