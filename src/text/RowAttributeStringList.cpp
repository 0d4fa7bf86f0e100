// Packing of the row attribute and the row start state into the slots of a row.
#include "text/RowAttributeStringList.h"

#include <cassert>

namespace brenvik {

namespace {
constexpr std::uint32_t kSlot1Used = 0xFFFFF; // bits 20-31 are cleared by every slot-1 setter
constexpr std::uint32_t kSlot2Used = 0xFFFFFFFF; // bits 16-31 hold the state's Context

std::uint32_t Bits(std::uint32_t slot, int shift, int width)
{
    return (slot >> shift) & ((1u << width) - 1);
}

std::uint32_t WithBits(std::uint32_t slot, int shift, int width, std::uint32_t value, std::uint32_t used)
{
    std::uint32_t mask = ((1u << width) - 1) << shift;
    return ((slot & ~mask) | ((value << shift) & mask)) & used;
}
} // namespace

TRowAttributeStringList::TRowAttributeStringList()
    : TPointerStringList(TRowTally {1, 0xF, raWrapped})
{
}

TRowAttribute TRowAttributeStringList::RowAttribute(int row) const
{
    return AttributeOf(Slot(row, 1));
}

void TRowAttributeStringList::SetRowAttribute(int row, TRowAttribute value)
{
    assert(value != raNone);
    SetSlot(row, 1, WithBits(Slot(row, 1), 0, 4, value, kSlot1Used));
}

int TRowAttributeStringList::ScanState(int row) const
{
    return static_cast<int>(Bits(Slot(row, 1), 4, 4)) - 2;
}

int TRowAttributeStringList::ScanState2(int row) const
{
    return static_cast<int>(Bits(Slot(row, 1), 8, 4));
}

int TRowAttributeStringList::ScanState3(int row) const
{
    return static_cast<int>(Bits(Slot(row, 1), 12, 8));
}

int TRowAttributeStringList::ScanState4(int row) const
{
    return static_cast<int>(Bits(Slot(row, 2), 0, 8));
}

int TRowAttributeStringList::ScanState5(int row) const
{
    return static_cast<int>(Bits(Slot(row, 2), 8, 8));
}

void TRowAttributeStringList::SetScanState(int row, int value)
{
    assert(value >= -2 && value <= 13);
    SetSlot(row, 1, WithBits(Slot(row, 1), 4, 4, static_cast<std::uint32_t>(value + 2), kSlot1Used));
}

void TRowAttributeStringList::SetScanState2(int row, int value)
{
    assert(value >= 0 && value <= 15);
    SetSlot(row, 1, WithBits(Slot(row, 1), 8, 4, static_cast<std::uint32_t>(value), kSlot1Used));
}

void TRowAttributeStringList::SetScanState3(int row, int value)
{
    assert(value >= 0 && value <= 255);
    SetSlot(row, 1, WithBits(Slot(row, 1), 12, 8, static_cast<std::uint32_t>(value), kSlot1Used));
}

void TRowAttributeStringList::SetScanState4(int row, int value)
{
    assert(value >= 0 && value <= 255);
    SetSlot(row, 2, WithBits(Slot(row, 2), 0, 8, static_cast<std::uint32_t>(value), kSlot2Used));
}

void TRowAttributeStringList::SetScanState5(int row, int value)
{
    assert(value >= 0 && value <= 255);
    SetSlot(row, 2, WithBits(Slot(row, 2), 8, 8, static_cast<std::uint32_t>(value), kSlot2Used));
}

RowTokenState TRowAttributeStringList::RowState(int row) const
{
    return StateOfSlots(Slot(row, 1), Slot(row, 2));
}

void TRowAttributeStringList::SetRowState(int row, const RowTokenState& state)
{
    SetSlot(row, 1, Slot1WithState(Slot(row, 1), state));
    SetSlot(row, 2, Slot2OfState(state));
}

RowTokenState TRowAttributeStringList::StateOfSlots(std::uint32_t slot1, std::uint32_t slot2)
{
    return {static_cast<int>(Bits(slot1, 4, 4)) - 2, static_cast<int>(Bits(slot1, 8, 4)),
        static_cast<int>(Bits(slot1, 12, 8)), static_cast<int>(Bits(slot2, 0, 8)),
        static_cast<int>(Bits(slot2, 8, 8)), static_cast<int>(Bits(slot2, 16, 16))};
}

void TRowAttributeStringList::MarkRowStatesNotComputedFrom(int row)
{
    MaskSlotFrom(row, 1, 0xF);
    MaskSlotFrom(row, 2, 0);
}

} // namespace brenvik
