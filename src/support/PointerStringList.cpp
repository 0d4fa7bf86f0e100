// Block storage of the three-slot string list.
#include "support/PointerStringList.h"

#include <algorithm>
#include <cassert>
#include <stdexcept>
#include <utility>

namespace brenvik {

namespace {
// A block is split past these sizes (rows and bytes) and merged into its neighbour when both
// are small; an edit then moves at most a few tens of kilobytes.
constexpr int kMaxRows = 1024;
constexpr std::size_t kMaxBytes = 32 * 1024;
} // namespace

void TPointerStringList::CheckRange(bool inside, int index)
{
    if (!inside) [[unlikely]]
        throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
}

TPointerStringList::Place TPointerStringList::Locate(int index) const
{
    CheckRange(index >= 0 && index < FCount, index);
    int hint = FHint;
    if (hint < static_cast<int>(FBlocks.size()) && FStarts[hint] <= index
        && index < FStarts[hint] + FBlocks[hint].Rows())
        return {hint, index - FStarts[hint]};
    if (hint + 1 < static_cast<int>(FBlocks.size()) && FStarts[hint + 1] <= index
        && index < FStarts[hint + 1] + FBlocks[hint + 1].Rows()) {
        FHint = hint + 1;
        return {hint + 1, index - FStarts[hint + 1]};
    }
    auto it = std::upper_bound(FStarts.begin(), FStarts.end(), index);
    int block = static_cast<int>(it - FStarts.begin()) - 1;
    FHint = block;
    return {block, index - FStarts[block]};
}

void TPointerStringList::RecountFrom(int block)
{
    FTallyKnown = std::min(FTallyKnown, block);
    FStarts.resize(FBlocks.size());
    int start = block == 0 ? 0 : FStarts[block - 1] + FBlocks[block - 1].Rows();
    for (int b = block; b < static_cast<int>(FBlocks.size()); ++b) {
        FStarts[b] = start;
        start += FBlocks[b].Rows();
    }
    FCount = start;
}

std::string_view TPointerStringList::Strings(int index) const
{
    Place place = Locate(index);
    return FBlocks[place.Block].Text(place.Local);
}

std::size_t TPointerStringList::Length(int index) const
{
    Place place = Locate(index);
    const Block& block = FBlocks[place.Block];
    return block.Ends[place.Local] - block.Start(place.Local);
}

void TPointerStringList::SetStrings(int index, std::string_view text)
{
    Place place = Locate(index);
    Block& block = FBlocks[place.Block];
    std::size_t start = block.Start(place.Local);
    std::size_t oldLength = block.Ends[place.Local] - start;
    block.Bytes.replace(start, oldLength, text);
    auto delta = static_cast<std::uint32_t>(text.size() - oldLength); // wraps for shrinking: modular
    for (int local = place.Local; local < block.Rows(); ++local)
        block.Ends[local] += delta;
    FTextLength = FTextLength - oldLength + text.size();
    SplitIfFull(place.Block);
}

std::uint32_t TPointerStringList::Slot(int index, int slot) const
{
    CheckRange(slot >= 0 && slot < SlotCount, slot);
    Place place = Locate(index);
    return FBlocks[place.Block].SlotAt(place.Local, slot);
}

void TPointerStringList::SetSlot(int index, int slot, std::uint32_t value)
{
    CheckRange(slot >= 0 && slot < SlotCount, slot);
    SetSlotAt(Locate(index), slot, value);
}

void TPointerStringList::SetSlotAt(Place place, int slot, std::uint32_t value)
{
    std::vector<std::uint32_t>& values = FBlocks[place.Block].Slots[slot];
    if (values.empty()) {
        if (value == 0)
            return;
        values.assign(FBlocks[place.Block].Ends.size(), 0);
    }
    if (slot == FTally.Slot && FTally.Counts(values[place.Local]) != FTally.Counts(value))
        Retally(place.Block, FTally.Counts(value) ? 1 : -1);
    values[place.Local] = value;
}

TPointerStringList::TRowCursor TPointerStringList::Cursor(int index)
{
    return TRowCursor(*this, Locate(index), index);
}

void TPointerStringList::Touch(int block)
{
    FBlocks[block].Tally = -1;
    FTallyKnown = std::min(FTallyKnown, block + 1);
}

void TPointerStringList::Retally(int block, int delta)
{
    if (FBlocks[block].Tally >= 0)
        FBlocks[block].Tally += delta;
    FTallyKnown = std::min(FTallyKnown, block + 1);
}

int TPointerStringList::BlockTally(const Block& block) const
{
    if (block.Tally < 0) {
        const std::vector<std::uint32_t>& values = block.Slots[FTally.Slot];
        block.Tally = values.empty()
            ? (FTally.Counts(0) ? block.Rows() : 0)
            : static_cast<int>(std::count_if(
                values.begin(), values.end(), [this](std::uint32_t value) { return FTally.Counts(value); }));
    }
    return block.Tally;
}

void TPointerStringList::KnowTallyUpTo(int block) const
{
    if (block < FTallyKnown)
        return;
    FTallyStarts.resize(FBlocks.size());
    for (int b = FTallyKnown; b <= block; ++b)
        FTallyStarts[b] = b == 0 ? 0 : FTallyStarts[b - 1] + BlockTally(FBlocks[b - 1]);
    FTallyKnown = block + 1;
}

int TPointerStringList::TalliedBefore(int index) const
{
    CheckRange(index >= 0 && index <= FCount, index);
    if (FTally.Mask == 0 || index == 0)
        return 0;
    if (index == FCount) {
        int last = static_cast<int>(FBlocks.size()) - 1;
        KnowTallyUpTo(last);
        return FTallyStarts[last] + BlockTally(FBlocks[last]);
    }
    Place place = Locate(index);
    KnowTallyUpTo(place.Block);
    const Block& block = FBlocks[place.Block];
    const std::vector<std::uint32_t>& values = block.Slots[FTally.Slot];
    int before = values.empty() ? (FTally.Counts(0) ? place.Local : 0)
                                : static_cast<int>(std::count_if(values.begin(), values.begin() + place.Local,
                                      [this](std::uint32_t value) { return FTally.Counts(value); }));
    return FTallyStarts[place.Block] + before;
}

int TPointerStringList::FindTallied(int n) const
{
    if (FTally.Mask == 0 || n < 0 || FBlocks.empty())
        return FCount;
    int last = static_cast<int>(FBlocks.size()) - 1;
    KnowTallyUpTo(last);
    if (n >= FTallyStarts[last] + BlockTally(FBlocks[last]))
        return FCount;
    // The last block whose counted rows start at or before n holds the nth (a block that counts
    // none shares its start with the next, so it is never the last such block).
    int block = static_cast<int>(
                    std::upper_bound(FTallyStarts.begin(), FTallyStarts.begin() + last + 1, n) - FTallyStarts.begin())
        - 1;
    int left = n - FTallyStarts[block];
    const std::vector<std::uint32_t>& values = FBlocks[block].Slots[FTally.Slot];
    if (values.empty())
        return FStarts[block] + left; // every row of the block counts
    for (int local = 0;; ++local)
        if (FTally.Counts(values[local]) && left-- == 0)
            return FStarts[block] + local;
}

void TPointerStringList::InsertIntoBlock(int block, int local, std::string_view text)
{
    Block& target = FBlocks[block];
    std::size_t start = target.Start(local);
    target.Bytes.insert(start, text);
    Retally(block, FTally.Counts(0) ? 1 : 0);
    auto size = static_cast<std::uint32_t>(text.size());
    target.Ends.insert(target.Ends.begin() + local, static_cast<std::uint32_t>(start));
    for (int i = local; i < target.Rows(); ++i)
        target.Ends[i] += size;
    for (std::vector<std::uint32_t>& values : target.Slots)
        if (!values.empty())
            values.insert(values.begin() + local, 0);
    FTextLength += text.size();
}

void TPointerStringList::MaskSlotFrom(int first, int slot, std::uint32_t keep)
{
    CheckRange(slot >= 0 && slot < SlotCount, slot);
    CheckRange(first >= 0 && first <= FCount, first);
    if (first == FCount)
        return;
    Place place = Locate(first);
    const bool tallyChanges = slot == FTally.Slot && (keep & FTally.Mask) != FTally.Mask;
    for (int b = place.Block; b < static_cast<int>(FBlocks.size()); ++b) {
        if (tallyChanges)
            Touch(b);
        std::vector<std::uint32_t>& values = FBlocks[b].Slots[slot];
        int from = b == place.Block ? place.Local : 0;
        if (from == 0 && keep == 0)
            values = {};
        for (std::size_t i = from; i < values.size(); ++i)
            values[i] &= keep;
    }
}

int TPointerStringList::Add(std::string_view text)
{
    Insert(FCount, text);
    return FCount - 1;
}

void TPointerStringList::Insert(int index, std::string_view text)
{
    CheckRange(index >= 0 && index <= FCount, index);
    if (index == FCount) {
        Append(text);
        return;
    }
    Place place = Locate(index);
    InsertIntoBlock(place.Block, place.Local, text);
    for (int b = place.Block + 1; b < static_cast<int>(FBlocks.size()); ++b)
        ++FStarts[b];
    ++FCount;
    SplitIfFull(place.Block);
}

void TPointerStringList::Append(std::string_view text)
{
    // Appending fills the last block and then opens a new one, so a load leaves full blocks.
    if (FBlocks.empty() || FBlocks.back().Rows() >= kMaxRows
        || FBlocks.back().Bytes.size() + text.size() >= kMaxBytes) {
        FBlocks.emplace_back();
        FBlocks.back().Tally = 0;
        FStarts.push_back(FCount);
        if (FCount > 0) {
            // A list that grows past one block is being filled in bulk (a load): size blocks once.
            FBlocks.back().Bytes.reserve(kMaxBytes - 1); // one buffer of kMaxBytes with the terminator
            FBlocks.back().Ends.reserve(kMaxRows);
        }
    }
    Retally(static_cast<int>(FBlocks.size()) - 1, FTally.Counts(0) ? 1 : 0);
    Block& last = FBlocks.back();
    last.Bytes.append(text);
    last.Ends.push_back(static_cast<std::uint32_t>(last.Bytes.size()));
    for (std::vector<std::uint32_t>& values : last.Slots)
        if (!values.empty())
            values.push_back(0);
    FTextLength += text.size();
    ++FCount;
}

void TPointerStringList::Delete(int index)
{
    DeleteRange(index, 1);
}

void TPointerStringList::Clear()
{
    FBlocks.clear();
    FStarts.clear();
    FCount = 0;
    FTextLength = 0;
    FHint = 0;
    FTallyKnown = 0;
}

void TPointerStringList::EraseFromBlock(int block, int local, int count)
{
    Block& target = FBlocks[block];
    std::size_t start = target.Start(local);
    std::size_t end = target.Ends[local + count - 1];
    target.Bytes.erase(start, end - start);
    Touch(block);
    target.Ends.erase(target.Ends.begin() + local, target.Ends.begin() + local + count);
    auto removed = static_cast<std::uint32_t>(end - start);
    for (int i = local; i < target.Rows(); ++i)
        target.Ends[i] -= removed;
    for (std::vector<std::uint32_t>& values : target.Slots)
        if (!values.empty())
            values.erase(values.begin() + local, values.begin() + local + count);
    FTextLength -= end - start;
}

void TPointerStringList::DeleteRange(int index, int count)
{
    CheckRange(index >= 0 && index <= FCount, index);
    CheckRange(count >= 0 && count <= FCount - index, index + count);
    if (count == 0)
        return;
    Place place = Locate(index);
    int block = place.Block;
    int local = place.Local;
    int left = count;
    while (left > 0) {
        int take = std::min(left, FBlocks[block].Rows() - local);
        if (take == FBlocks[block].Rows()) {
            FTextLength -= FBlocks[block].Bytes.size();
            FBlocks.erase(FBlocks.begin() + block);
        } else {
            EraseFromBlock(block, local, take);
            ++block;
        }
        left -= take;
        local = 0;
    }
    int first = std::max(0, place.Block - 1);
    RecountFrom(first);
    FHint = 0;
    if (place.Block < static_cast<int>(FBlocks.size()))
        MergeIfSmall(place.Block);
    if (place.Block > 0 && place.Block - 1 < static_cast<int>(FBlocks.size()))
        MergeIfSmall(place.Block - 1);
}

void TPointerStringList::InsertFrom(int index, const TPointerStringList& source)
{
    CheckRange(index >= 0 && index <= FCount, index);
    if (&source == this)
        throw std::invalid_argument("A list cannot insert its own rows");
    // Few rows go in one by one; many go in as whole copied blocks between the halves of
    // the block that holds index, so an undo of a huge deletion stays linear.
    constexpr int kRowByRow = 64;
    if (source.FCount <= kRowByRow) {
        for (int i = 0; i < source.FCount; ++i) {
            Insert(index + i, source.Strings(i));
            for (int slot = 0; slot < SlotCount; ++slot)
                SetSlot(index + i, slot, source.Slot(i, slot));
        }
        return;
    }
    int position = static_cast<int>(FBlocks.size());
    if (index < FCount) {
        Place place = Locate(index);
        position = place.Block;
        if (place.Local > 0) {
            SplitBlockAt(place.Block, place.Local);
            ++position;
        }
    }
    FBlocks.insert(FBlocks.begin() + position, source.FBlocks.begin(), source.FBlocks.end());
    if (!(source.FTally == FTally))
        for (std::size_t b = 0; b < source.FBlocks.size(); ++b)
            FBlocks[position + b].Tally = -1;
    FTextLength += source.FTextLength;
    RecountFrom(std::max(0, position - 1));
    FHint = 0;
    MergeIfSmall(position + static_cast<int>(source.FBlocks.size()) - 1);
    if (position > 0)
        MergeIfSmall(position - 1);
}

void TPointerStringList::SplitBlockAt(int block, int local)
{
    Block& full = FBlocks[block];
    assert(local > 0 && local < full.Rows());
    Block tail;
    std::size_t cut = full.Ends[local - 1];
    tail.Bytes.assign(full.Bytes, cut);
    full.Bytes.resize(cut);
    tail.Ends.assign(full.Ends.begin() + local, full.Ends.end());
    full.Ends.resize(local);
    for (std::uint32_t& end : tail.Ends)
        end -= static_cast<std::uint32_t>(cut);
    for (int slot = 0; slot < SlotCount; ++slot) {
        std::vector<std::uint32_t>& values = full.Slots[slot];
        if (values.empty())
            continue;
        tail.Slots[slot].assign(values.begin() + local, values.end());
        values.resize(local);
    }
    full.Tally = -1;
    FBlocks.insert(FBlocks.begin() + block + 1, std::move(tail));
    RecountFrom(block);
}

void TPointerStringList::SplitIfFull(int block)
{
    Block& full = FBlocks[block];
    if (full.Rows() < 2 || (full.Rows() <= 2 * kMaxRows && full.Bytes.size() <= 2 * kMaxBytes))
        return;
    SplitBlockAt(block, full.Rows() / 2);
    // One very long row can leave a half still over the byte limit: split until it stands alone.
    SplitIfFull(block + 1);
    SplitIfFull(block);
}

void TPointerStringList::MergeIfSmall(int block)
{
    if (block + 1 >= static_cast<int>(FBlocks.size()))
        return;
    Block& first = FBlocks[block];
    Block& second = FBlocks[block + 1];
    if (first.Rows() + second.Rows() > kMaxRows || first.Bytes.size() + second.Bytes.size() > kMaxBytes)
        return;
    auto offset = static_cast<std::uint32_t>(first.Bytes.size());
    int firstRows = first.Rows();
    first.Bytes += second.Bytes;
    for (std::uint32_t end : second.Ends)
        first.Ends.push_back(end + offset);
    for (int slot = 0; slot < SlotCount; ++slot) {
        if (first.Slots[slot].empty() && second.Slots[slot].empty())
            continue;
        first.Slots[slot].resize(firstRows, 0);
        if (second.Slots[slot].empty())
            first.Slots[slot].resize(first.Rows(), 0);
        else
            first.Slots[slot].insert(
                first.Slots[slot].end(), second.Slots[slot].begin(), second.Slots[slot].end());
    }
    first.Tally = -1;
    FBlocks.erase(FBlocks.begin() + block + 1);
    RecountFrom(block);
    FHint = 0;
}

void TPointerStringList::Swap(TPointerStringList& other) noexcept
{
    std::swap(FBlocks, other.FBlocks);
    std::swap(FStarts, other.FStarts);
    std::swap(FCount, other.FCount);
    std::swap(FTextLength, other.FTextLength);
    FHint = 0;
    other.FHint = 0;
    FTallyKnown = 0;
    other.FTallyKnown = 0;
    if (!(FTally == other.FTally)) {
        for (const Block& block : FBlocks)
            block.Tally = -1;
        for (const Block& block : other.FBlocks)
            block.Tally = -1;
    }
}

std::string TPointerStringList::CheckInvariant() const
{
    if (FStarts.size() != FBlocks.size())
        return "block starts and blocks differ in number";
    int rows = 0;
    int tallied = 0;
    std::size_t bytes = 0;
    for (std::size_t b = 0; b < FBlocks.size(); ++b) {
        const Block& block = FBlocks[b];
        if (static_cast<int>(b) < FTallyKnown && FTallyStarts[b] != tallied)
            return "wrong tally start of block " + std::to_string(b);
        if (block.Rows() == 0)
            return "empty block " + std::to_string(b);
        if (FStarts[b] != rows)
            return "wrong start of block " + std::to_string(b);
        if (!std::is_sorted(block.Ends.begin(), block.Ends.end()) || block.Ends.back() != block.Bytes.size())
            return "wrong row ends in block " + std::to_string(b);
        for (const std::vector<std::uint32_t>& values : block.Slots)
            if (!values.empty() && values.size() != block.Ends.size())
                return "slots not aligned in block " + std::to_string(b);
        if (block.Tally >= 0) {
            int counted = block.Tally;
            block.Tally = -1;
            if (BlockTally(block) != counted)
                return "wrong tally of block " + std::to_string(b);
        }
        tallied += BlockTally(block);
        rows += block.Rows();
        bytes += block.Bytes.size();
    }
    if (rows != FCount)
        return "wrong row count";
    if (bytes != FTextLength)
        return "wrong text length";
    return {};
}

} // namespace brenvik
