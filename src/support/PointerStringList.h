// A list of byte strings, each with three 32-bit value slots that travel with it.
#pragma once

#include "support/BlockBuffers.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// Which rows a list counts block by block, so that counting or finding them needs no walk over
// the rows: a row counts when its value in Slot, masked by Mask, differs from Excluded. The
// default counts nothing and costs nothing.
struct TRowTally {
    int Slot = 0;
    std::uint32_t Mask = 0;
    std::uint32_t Excluded = 0;

    bool Counts(std::uint32_t value) const { return (value & Mask) != Excluded; }
    friend bool operator==(const TRowTally&, const TRowTally&) = default;
};

// Rows live in blocks of a few thousand, each block holding its rows' bytes in one buffer,
// so an edit moves only the rows of one block and a million short rows cost a few bytes
// each beyond their text. A string_view returned by Strings is valid until the next change.
//
// Invariant: every block holds at least one row; FStarts[b] is the number of rows before
// block b; each block's ends ascend and the last equals its byte count; each slot vector is
// empty (all values 0) or as long as the block's row count. Every public index is checked, in
// release builds too: an index outside the list throws std::out_of_range and changes nothing.
class TPointerStringList {
public:
    static constexpr int SlotCount = 3;

    TPointerStringList() = default;
    explicit TPointerStringList(const TRowTally& tally)
        : FTally(tally)
    {
    }
    TPointerStringList(const TPointerStringList&) = default;
    TPointerStringList& operator=(const TPointerStringList&) = default;
    TPointerStringList(TPointerStringList&&) noexcept = default;
    TPointerStringList& operator=(TPointerStringList&&) noexcept = default;
    virtual ~TPointerStringList() = default;

    int Count() const { return FCount; }
    std::string_view Strings(int index) const;
    void SetStrings(int index, std::string_view text);
    std::size_t Length(int index) const;

    std::uint32_t Slot(int index, int slot) const;
    void SetSlot(int index, int slot, std::uint32_t value);

    // A new row has 0 in every slot.
    int Add(std::string_view text);
    void Insert(int index, std::string_view text);
    void Delete(int index);
    void Clear();

    void DeleteRange(int index, int count);
    // value &= keep in one slot of every row from first on, block by block.
    void MaskSlotFrom(int first, int slot, std::uint32_t keep);
    // Inserts copies of all rows of source (text and slots) before index; index may equal Count().
    void InsertFrom(int index, const TPointerStringList& source);

    // Calls visit(text, slot1) for rows [first, first + count) in order, without a lookup per row.
    template <typename Visit> void ForEachRow(int first, int count, Visit&& visit) const;

    class TRowCursor;
    // A cursor on row index (which must exist), for passes that read and write slots row after row.
    TRowCursor Cursor(int index);

    // Sum of the lengths of all rows.
    std::size_t TextLength() const { return FTextLength; }

    // Rows the tally counts among [0, index); index may equal Count().
    int TalliedBefore(int index) const;
    // Index of the row that the tally counts as its nth (from 0); Count() when there are fewer.
    int FindTallied(int n) const;

    void Swap(TPointerStringList& other) noexcept;

    // Empty when the invariant holds, else what is broken (for tests).
    std::string CheckInvariant() const;

private:
    struct Block {
        TBlockBytes Bytes;
        std::vector<std::uint32_t> Ends;
        std::array<std::vector<std::uint32_t>, SlotCount> Slots;
        mutable int Tally = -1; // rows the list's tally counts here; -1 until counted

        int Rows() const { return static_cast<int>(Ends.size()); }
        std::size_t Start(int local) const { return local == 0 ? 0 : Ends[local - 1]; }
        // Inline: passes over every row read each row's text.
        std::string_view Text(int local) const
        {
            const std::size_t start = Start(local);
            return std::string_view(Bytes.data() + start, Ends[local] - start);
        }
        std::uint32_t SlotAt(int local, int slot) const
        {
            return Slots[slot].empty() ? 0 : Slots[slot][local];
        }
    };
    struct Place {
        int Block;
        int Local;
    };

