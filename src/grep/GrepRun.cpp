// The run: a list of the walk's paths, threads taking the next unsearched one, and the results handed on
// by whichever thread completes the run of done paths at the head of the list.
#include "grep/GrepRun.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <sys/resource.h>
#include <unistd.h>

namespace brenvik {

namespace {

// Linux gives each thread a nice value of its own; a window's thread keeps the default 0.
constexpr int kBackgroundNice = 4;

class TRun {
public:
    TRun(std::vector<TGrepFile> files, const TGrepMatcher& matcher, const TGrepSettings& settings,
        TGrepReport& report, const std::atomic<bool>* cancel, const TGrepReader& reader)
        : files_(std::move(files))
        , done_(files_.size(), false)
        , matcher_(matcher)
        , settings_(settings)
        , report_(report)
        , cancel_(cancel)
        , reader_(reader)
    {
    }

    TGrepTotals Run()
    {
        const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
        const std::size_t threads
            = std::min<std::size_t>(settings_.Threads ? settings_.Threads : processors, files_.size());
        std::vector<std::thread> helpers;
        for (std::size_t i = 1; i < threads; ++i)
            helpers.emplace_back([this] { Serve(); });
        Serve();
        for (std::thread& helper : helpers)
            helper.join();
        totals_.Cancelled = Cancelled();
        return totals_;
    }

private:
    bool Cancelled() const { return cancel_ && cancel_->load(std::memory_order_relaxed); }

    void Serve()
    {
        if (settings_.Background)
            ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kBackgroundNice);
        TReadBuffer buffer;
        std::string decoded;
        for (;;) {
            const std::size_t index = next_.fetch_add(1);
            if (index >= files_.size() || Cancelled())
                return;
            TGrepFile& file = files_[index];
            if (file.Outcome == TGrepFile::goSearched
                && reader_.Read(file.Path, settings_.MaxBytes, buffer, file))
                SearchFileBytes(buffer.View(), matcher_, settings_.Search, file, decoded, cancel_);
            Done(index);
        }
    }

    void Done(std::size_t index)
    {
        const std::lock_guard lock(mutex_);
        done_[index] = true;
        while (reported_ < files_.size() && done_[reported_] && !Cancelled()) {
            TGrepFile file = std::move(files_[reported_]);
            files_[reported_] = TGrepFile();
            ++reported_;
            Count(file);
            report_.File(std::move(file));
        }
    }

    void Count(const TGrepFile& file)
    {
        totals_.Files += file.Outcome == TGrepFile::goSearched;
        // A search stopped short (an expression too complex) did not do what was asked either.
        totals_.Failed += file.Outcome == TGrepFile::goFailed
            || (file.Outcome == TGrepFile::goSearched && !file.Message.empty());
        totals_.FilesWithHits += file.MatchedLines > 0;
        totals_.Lines += file.MatchedLines;
    }

    std::vector<TGrepFile> files_;
    std::vector<bool> done_;
    const TGrepMatcher& matcher_;
    const TGrepSettings& settings_;
    TGrepReport& report_;
    const std::atomic<bool>* cancel_;
    const TGrepReader& reader_;
    std::atomic<std::size_t> next_ {0};
    std::mutex mutex_;
    std::size_t reported_ = 0;
    TGrepTotals totals_;
};

} // namespace

TGrepTotals RunGrep(const std::vector<std::string>& roots, const TGrepMatcher& matcher,
    const TGrepSettings& settings, TGrepReport& report, const std::atomic<bool>* cancel, const TGrepReader& reader)
{
    std::vector<TGrepFile> files;
    WalkFiles(roots, settings.Walk, [&](TGrepFile&& file) { files.push_back(std::move(file)); }, cancel);
    report.Walked(files.size());
    return TRun(std::move(files), matcher, settings, report, cancel, reader).Run();
}

} // namespace brenvik
