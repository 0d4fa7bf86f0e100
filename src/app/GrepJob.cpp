// The job's thread runs the grep; each result joins a pending batch, and only the result that finds the
// batch empty posts a call to the window's thread, which takes the whole batch at once.
#include "app/GrepJob.h"

#include <QMetaObject>

namespace brenvik {

TGrepJob::TGrepJob(std::shared_ptr<const TGrepMatcher> matcher, std::vector<std::string> roots, TGrepSettings settings,
    QObject* parent)
    : QObject(parent)
    , matcher_(std::move(matcher))
    , roots_(std::move(roots))
    , settings_(std::move(settings))
{
}

TGrepJob::~TGrepJob()
{
    cancel_ = true;
    if (thread_.joinable())
        thread_.join();
}

void TGrepJob::Start()
{
    running_ = true;
    thread_ = std::thread([this] {
        const TGrepTotals totals = RunGrep(roots_, *matcher_, settings_, *this, &cancel_);
        QMetaObject::invokeMethod(this, [this, totals] {
            Deliver();
            running_ = false;
            emit Finished(totals);
        }, Qt::QueuedConnection);
    });
}

void TGrepJob::Walked(std::size_t paths)
{
    QMetaObject::invokeMethod(this, [this, paths] { emit PathsWalked(qulonglong(paths)); }, Qt::QueuedConnection);
}

void TGrepJob::File(TGrepFile&& file)
{
    const std::lock_guard lock(mutex_);
    pending_.push_back(std::move(file));
    if (!posted_) {
        posted_ = true;
        QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::QueuedConnection);
    }
}

void TGrepJob::Deliver()
{
    std::vector<TGrepFile> batch;
    {
        const std::lock_guard lock(mutex_);
        batch.swap(pending_);
        posted_ = false;
    }
    if (!batch.empty())
        emit FilesArrived(batch);
}

} // namespace brenvik
