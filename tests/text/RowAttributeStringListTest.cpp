// Packed row fields: each setter touches only its own bits and clears the unused high bits of slot 1.
#include "text/RowAttributeStringList.h"

#include <gtest/gtest.h>

namespace brenvik {
namespace {

TEST(RowAttributeStringList, NewRowReadsBreakAndNotScanned)
{
    TRowAttributeStringList rows;
    rows.Add("x");
    EXPECT_EQ(rows.RowAttribute(0), raBreak);
    EXPECT_EQ(rows.ScanState(0), -2);
    EXPECT_EQ(rows.RowState(0), RowTokenState::NotComputed());
}

TEST(RowAttributeStringList, SettersKeepOtherFieldsAndClearHighBits)
{
    TRowAttributeStringList rows;
    rows.Add("x");
    rows.SetSlot(0, 1, 0xFFF00000u);
    rows.SetSlot(0, 2, 0xFFFF0000u);
    rows.SetRowAttribute(0, raEndOfText);
    EXPECT_EQ(rows.Slot(0, 1), 0x2u) << "bits 20-31 of slot 1 are cleared";
    rows.SetScanState4(0, 7);
    EXPECT_EQ(rows.Slot(0, 2), 0xFFFF0007u) << "bits 16-31 of slot 2 hold the Context and stay";
    rows.SetSlot(0, 2, 7);

    rows.SetScanState(0, 13);
    rows.SetScanState2(0, 15);
    rows.SetScanState3(0, 255);
    rows.SetScanState5(0, 200);
    rows.SetRowData(0, 0xDEADBEEFu);
    EXPECT_EQ(rows.RowAttribute(0), raEndOfText);
    EXPECT_EQ(rows.RowState(0), (RowTokenState {13, 15, 255, 7, 200}));
    rows.SetScanState(0, -1);
    EXPECT_EQ(rows.RowState(0), (RowTokenState {-1, 15, 255, 7, 200}));
    EXPECT_EQ(rows.RowData(0), 0xDEADBEEFu);
}

TEST(RowAttributeStringList, RowStateRoundTripsAndKeepsTheAttribute)
{
    TRowAttributeStringList rows;
    rows.Add("a");
    rows.SetRowAttribute(0, raWrapped);
    RowTokenState state {4, 9, 130, 25, 56, 65535};
    rows.SetRowState(0, state);
    EXPECT_EQ(rows.RowState(0), state);
    EXPECT_EQ(rows.RowAttribute(0), raWrapped);
    rows.SetRowState(0, RowTokenState::NotComputed());
    EXPECT_EQ(rows.ScanState(0), -2);
    EXPECT_EQ(rows.Slot(0, 1), static_cast<std::uint32_t>(raWrapped));
    EXPECT_EQ(rows.Slot(0, 2), 0u);
}

} // namespace
} // namespace brenvik
