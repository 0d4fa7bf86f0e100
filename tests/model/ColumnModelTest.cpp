// The one column model: attribute strings, byte/column conversions, tab stops and the lone
// lead byte, checked against every layer that counts columns.
#include "text/ColumnModel.h"
#include "text/EditorWrapOption.h"
#include "text/LineWrapper.h"

#include <gtest/gtest.h>

#include <string>

namespace brenvik {
namespace {

const std::string kHyo = "\x95\x5c"; // a double-byte character whose trail byte is a backslash
const std::string kA = "\x82\xa0";

TEST(ColumnModelTest, ConversionsCountTabFillAndDoubleBytes)
{
    const TColumnLayout layout {4, 0};
    const std::string attributes = ColumnAttributes("a\t" + kHyo + "z", layout);
    ASSERT_EQ(attributes, "1233451");
    EXPECT_EQ(ByteOfColumn(attributes, 10), 8) << "beyond the end: the spaces typing adds";
    EXPECT_EQ(ByteOfColumn(attributes, 5), 2) << "a trail byte's column is its lead byte";
    // 1-based columns: a box starting on a trail byte leaves that character out, one
    // ending on a lead byte takes it whole.
    EXPECT_EQ(SelectionStartByte(attributes, 6), 5);
    EXPECT_EQ(SelectionEndByte(attributes, 5), 4);
    EXPECT_EQ(SelectionStartByte(attributes, 3), 3) << "inside tab fill: the byte after the tab";
    EXPECT_EQ(SelectionEndByte(attributes, 3), 2) << "inside tab fill: the tab itself";
    EXPECT_EQ(ColumnCode(attributes, 7), '\0');
    EXPECT_EQ(ColumnCode(attributes, -1), '\0');
}

TEST(ColumnModelTest, TabStopsAreCutAtTheWrapWidthAndAgreeEverywhere)
{
    const TColumnLayout plain {8, 0};
    const TColumnLayout wrapped {8, 10};
    EXPECT_EQ(TabColumns(0, plain), 8);
    EXPECT_EQ(TabColumns(7, plain), 1);
    EXPECT_EQ(TabColumns(8, wrapped), 2) << "never past the wrap width";
    for (const std::string& text : std::initializer_list<std::string> {"ab\tc\t\td", "\t", "12345678\t9", "x" + kA + "\t" + kA + "\t"}) {
        for (const TColumnLayout& layout : {plain, wrapped, TColumnLayout {3, 7}}) {
            const std::string attributes = ColumnAttributes(text, layout);
            EXPECT_EQ(TextWidth(text, layout), int(attributes.size())) << text;
            EXPECT_EQ(int(ExpandTabs(text, layout).size()), int(attributes.size())) << text;
        }
    }
}

TEST(ColumnModelTest, ALoneLeadByteIsOneByteAndOneColumn)
{
    const TColumnLayout layout {8, 0};
    const std::string row = "ab\x82";
    EXPECT_EQ(ColumnAttributes(row, layout), "111");
    EXPECT_EQ(TextWidth(row, layout), 3);
    EXPECT_EQ(ExpandTabs(row, layout).size(), 3u);
    EXPECT_EQ(ByteOfColumn(ColumnAttributes(row, layout), 3), 3);
    EXPECT_EQ(ColumnAttributes("\x82" "a", layout), "45") << "with a byte after it, a pair";

    // Word wrap counts alike: at the narrowest width a row of one column less than the width
    // ending in a lone lead byte fits, one more byte does not.
    TEditorWrapOption option;
    const int width = option.MinWrapByte;
    option.SetWrapByte(width);
    const std::string fits = std::string(size_t(width - 2), 'a') + "\x82";
    EXPECT_EQ(TLineWrapper(option, 8).CountRows(fits), 1);
    EXPECT_EQ(TLineWrapper(option, 8).CountRows(fits + "bc"), 2);
}

} // namespace
} // namespace brenvik
