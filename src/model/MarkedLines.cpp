// Marked lines: kept sorted per kind, moved by the line edits the row list reports.
#include "model/MarkedLines.h"

#include "text/EditorScreenStrings.h"

#include <algorithm>
#include <limits>

namespace brenvik {

namespace {

// The lines of a text of whole lines, CR LF after each line with a break.
std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find("\r\n");
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 2);
    }
    return lines;
}

} // namespace

TMarkedLines::~TMarkedLines()
{
    Attach(nullptr);
}

void TMarkedLines::Attach(TEditorScreenStrings* rows)
{
    if (rows == FRows)
        return;
    if (FRows)
        FRows->RemoveLineListener(this);
    FRows = rows;
    if (FRows)
        FRows->AddLineListener(this);
}

void TMarkedLines::SetLines(TMarkKind kind, std::vector<int> lines)
{
    const int limit = FRows ? FRows->LineCount() : std::numeric_limits<int>::max();
    std::erase_if(lines, [limit](int line) { return line < 0 || line >= limit; });
    std::sort(lines.begin(), lines.end());
    lines.erase(std::unique(lines.begin(), lines.end()), lines.end());
    std::vector<int>& kept = FLines[Index(kind)];
    if (lines == kept)
        return;
    kept = std::move(lines);
    Changed();
}

bool TMarkedLines::Has(TMarkKind kind, int line) const
{
    return std::binary_search(Lines(kind).begin(), Lines(kind).end(), line);
}

bool TMarkedLines::Toggle(TMarkKind kind, int line)
{
    std::vector<int>& lines = FLines[Index(kind)];
    const auto place = std::lower_bound(lines.begin(), lines.end(), line);
    const bool marked = place == lines.end() || *place != line;
    if (marked)
        lines.insert(place, line);
    else
        lines.erase(place);
    Changed();
    return marked;
}

void TMarkedLines::Clear(TMarkKind kind)
{
    if (FLines[Index(kind)].empty())
        return;
    FLines[Index(kind)].clear();
    Changed();
}

unsigned TMarkedLines::KindsAt(int line) const
{
    unsigned kinds = 0;
    for (int kind = 0; kind < kMarkKindCount; ++kind)
        if (Has(TMarkKind(kind), line))
            kinds |= 1u << kind;
    return kinds;
}

bool TMarkedLines::Empty() const
{
    return std::all_of(
        FLines.begin(), FLines.end(), [](const std::vector<int>& lines) { return lines.empty(); });
}

std::optional<int> TMarkedLines::Next(TMarkKind kind, int line) const
{
    const std::vector<int>& lines = Lines(kind);
    if (lines.empty())
        return std::nullopt;
    const auto after = std::upper_bound(lines.begin(), lines.end(), line);
    return after != lines.end() ? *after : lines.front();
}

std::optional<int> TMarkedLines::Previous(TMarkKind kind, int line) const
{
    const std::vector<int>& lines = Lines(kind);
    if (lines.empty())
        return std::nullopt;
    const auto at = std::lower_bound(lines.begin(), lines.end(), line);
    return at != lines.begin() ? *std::prev(at) : lines.back();
}

void TMarkedLines::LinesReplaced(int first, std::string_view before, std::string_view after)
{
    if (Empty())
        return;
    const std::vector<std::string_view> old = SplitLines(before);
    const std::vector<std::string_view> fresh = SplitLines(after);
    const int oldCount = int(old.size());
    const int newCount = int(fresh.size());
    // Lines equal at the head and the tail of both texts are the same lines, unmoved or moved
    // as a block; only the lines between them were edited, taken out or put in.
    int head = 0;
    while (head < oldCount && head < newCount && old[size_t(head)] == fresh[size_t(head)])
        ++head;
    int tail = 0;
    while (tail < oldCount - head && tail < newCount - head
        && old[size_t(oldCount - 1 - tail)] == fresh[size_t(newCount - 1 - tail)])
        ++tail;
    const int changedFrom = first + head;
    const int changedEnd = first + oldCount - tail; // old lines [changedFrom, changedEnd) changed
    // The first changed line stays, edited, when new lines stand in its place; the rest went.
    const bool firstKept = oldCount - tail > head && newCount - tail > head;
    const int shift = newCount - oldCount;
    for (std::vector<int>& lines : FLines) {
        auto from = std::lower_bound(lines.begin(), lines.end(), changedFrom);
        if (from == lines.end())
            continue;
        if (firstKept && *from == changedFrom)
            ++from;
        auto end = std::lower_bound(from, lines.end(), changedEnd);
        for (auto moved = end; moved != lines.end(); ++moved)
            *moved += shift;
        lines.erase(from, end);
    }
}

void TMarkedLines::TextReplaced()
{
    for (std::vector<int>& lines : FLines)
        lines.clear();
}

void TMarkedLines::Changed()
{
    if (OnChange)
        OnChange();
}

} // namespace brenvik
