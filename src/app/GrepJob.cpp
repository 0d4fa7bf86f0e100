// The job's thread runs the grep; each result joins a pending batch, and only the result that finds the
// batch empty posts a call to the window's thread, which takes the whole batch at once.
#include "app/GrepJob.h"

#include <QMetaObject>
#include <QTimer>

namespace brenvik {

namespace {

constexpr std::size_t kBatchFiles = 64;

} // namespace

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
        const std::lock_guard lock(mutex_);
        totals_ = totals;
        done_ = true;
        Post();
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
    Post();
}

void TGrepJob::Post()
{
    if (!posted_) {
        posted_ = true;
        QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::QueuedConnection);
    }
}

void TGrepJob::Deliver()
{
    std::vector<TGrepFile> batch;
    bool finished = false;
    TGrepTotals totals;
    {
        // A search thread holding the lock may have been put aside by the scheduler (it runs at a lower
        // priority): the window never waits for it, it comes back a moment later.
        const std::unique_lock lock(mutex_, std::try_to_lock);
        if (!lock.owns_lock()) {
            QTimer::singleShot(1, this, [this] { Deliver(); });
            return;
        }
        // A batch the list takes in a few milliseconds; the rest waits for the next call, so that input and
        // painting come in between.
        if (pending_.size() <= kBatchFiles) {
            batch.swap(pending_);
            posted_ = false;
        } else {
            batch.assign(std::make_move_iterator(pending_.begin()), std::make_move_iterator(pending_.begin() + kBatchFiles));
            pending_.erase(pending_.begin(), pending_.begin() + kBatchFiles);
            QMetaObject::invokeMethod(this, [this] { Deliver(); }, Qt::QueuedConnection);
        }
        finished = done_ && pending_.empty();
        totals = totals_;
    }
    if (!batch.empty())
        emit FilesArrived(batch);
    if (finished && running_) {
        running_ = false;
        emit Finished(totals);
    }
}

} // namespace brenvik
