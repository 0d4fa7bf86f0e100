// The editor's clipboard: plain and box formats, refusing text without a Shift_JIS form.
#include "EditorTestSupport.h"

#include "jcode/SjisUnicode.h"
#include "editor/EditorMessages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace brenvik::test {
namespace {

QClipboard& Clipboard()
{
    return *QGuiApplication::clipboard();
}

void SelectBox(TEditor& editor, TEditorPos from, TEditorPos to)
{
    editor.SetBoxSelection(true);
    editor.SetRowCol(from.Row, from.Col);
    editor.StartSelection();
    editor.SetRowCol(to.Row, to.Col);
    editor.ExtendSelection();
}

TEST_F(EditorTest, CopyingABoxPutsBothFormatsAndPastingItKeepsTheColumns)
{
    SetText("ab" + kA + "cd\r\nxyz\r\n0123456\r\n\r\n");
    SelectBox(editor, {0, 2}, {2, 4});
    editor.CopyToClipboard();
    const QMimeData* data = Clipboard().mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromUtf8("あ\nz\n23\n"));
    ASSERT_TRUE(data->hasFormat(TEditor::BoxMimeType()));
    EXPECT_EQ(QString::fromUtf8(data->data(TEditor::BoxMimeType())), QString::fromUtf8("あ\r\nz\r\n23\r\n"));

    editor.SetBoxSelection(false);
    editor.CancelSelection();
    editor.SetRowCol(1, 1);
    editor.PasteFromClipboard();
    EXPECT_EQ(Text(), "ab" + kA + "cd\r\nx" + kA + "yz\r\n0z123456\r\n 23\r\n");
    Check();
}

TEST_F(EditorTest, CopyingAStreamSelectionLeavesNoBoxFormat)
{
    SetText("one\r\ntwo\r\n");
    editor.SetSelStart(1);
    editor.SetSelLength(6);
    editor.CopyToClipboard();
    EXPECT_EQ(Clipboard().text(), QString("ne\ntw"));
    EXPECT_FALSE(Clipboard().mimeData()->hasFormat(TEditor::BoxMimeType()));
    editor.CutToClipboard();
    EXPECT_EQ(Text(), "oo\r\n");
    editor.SetRowCol(0, 2);
    editor.PasteFromClipboard();
    EXPECT_EQ(Text(), "oone\r\ntw\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 2}));
}

TEST_F(EditorTest, CopyAndCutWithoutASelectionEmptyTheClipboardText)
{
    SetText("abc");
    Clipboard().setText("previous");
    editor.Perform(WM_COPY);
    EXPECT_EQ(Clipboard().text(), QString());
    Clipboard().setText("previous");
    editor.SelectAll();
    editor.SetReadOnly(true);
    editor.Perform(WM_CUT);
    EXPECT_EQ(Clipboard().text(), QString()) << "a read-only editor cuts nothing";
    EXPECT_EQ(Text(), "abc");
}

TEST_F(EditorTest, PastingTextWithoutAShiftJisFormPastesNothingUnlessAnswered)
{
    SetText("abc\r\n");
    editor.SetRowCol(0, 1);
    Clipboard().setText(QString::fromUtf8("x€y😀"));
    // No prompts installed: every question gets the answer that changes nothing.
    editor.PasteFromClipboard();
    editor.Perform(WM_PASTE);
    EXPECT_EQ(Text(), "abc\r\n");
    EXPECT_FALSE(editor.CanUndo());
    Clipboard().setText(QString::fromUtf8("表ソ"));
    editor.PasteFromClipboard();
    EXPECT_EQ(Text(), "a" + kHyo + kSo + "bc\r\n");
}

TEST_F(EditorTest, BytesWithoutAUnicodeFormSurviveACopyInsideTheEditor)
{
    const std::string odd = "\x85\x40"; // an unassigned double-byte code
    SetText("[" + odd + "]\r\n");
    editor.SelectAll();
    editor.CopyToClipboard();
    editor.CancelSelection();
    editor.SetRowCol(1, 0);
    editor.PasteFromClipboard();
    EXPECT_EQ(Text(), "[" + odd + "]\r\n[" + odd + "]\r\n");
}

TEST(EditorCharsetTest, RoundTripsShiftJisAndRefusesWhatItCannotEncode)
{
    const std::string bytes = "a" + kHyo + kA + "\xb1"; // a 表 あ ｱ
    EXPECT_EQ(SjisToUnicode(bytes, TDocumentChars()), QString::fromUtf8("a表あｱ"));
    EXPECT_EQ(UnicodeToSjis(QString::fromUtf8("a表あｱ"), TDocumentChars()), bytes);
    EXPECT_FALSE(UnicodeToSjis(QString::fromUtf8("€"), TDocumentChars()).has_value());
    // A lead byte without its trail at the end still shows as a character, as the row shows it.
    EXPECT_EQ(SjisToUnicode("a\x82", TDocumentChars()), QString::fromUtf8("a\uFFFD"));
    EXPECT_EQ(SjisToUnicode("a\x82\x9F", TDocumentChars()), QString::fromUtf8("aぁ")); // a trail in the lead range
}

// A UTF-8 document's own characters (an emoji at F0 40, FULLWIDTH TILDE in second form at F0 41, 81 60
// holding WAVE DASH) copy and paste both ways; a character the document has no code for is still refused.
TEST(EditorCharsetTest, DocumentCharactersMapBothWays)
{
    TDocumentChars chars;
    ASSERT_EQ(chars.Take(U'\U0001F600'), 0xF040);
    ASSERT_EQ(chars.Take(U'\u301C'), 0x8160);
    ASSERT_EQ(chars.Take(U'\uFF5E'), 0xF041);
    const std::string bytes = "a\xF0\x40\x81\x60\xF0\x41" + kA;
    const QString text = QString::fromUtf8("a😀〜～あ");
    EXPECT_EQ(SjisToUnicode(bytes, chars), text);
    EXPECT_EQ(UnicodeToSjis(text, chars), bytes);
    EXPECT_FALSE(UnicodeToSjis(QString::fromUtf8("€"), chars).has_value());
    EXPECT_EQ(SjisToUnicode("\xF0\x40", TDocumentChars()), QString(QChar(0xE000)));
}

} // namespace
} // namespace brenvik::test
