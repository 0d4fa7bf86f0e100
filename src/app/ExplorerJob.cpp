// The sliced rebuild.
#include "app/ExplorerJob.h"

namespace brenvik {

TExplorerJob::TExplorerJob(std::function<TSource()> source,
    std::function<void(TExplorerNames, TExplorerStates)> done, QObject* parent)
    : QObject(parent)
    , FSource(std::move(source))
    , FDone(std::move(done))
{
    FQuiet.setSingleShot(true);
    FQuiet.setInterval(kQuietMs);
    connect(&FQuiet, &QTimer::timeout, this, [this] { Begin(); });
    // A zero interval runs a slice whenever the event queue is empty: input comes first.
    FSlice.setInterval(0);
    connect(&FSlice, &QTimer::timeout, this, [this] { Slice(); });
}

TExplorerJob::~TExplorerJob() = default;

bool TExplorerJob::Active() const
{
    return FQuiet.isActive() || FSlice.isActive();
}

void TExplorerJob::StartQuiet()
{
    Cancel();
    FQuiet.start();
}

void TExplorerJob::StartNow()
{
    Cancel();
    Begin();
}

void TExplorerJob::TextChanged()
{
    if (FSlice.isActive())
        StartNow();
    else if (FQuiet.isActive())
        StartQuiet();
}

void TExplorerJob::Cancel()
{
    FQuiet.stop();
    FSlice.stop();
    FBuild.reset();
    FStates.reset();
}

void TExplorerJob::Begin()
{
    const TSource source = FSource();
    if (!source.Rows)
        return;
    FStates = std::make_unique<TExplorerStates>();
    FBuild = std::make_unique<TExplorerBuild>(*source.Rows, source.Fountain, source.Sorted, FStates.get());
    FSlice.start();
}

void TExplorerJob::Slice()
{
    if (!FBuild || !FBuild->RunFor(kSliceUs))
        return;
    FSlice.stop();
    TExplorerNames names = FBuild->TakeNames();
    TExplorerStates states = std::move(*FStates);
    FBuild.reset();
    FStates.reset();
    FDone(std::move(names), std::move(states));
}

} // namespace brenvik
