// The recovery writer's queue and thread.
#include "model/RecoveryWriter.h"

#include "support/BlockBuffers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#include <unistd.h>

namespace brenvik {

TRecoveryWriter::TRecoveryWriter()
    : FThread([this] { Run(); })
{
}

TRecoveryWriter::~TRecoveryWriter()
{
    {
        const std::lock_guard lock(FMutex);
        FStopping = true;
    }
    FWake.notify_one();
    FThread.join();
}

void TRecoveryWriter::Write(const QString& path, std::shared_ptr<TRecoverySnapshot> snapshot)
{
    {
        const std::lock_guard lock(FMutex);
        FJobs.push_back({TJob::jkWrite, path, std::move(snapshot)});
    }
    FWake.notify_one();
}

void TRecoveryWriter::Remove(const QString& path)
{
    {
        const std::lock_guard lock(FMutex);
        FJobs.push_back({TJob::jkRemove, path, nullptr});
    }
    FWake.notify_one();
}

void TRecoveryWriter::Prepare(std::size_t textBytes)
{
    {
        const std::lock_guard lock(FMutex);
        if (FSpare || FPrepared)
            return;
        FPrepared = true;
        FJobs.push_back({TJob::jkPrepare, {}, nullptr, textBytes});
    }
    FWake.notify_one();
}

void TRecoveryWriter::WaitIdle()
{
    std::unique_lock lock(FMutex);
    FIdle.wait(lock, [this] { return FJobs.empty() && !FBusy; });
}

std::shared_ptr<TRecoverySnapshot> TRecoveryWriter::TakeSpare()
{
    const std::lock_guard lock(FMutex);
    return std::move(FSpare);
}

bool TRecoveryWriter::Busy() const
{
    const std::lock_guard lock(FMutex);
    return FBusy || !FJobs.empty();
}

int TRecoveryWriter::Written() const
{
    const std::lock_guard lock(FMutex);
    return FWritten;
}

QString TRecoveryWriter::TakeError()
{
    const std::lock_guard lock(FMutex);
    return std::exchange(FError, QString());
}

void TRecoveryWriter::Run()
{
    // A background job: woken, it does not preempt the window's thread (SCHED_BATCH), and on a
    // busy machine it yields to it (nice 10). Measured: without this, handing a snapshot over
    // took as long as a whole write whenever the cores were all in use.
    const sched_param batch {};
    pthread_setschedparam(pthread_self(), SCHED_BATCH, &batch);
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    std::unique_lock lock(FMutex);
    for (;;) {
        FWake.wait(lock, [this] { return FStopping || !FJobs.empty(); });
        if (FJobs.empty())
            return;
        TJob job = std::move(FJobs.front());
        FJobs.pop_front();
        // A later write (the document has one recovery file at a time) or a removal of the same
        // file makes this write stale.
        const bool stale = job.Kind == TJob::jkWrite && std::any_of(FJobs.begin(), FJobs.end(), [&](const TJob& later) {
            return later.Kind == TJob::jkWrite || (later.Kind == TJob::jkRemove && later.Path == job.Path);
        });
        FBusy = true;
        lock.unlock();
        const bool write = job.Kind == TJob::jkWrite && !stale;
        QString error;
        if (write) {
            QDir().mkpath(QFileInfo(job.Path).absolutePath());
            error = WriteRecoveryFile(job.Path, *job.Snapshot);
        } else if (job.Kind == TJob::jkRemove) {
            QFile::remove(job.Path);
        } else if (job.Kind == TJob::jkPrepare) {
            // The rows' buffers hold their text with room to grow: half as much again.
            PrepareBlockBuffers(job.Bytes + job.Bytes / 2);
        }
        // The spare that was is freed here, off the window's thread.
        std::shared_ptr<TRecoverySnapshot> freed;
        lock.lock();
        if (job.Snapshot)
            freed = std::exchange(FSpare, std::move(job.Snapshot));
        lock.unlock();
        freed.reset();
        lock.lock();
        FBusy = false;
        if (!error.isEmpty())
            FError = error;
        else if (write)
            ++FWritten;
        if (FJobs.empty())
            FIdle.notify_all();
    }
}

} // namespace brenvik
