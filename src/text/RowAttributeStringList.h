// Row list with the row attribute and the tokenizer start state packed into slots 1 and 2.
#pragma once

#include "support/PointerStringList.h"
#include "text/RowAttribute.h"
#include "text/RowTokenState.h"

#include <cassert>
#include <cstdint>

namespace brenvik {

// Slot 0 is RowData, untouched here. Slot 1: bits 0-3 the attribute, 4-7 ScanState + 2,
// 8-11 ScanState2, 12-19 ScanState3. Slot 2: bits 0-7 ScanState4, 8-15 ScanState5, 16-31 the
// state's Context.
// A setter rewrites only its own bits and clears the unused high bits of its slot, so a new
// row (all slots 0) reads raBreak and ScanState -2: not scanned yet.
//
// Rows that end a logical line (not raWrapped) are tallied per block: LineEndsBefore and
// FindLineEnd answer without walking the rows.
class TRowAttributeStringList : public TPointerStringList {
public:
    TRowAttributeStringList();

    std::uint32_t RowData(int row) const { return Slot(row, 0); }
    void SetRowData(int row, std::uint32_t value) { SetSlot(row, 0, value); }

    TRowAttribute RowAttribute(int row) const;
    void SetRowAttribute(int row, TRowAttribute value);

    int ScanState(int row) const; // BracketIndex, -2..13
    int ScanState2(int row) const; // Element, 0..15
    int ScanState3(int row) const; // Remain, 0..255
    int ScanState4(int row) const; // WrappedKind, 0..255
    int ScanState5(int row) const; // LastKind, 0..255
    void SetScanState(int row, int value);
    void SetScanState2(int row, int value);
    void SetScanState3(int row, int value);
    void SetScanState4(int row, int value);
    void SetScanState5(int row, int value);

    RowTokenState RowState(int row) const;
    void SetRowState(int row, const RowTokenState& state);
    // The same packing on slot values, for passes that walk the rows with a cursor.
    static RowTokenState StateOfSlots(std::uint32_t slot1, std::uint32_t slot2);
    // Inline: a row-state pass packs a state into every row.
    static std::uint32_t Slot1WithState(std::uint32_t slot1, const RowTokenState& state)
    {
        assert(state.BracketIndex >= -2 && state.BracketIndex <= 13 && state.Element >= 0 && state.Element <= 15);
        assert(state.Remain >= 0 && state.Remain <= 255);
        return (slot1 & 0xF) | static_cast<std::uint32_t>(state.BracketIndex + 2) << 4
            | static_cast<std::uint32_t>(state.Element) << 8 | static_cast<std::uint32_t>(state.Remain) << 12;
    }
    static std::uint32_t Slot2OfState(const RowTokenState& state)
    {
        assert(state.WrappedKind >= 0 && state.WrappedKind <= 255 && state.LastKind >= 0 && state.LastKind <= 255);
        assert(state.Context >= 0 && state.Context <= 0xFFFF);
        return static_cast<std::uint32_t>(state.WrappedKind) | static_cast<std::uint32_t>(state.LastKind) << 8
            | static_cast<std::uint32_t>(state.Context) << 16;
    }
    static TRowAttribute AttributeOf(std::uint32_t slot1) { return static_cast<TRowAttribute>(slot1 & 0xF); }
    // False while the row's start state reads -2: not scanned since the row was made or marked.
    bool RowStateComputed(int row) const { return ScanState(row) != -2; }
    // Every row from row on reads not computed; the attributes stay.
    void MarkRowStatesNotComputedFrom(int row);

    // Calls visit(text, attribute) for rows [first, first + count) in order, without a lookup per row.
    template <typename Visit> void ForEachRow(int first, int count, Visit&& visit) const
    {
        TPointerStringList::ForEachRow(first, count,
            [&visit](std::string_view text, std::uint32_t slot1) { visit(text, AttributeOf(slot1)); });
    }

    // Rows among [0, row) that end a logical line; row may equal Count().
    int LineEndsBefore(int row) const { return TalliedBefore(row); }
    // The row that ends logical line n (from 0); Count() when there are fewer lines.
    int FindLineEnd(int n) const { return FindTallied(n); }
};

} // namespace brenvik
