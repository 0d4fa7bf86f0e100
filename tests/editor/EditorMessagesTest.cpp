// The edit-control messages: answers, the read-only rules, and out-of-range input.
#include "EditorTestSupport.h"

#include "editor/EditorMessages.h"

#include <cstring>
#include <random>

namespace brenvik::test {
namespace {

qintptr Address(const void* pointer)
{
    return reinterpret_cast<qintptr>(pointer);
}

TEST_F(EditorTest, TextMessagesReadAndWriteTheWholeText)
{
    editor.Perform(WM_SETTEXT, 0, Address("ab\r\ncd"));
    EXPECT_EQ(Text(), "ab\r\ncd");
    EXPECT_EQ(editor.Perform(WM_GETTEXTLENGTH), 6);
    char buffer[5] = {'?', '?', '?', '?', '?'};
    EXPECT_EQ(editor.Perform(WM_GETTEXT, sizeof buffer, Address(buffer)), 4);
    EXPECT_STREQ(buffer, "ab\r\n");
    char line[8] = {};
    const quint16 size = 1;
    std::memcpy(line, &size, sizeof size);
    EXPECT_EQ(editor.Perform(EM_GETLINE, 1, Address(line)), 1);
    EXPECT_EQ(line[0], 'c');
    EXPECT_EQ(editor.Perform(EM_GETLINECOUNT), 2);
    editor.SetWantTabs(false);
    EXPECT_EQ(editor.Perform(WM_GETDLGCODE), DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTALLKEYS);
    editor.SetRowCol(1, 1);
    EXPECT_EQ(editor.Perform(EM_LINELENGTH, -1), 2);
    EXPECT_EQ(editor.Perform(EM_LINELENGTH, 1), 2);
    editor.Perform(EM_REPLACESEL, 0, Address("XY"));
    EXPECT_EQ(Text(), "ab\r\ncXYd");
}

TEST_F(EditorTest, ReadOnlyRulesOfTheMessages)
{
    SetText("abc");
    editor.SetRowCol(0, 3);
    editor.TypeText("d");
    editor.Perform(EM_SETREADONLY, 1);
    EXPECT_TRUE(editor.ReadOnly());
    EXPECT_EQ(editor.Perform(EM_CANUNDO), 0);
    EXPECT_EQ(editor.Perform(EM_UNDO), 0);
    editor.Perform(EM_SETMODIFY, 0);
    EXPECT_EQ(editor.Perform(EM_GETMODIFY), 1);
    editor.Perform(WM_SETTEXT, 0, Address("new"));
    editor.Perform(EM_REPLACESEL, 0, Address("x"));
    editor.Perform(EM_EMPTYUNDOBUFFER);
    EXPECT_EQ(Text(), "abcd");
    EXPECT_TRUE(editor.CanUndo());
    editor.Perform(EM_SETREADONLY, 0);
    EXPECT_EQ(editor.Perform(EM_UNDO), 1);
    EXPECT_EQ(Text(), "abc");
    editor.Perform(EM_SETMODIFY, 0);
    EXPECT_EQ(editor.Perform(EM_GETMODIFY), 0);
}

TEST_F(EditorTest, PositionMessagesMapOffsetsToPixelsAndBack)
{
    SetText("ab\r\n" + kA + "cd\r\n");
    const qintptr pos = editor.Perform(EM_POSFROMCHAR, 7);
    const int x = int(pos & 0xFFFF);
    const int y = int((pos >> 16) & 0xFFFF);
    EXPECT_EQ(x, editor.LeftOffset() + 3 * editor.ColWidth());
    EXPECT_EQ(y, editor.TopOffset() + editor.RowHeight());
    const qintptr back = editor.Perform(EM_CHARFROMPOS, 0, MakeLong(x + 1, y + 1));
    EXPECT_EQ(back & 0xFFFF, 7);
    EXPECT_EQ((back >> 16) & 0xFFFF, 1);
    EXPECT_EQ(editor.Perform(EM_CHARFROMPOS, 0, MakeLong(-5, 3)), -1);
}

TEST_F(EditorTest, MessagesWithRowsOffsetsAndPointersOutOfRangeAnswerSafely)
{
    for (const std::string& text : {std::string(), std::string("a\r\n"), "x" + kA})
        for (bool wrap : {false, true}) {
            SCOPED_TRACE(testing::Message() << "text size " << text.size() << " wrap " << wrap);
            editor.SetWordWrap(wrap);
            SetText(text);
            for (qintptr value :
                {qintptr(-100), qintptr(-1), qintptr(0), qintptr(1), qintptr(3), qintptr(1) << 40}) {
                editor.Perform(EM_LINEINDEX, value);
                editor.Perform(EM_LINELENGTH, value);
                editor.Perform(EM_LINEFROMCHAR, value);
                editor.Perform(EM_POSFROMCHAR, value);
                editor.Perform(EM_CHARFROMPOS, 0, value);
                EXPECT_EQ(editor.Perform(EM_GETLINE, value, 0), 0);
                editor.Perform(EM_SETSEL, value, value + 2);
                editor.Perform(EM_GETSEL, 0, 0);
                EXPECT_EQ(editor.Perform(WM_GETTEXT, value, 0), 0);
                editor.Perform(WM_GETTEXT, 0, Address("x"));
                Check();
            }
            EXPECT_EQ(editor.Perform(EM_LINEINDEX, 5), -1);
            editor.Perform(EM_REPLACESEL, 0, 0);
            editor.Perform(WM_SETTEXT, 0, 0);
            EXPECT_EQ(editor.Perform(0x9999), 0);
            EXPECT_EQ(Text(), "");
        }
}

// Random editing against the invariants: no operation leaves half a double-byte character,
// a caret off its boundaries or a row list out of shape, and undoing everything gives back
// the text.
TEST_F(EditorTest, RandomEditingKeepsEveryInvariant)
{
    const std::string pieces[] = {"a", "\t", kA, kHyo, "  ", "\r\n", "xyz", kWideSpace};
    for (unsigned seed : {1u, 2u, 3u}) {
        std::mt19937 random(seed);
        auto pick = [&](int n) { return int(random() % unsigned(n)); };
        editor.SetBoxSelection(false);
        editor.SetWordWrap(seed == 2);
        editor.Caret()->SetFreeCaret(seed == 3);
        editor.Caret()->SetInTab(seed == 3);
        SetText("start " + kA + "\r\n\tsecond\r\nend");
        editor.SetUndoListMax(5000);
        const std::string original = Text();
        for (int step = 0; step < 1500; ++step) {
            SCOPED_TRACE(testing::Message() << "seed " << seed << " step " << step);
            const int rows = editor.RowCount();
            switch (pick(12)) {
            case 0:
                editor.SetRowCol(pick(rows + 2) - 1, pick(90));
                break;
            case 1:
                editor.TypeText(
                    pieces[pick(std::size(pieces))] == "\r\n" ? "b" : pieces[pick(std::size(pieces))]);
                break;
            case 2:
                editor.Backspace();
                break;
            case 3:
                editor.DeleteChar();
                break;
            case 4:
                editor.Enter(pick(4) == 0);
                break;
            case 5:
                editor.StartSelection();
                editor.SetRowCol(pick(rows + 1), pick(40));
                editor.ExtendSelection();
                break;
            case 6:
                editor.SetSelText(pieces[pick(std::size(pieces))] + pieces[pick(std::size(pieces))]);
                break;
            case 7:
                editor.SetBoxSelection(pick(2) == 0);
                break;
            case 8:
                editor.PasteBox(pieces[pick(std::size(pieces))] + "\r\n" + pieces[pick(std::size(pieces))]);
                break;
            case 9:
                editor.Tab();
                break;
            case 10:
                editor.SetOverwrite(pick(3) == 0);
                break;
            default:
                editor.DeleteSelection();
                break;
            }
            Check();
            if (HasFailure())
                return;
        }
        editor.SetOverwrite(false);
        while (editor.CanUndo())
            editor.Undo();
        EXPECT_EQ(Text(), original);
    }
}

} // namespace
} // namespace brenvik::test
