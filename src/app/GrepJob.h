// A grep run off the user-interface thread: the run's results gathered as they come and handed to the window
// in batches through one queued call per batch, so that the event loop is never held for long.
#pragma once

#include "grep/GrepRun.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace brenvik {

class TGrepJob : public QObject, private TGrepReport {
    Q_OBJECT
public:
    TGrepJob(std::shared_ptr<const TGrepMatcher> matcher, std::vector<std::string> roots, TGrepSettings settings,
        QObject* parent = nullptr);
    // Cancels and waits for the thread (a cancelled run stops between matches).
    ~TGrepJob() override;

    void Start();
    void Cancel() { cancel_ = true; }
    bool Running() const { return running_; }

signals:
    // The number of paths the walk found.
    void PathsWalked(qulonglong paths);
    // The next results in the walk's order; called on the window's thread.
    void FilesArrived(const std::vector<brenvik::TGrepFile>& files);
    void Finished(const brenvik::TGrepTotals& totals);

private:
    void Walked(std::size_t paths) override;
    void File(TGrepFile&& file) override;
    // Asks for a Deliver on the window's thread unless one is on its way; under mutex_.
    void Post();
    // On the window's thread: takes what has gathered, a batch at a time, and tells the end after the last.
    void Deliver();

    std::shared_ptr<const TGrepMatcher> matcher_;
    std::vector<std::string> roots_;
    TGrepSettings settings_;
    std::atomic<bool> cancel_ {false};
    bool running_ = false;
    std::thread thread_;
    std::mutex mutex_;
    std::vector<TGrepFile> pending_;
    bool posted_ = false;
    bool done_ = false;
    TGrepTotals totals_;
};

} // namespace brenvik