    Place Locate(int index) const;
    void SetSlotAt(Place place, int slot, std::uint32_t value);
    static void CheckRange(bool inside, int index);
    int BlockTally(const Block& block) const;
    // Makes FTallyStarts right for blocks [0, block].
    void KnowTallyUpTo(int block) const;
    // The block's rows or slots changed; Retally: its count changed by delta, and stays known if it was.
    void Touch(int block);
    void Retally(int block, int delta);
    void RecountFrom(int block);
    void Append(std::string_view text);
    void InsertIntoBlock(int block, int local, std::string_view text);
    void EraseFromBlock(int block, int local, int count);
    void SplitBlockAt(int block, int local);
    void SplitIfFull(int block);
    void MergeIfSmall(int block);

    std::vector<Block> FBlocks;
    std::vector<int> FStarts;
    int FCount = 0;
    std::size_t FTextLength = 0;
    mutable int FHint = 0; // block of the last lookup: consecutive rows need no search
    TRowTally FTally;
    // Counted rows before each block, right for the first FTallyKnown blocks.
    mutable std::vector<int> FTallyStarts;
    mutable int FTallyKnown = 0;
};

// Walks rows in order without a lookup per row. Valid while the list changes only through the
// cursor's SetSlot; a cursor moved past the last row is at its end and reads nothing.
class TPointerStringList::TRowCursor {
public:
    TRowCursor(TPointerStringList& list, Place place, int index)
        : FList(&list)
        , FPlace(place)
        , FIndex(index)
    {
    }

    int Index() const { return FIndex; }
    bool AtEnd() const { return FIndex >= FList->FCount; }
    std::string_view Text() const { return CurrentBlock().Text(FPlace.Local); }
    std::uint32_t Slot(int slot) const { return CurrentBlock().SlotAt(FPlace.Local, slot); }
    // Inline when the block holds the slot and the tally stays as it is: a row-state pass sets
    // two slots of every row.
    void SetSlot(int slot, std::uint32_t value)
    {
        std::vector<std::uint32_t>& values = FList->FBlocks[FPlace.Block].Slots[slot];
        const TRowTally& tally = FList->FTally;
        if (values.empty() || (slot == tally.Slot && tally.Counts(values[FPlace.Local]) != tally.Counts(value)))
            FList->SetSlotAt(FPlace, slot, value);
        else
            values[FPlace.Local] = value;
    }
    // The row after the current one; empty text and 0 when there is none.
    std::string_view NextText() const
    {
        const Place next = NextPlace();
        return next.Block < 0 ? std::string_view() : FList->FBlocks[next.Block].Text(next.Local);
    }
    std::uint32_t NextSlot(int slot) const
    {
        const Place next = NextPlace();
        return next.Block < 0 ? 0 : FList->FBlocks[next.Block].SlotAt(next.Local, slot);
    }
    void Advance()
    {
        FPlace = NextPlace();
        ++FIndex;
    }

private:
    const Block& CurrentBlock() const { return FList->FBlocks[FPlace.Block]; }
    Place NextPlace() const
    {
        if (FPlace.Local + 1 < CurrentBlock().Rows())
            return {FPlace.Block, FPlace.Local + 1};
        if (FPlace.Block + 1 < static_cast<int>(FList->FBlocks.size()))
            return {FPlace.Block + 1, 0};
        return {-1, 0};
    }

    TPointerStringList* FList;
    Place FPlace;
    int FIndex;
};

template <typename Visit> void TPointerStringList::ForEachRow(int first, int count, Visit&& visit) const
{
    if (count <= 0)
        return;
    CheckRange(first >= 0 && count <= FCount - first, first + count);
    Place place = Locate(first);
    for (int b = place.Block; count > 0; ++b) {
        const Block& block = FBlocks[b];
        for (int local = b == place.Block ? place.Local : 0; local < block.Rows() && count > 0;
             ++local, --count)
            visit(block.Text(local), block.SlotAt(local, 1));
    }
}

} // namespace brenvik
