// The rebuild of the explorer's name lists: one pass over the logical lines.
#include "model/ExplorerNames.h"

#include "highlight/FountainParser.h"
#include "highlight/PERLFountain.h"
#include "highlight/PERLFountainParser.h"
#include "text/EditorScreenStrings.h"

#include <QCollator>
#include <QString>

#include <algorithm>
#include <chrono>
#include <numeric>

namespace brenvik {

void SortNames(std::vector<std::string>& names, const QLocale& locale)
{
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseSensitive);
    // Names are ASCII by the tokenizer's rules; Latin-1 reads them byte for byte regardless.
    std::vector<QCollatorSortKey> keys;
    keys.reserve(names.size());
    for (const std::string& name : names)
        keys.push_back(collator.sortKey(QString::fromLatin1(name.data(), qsizetype(name.size()))));
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), size_t {0});
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        const int byKey = keys[a].compare(keys[b]);
        return byKey != 0 ? byKey < 0 : names[a] < names[b];
    });
    std::vector<std::string> sorted;
    sorted.reserve(names.size());
    for (size_t index : order)
        sorted.push_back(std::move(names[index]));
    names = std::move(sorted);
}

void TNameSet::Add(std::string_view name)
{
    if (FSeen.find(name) != FSeen.end())
        return;
    FSeen.emplace(name);
    FOrder.emplace_back(name);
}

std::vector<std::string> TNameSet::Take()
{
    FSeen.clear();
    return std::move(FOrder);
}

TExplorerBuild::TExplorerBuild(const TEditorScreenStrings& rows, TFountain* fountain,
    const TExplorerSorted& sorted, TExplorerStates* states)
    : FLines(rows)
    , FSorted(sorted)
    , FStates(states)
{
    if (dynamic_cast<TPERLFountain*>(fountain)) {
        auto parser = std::make_unique<TPERLFountainParser>(static_cast<TPERLFountain*>(fountain));
        // Names found only inside double-quoted strings are not listed; go-to-use finds them there.
        parser->VariablesInDoubleQuotes = false;
        FParser = std::move(parser);
        FParser->UseContexts(rows.Contexts());
    }
    if (FStates) {
        FStates->FollowContexts(rows.Contexts());
        FStates->InvalidateFrom(0);
    }
}

TExplorerBuild::~TExplorerBuild() = default;

bool TExplorerBuild::Done() const
{
    return !FParser || FRow >= FLines.Rows().Count();
}

bool TExplorerBuild::RunFor(std::int64_t microseconds)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + std::chrono::microseconds(microseconds);
    // The clock is read once per batch of lines: reading it costs more than a short line.
    constexpr int kBatch = 64;
    const int count = FLines.Rows().Count();
    while (!Done()) {
        for (int i = 0; i < kBatch && FRow < count; ++i) {
            if (FStates)
                FStates->Append(FState);
            int next = FRow;
            const std::string_view text = FLines.LineAt(FRow, next);
            FParser->BeginRow(text, FState);
            for (int kind; (kind = FParser->ReadToken()) != 0;) {
                int list = -1;
                switch (kind) {
                case tkScalar:
                    list = elVariable;
                    break;
                case tkArray:
                    list = elArrangement;
                    break;
                case tkHash:
                    list = elAssocArr;
                    break;
                case tkSubRoutine:
                    FSets[elSubRoutine].Add(FParser->TokenView());
                    continue;
                default:
                    continue;
                }
                FSets[size_t(list)].Add(FParser->TokenView().substr(1));
            }
            FState = FParser->LineEndState();
            FRow = next;
            ++FLine;
        }
        if (microseconds >= 0 && Clock::now() >= deadline)
            break;
    }
    return Done();
}

TExplorerNames TExplorerBuild::TakeNames()
{
    TExplorerNames names;
    for (int list = 0; list < kExplorerListCount; ++list) {
        names[size_t(list)] = FSets[size_t(list)].Take();
        if (FSorted[size_t(list)])
            SortNames(names[size_t(list)]);
    }
    return names;
}

TExplorerNames BuildExplorerNames(const TEditorScreenStrings& rows, TFountain* fountain,
    const TExplorerSorted& sorted, TExplorerStates* states)
{
    TExplorerBuild build(rows, fountain, sorted, states);
    build.Run();
    return build.TakeNames();
}

} // namespace brenvik
