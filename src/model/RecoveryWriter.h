// The thread that writes recovery files, so that typing never waits for the disk. The window
// hands it snapshots; a snapshot not yet written when a newer one comes is dropped, and a removal
// drops the writes queued before it, so a file removed after a save is never written again.
// The last snapshot written is kept as a spare for the next one to be copied into, also after a
// removal: copying into memory already in use costs the window's thread a plain copy, where fresh
// memory for a large text costs a page fault every 4 KB (measured: 2 against 6 to 12 ms for a
// million lines).
#pragma once

#include "model/RecoveryFile.h"

#include <QString>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <thread>

namespace brenvik {

class TRecoveryWriter {
public:
    TRecoveryWriter();
    // Finishes what was queued, then ends the thread.
    ~TRecoveryWriter();
    TRecoveryWriter(const TRecoveryWriter&) = delete;
    TRecoveryWriter& operator=(const TRecoveryWriter&) = delete;

    // Creates the folder when needed and writes snapshot to path, replacing what is there.
    void Write(const QString& path, std::shared_ptr<TRecoverySnapshot> snapshot);
    void Remove(const QString& path);
    // Makes memory for a snapshot of textBytes ready on the writer thread, when there is no spare.
    void Prepare(std::size_t textBytes);
    // The spare snapshot, when there is one; null otherwise.
    std::shared_ptr<TRecoverySnapshot> TakeSpare();
    // Until everything queued is done.
    void WaitIdle();
    // Something is queued or being written.
    bool Busy() const;
    // Files written so far.
    int Written() const;
    // Why the last write failed, once; empty when none failed since the last call.
    QString TakeError();

private:
    struct TJob {
        enum TKind { jkWrite, jkRemove, jkPrepare } Kind;
        QString Path;
        std::shared_ptr<TRecoverySnapshot> Snapshot; // jkWrite
        std::size_t Bytes = 0;                       // jkPrepare
    };
    void Run();

    mutable std::mutex FMutex;
    std::condition_variable FWake;
    std::condition_variable FIdle;
    std::deque<TJob> FJobs;
    bool FBusy = false;
    bool FStopping = false;
    int FWritten = 0;
    QString FError;
    std::shared_ptr<TRecoverySnapshot> FSpare;
    bool FPrepared = false;
    std::thread FThread;
};

} // namespace brenvik
