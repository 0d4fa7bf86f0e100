// Row list with the row attribute and the tokenizer start state packed into slots 1 and 2.
#pragma once

#include "support/PointerStringList.h"
#include "text/RowAttribute.h"
#include "text/RowTokenState.h"

namespace brenvik {

// Slot 0 is RowData, untouched here. Slot 1: bits 0-3 the attribute, 4-7 ScanState + 2,
// 8-11 ScanState2, 12-19 ScanState3. Slot 2: bits 0-7 ScanState4, 8-15 ScanState5.
// A setter rewrites only its own bits and clears the unused high bits of its slot, so a new
// row (all slots 0) reads raBreak and ScanState -2: not scanned yet.
class TRowAttributeStringList : public TPointerStringList {
public:
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
};

} // namespace brenvik
