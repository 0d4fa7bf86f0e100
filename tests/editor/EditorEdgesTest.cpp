// The editor's edges with the rest of the desktop, driven by real events: text without a
// Shift_JIS form goes in as 〓 only when the user says so, no exception leaves an event handler,
// the clipboard carries LF line breaks, the X primary selection and the scroll bars.
#include "EditorTestSupport.h"

#include "common/FakePrompts.h"
#include "jcode/SjisUnicode.h"
#include "editor/EditorMessages.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <stdexcept>

namespace brenvik::test {
namespace {

QClipboard& Clipboard()
{
    return *QGuiApplication::clipboard();
}

class EditorEdgesTest : public EditorTest {
protected:
    EditorEdgesTest()
    {
        editor.show();
        editor.activateWindow();
        editor.setFocus();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&editor));
    }

    void Commit(const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(&editor, &event);
    }
    QPoint Cell(int row, int col) const
    {
        return {editor.LeftOffset() + (col - editor.TopCol()) * editor.ColWidth() + editor.ColWidth() / 4,
            editor.TopOffset() + (row - editor.TopRow()) * editor.RowHeight() + editor.RowHeight() / 2};
    }
    QStringList Refusals() const
    {
        QStringList messages;
        for (const QList<QVariant>& call : refused)
            messages << call.at(0).toString();
        return messages;
    }

    QSignalSpy refused {&editor, &TEditor::InputRefused};
    TFakePromptsOf<> prompts;
    TInstalledPrompts installed {prompts};
};

// ---- characters without a code page 932 form --------------------------------------------------

TEST(EditorCharsetTest, JisFormsThatInputMethodsProduceTakeTheirShiftJisCodes)
{
    const struct {
        const char* Unicode;
        std::string Bytes;
    } forms[] = {
        {"〜", "\x81\x60"}, {"−", "\x81\x7c"}, {"—", "\x81\x5c"}, {"‖", "\x81\x61"}, {"¢", "\x81\x91"},
        {"£", "\x81\x92"}, {"¬", "\x81\xca"}, {"¥", "\x81\x8f"}, {"‾", "\x81\x50"},
    };
    for (const auto& form : forms) {
        const std::optional<std::string> bytes = UnicodeToSjis(QString::fromUtf8(form.Unicode), TDocumentChars());
        ASSERT_TRUE(bytes.has_value()) << form.Unicode;
        EXPECT_EQ(*bytes, form.Bytes) << form.Unicode;
    }
    // The code page's own forms still encode to the same codes.
    EXPECT_EQ(UnicodeToSjis(QString::fromUtf8("x～－―∥￠￡￢\\~y"), TDocumentChars()),
        "x\x81\x60\x81\x7c\x81\x5c\x81\x61\x81\x91\x81\x92\x81\xca\\~y");
    for (const char* refused : {"€", "😀", "a\xe2\x82\xac", "ℵ"})
        EXPECT_FALSE(UnicodeToSjis(QString::fromUtf8(refused), TDocumentChars()).has_value()) << refused;
}

TEST_F(EditorEdgesTest, CtrlVOfTextWithAJisFormPastesItsShiftJisCodes)
{
    SetText("ab\r\n");
    editor.SetRowCol(0, 1);
    Clipboard().setText(QString::fromUtf8("x〜y−¥"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "ax\x81\x60y\x81\x7c\x81\x8f" "b\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {0, 9}));
    EXPECT_TRUE(Refusals().isEmpty());
    Check();
}

// The question names the first character without a code and how many there are; cancelled,
// nothing changes; answered OK, each goes in as the geta mark 〓 (81 AC) and the rest as typed.
TEST_F(EditorEdgesTest, PastesWithoutAShiftJisFormAskAndGoInAsGetaMarksOrNotAtAll)
{
    SetText("abc\r\n");
    editor.SetRowCol(0, 1);
    Clipboard().setText(QString::fromUtf8("x〜y€"));
    prompts.OkCancelAnswer = false;
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&editor, Qt::Key_B, Qt::ControlModifier);
    editor.Perform(WM_PASTE);
    const QString one = QString::fromUtf8("「€」(U+20AC) は Shift_JIS で表せません。\n〓 に置き換えて貼り付けますか？");
    EXPECT_EQ(prompts.Asked, QStringList({one, one, one}));
    EXPECT_TRUE(Refusals().isEmpty());
    EXPECT_EQ(Text(), "abc\r\n");
    EXPECT_FALSE(editor.CanUndo());
    EXPECT_FALSE(editor.Modified());
    EXPECT_EQ(Caret(), (TEditorPos {0, 1}));

    prompts.Asked.clear();
    prompts.OkCancelAnswer = true;
    Clipboard().setText(QString::fromUtf8("é〜\n😀ß"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(prompts.Asked,
        QStringList(QString::fromUtf8("「é」(U+00E9) など 3 文字は Shift_JIS で表せません。\n〓 に置き換えて貼り付けますか？")));
    EXPECT_EQ(Text(), "a\x81\xac\x81\x60\r\n\x81\xac\x81\xac" "bc\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {1, 4}));
    editor.Undo();
    EXPECT_EQ(Text(), "abc\r\n") << "one undo step";
    Check();
}

TEST_F(EditorEdgesTest, TypedAndCommittedCharactersUseJisFormsOrAsk)
{
    SetText("");
    Commit(QString::fromUtf8("〜"));
    QKeyEvent silent(QEvent::KeyPress, Qt::Key_F13, Qt::NoModifier); // a key without text types nothing
    QApplication::sendEvent(&editor, &silent);
    QKeyEvent yen(QEvent::KeyPress, Qt::Key_yen, Qt::NoModifier, QString::fromUtf8("¥"));
    QApplication::sendEvent(&editor, &yen);
    EXPECT_EQ(Text(), "\x81\x60\x81\x8f"); // a yen sign is never a backslash
    EXPECT_TRUE(prompts.Asked.isEmpty());

    prompts.OkCancelAnswer = false;
    Commit(QString::fromUtf8("a€"));
    QKeyEvent euro(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString::fromUtf8("€"));
    QApplication::sendEvent(&editor, &euro);
    ASSERT_EQ(prompts.Asked.size(), 2);
    EXPECT_EQ(prompts.Asked.value(0),
        QString::fromUtf8("「€」(U+20AC) は Shift_JIS で表せません。\n〓 に置き換えて入力しますか？"));
    EXPECT_EQ(Text(), "\x81\x60\x81\x8f") << "a cancelled commit types none of its characters";
    prompts.OkCancelAnswer = true;
    QApplication::sendEvent(&editor, &euro);
    Commit(QString::fromUtf8("a😀"));
    EXPECT_EQ(prompts.Asked.value(3),
        QString::fromUtf8("「😀」(U+1F600) は Shift_JIS で表せません。\n〓 に置き換えて入力しますか？"));
    EXPECT_EQ(Text(), "\x81\x60\x81\x8f\x81\xac" "a\x81\xac");
    EXPECT_TRUE(Refusals().isEmpty());
}

// ---- no exception leaves a handler ----------------------------------------------------------

// A UTF-8 document gives what it is typed or pasted without a Shift_JIS code a code of the user-defined area,
// asking nothing; a full area refuses more, saying why; other documents ask.
TEST_F(EditorEdgesTest, AUtf8DocumentTakesTypedAndPastedCharactersWithoutACode)
{
    SetText("abc\r\n");
    editor.Document().SetCodes({jcUtf8, rcLf});
    editor.SetRowCol(0, 1);
    Clipboard().setText(QString::fromUtf8("x表y😀"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    Commit(QString::fromUtf8("é😀"));
    EXPECT_EQ(Text(), std::string("ax\x95\x5Cy\xF0\x40\xF0\x41\xF0\x40") + "bc\r\n");
    editor.SelectAll();
    editor.CopyToClipboard();
    EXPECT_EQ(Clipboard().text(), QString::fromUtf8("ax表y😀é😀bc\n"));
    EXPECT_TRUE(Refusals().isEmpty());
    EXPECT_TRUE(prompts.Asked.isEmpty());

    // 😀 is among these and keeps its code; é took one more: the last one is refused.
    editor.SetRowCol(1, 0);
    for (char32_t c = 0x1F300; c < 0x1F300 + kUserCodeCount; ++c)
        Commit(QString::fromUcs4(&c, 1));
    ASSERT_EQ(Refusals().size(), 1);
    EXPECT_TRUE(Refusals().front().contains(QStringLiteral("外字領域"))) << Refusals().front().toStdString();

    EXPECT_TRUE(prompts.Asked.isEmpty()) << "a full area is told, not asked about";

    editor.Document().SetCodes({jcSjis, rcCrLf});
    SetText("abc\r\n");
    prompts.OkCancelAnswer = false;
    Commit(QString::fromUtf8("ß"));
    EXPECT_EQ(Text(), "abc\r\n");
    EXPECT_EQ(prompts.Asked.size(), 1);
}

TEST_F(EditorEdgesTest, AnExceptionInAHandlerEndsAsAMessageInsteadOfLeavingIt)
{
    SetText("abc\r\n");
    const std::runtime_error failure("書き込めません");
    // The window's own handlers may fail; the caret moves on keys, clicks, pastes and drops.
    editor.OnCaretMoved = [&](TEditor*) { throw failure; };
    QTest::keyClick(&editor, 'x');
    Commit("y");
    Clipboard().setText("z");
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier); // through the menu's shortcut
    QTest::mouseClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(0, 2));
    EXPECT_EQ(Refusals(), QStringList(4, QString::fromUtf8("書き込めません")));
    EXPECT_EQ(Text(), "xyzabc\r\n") << "the edits themselves were made";

    // The change handler runs at the end of the row list's update batch, in a destructor.
    editor.OnCaretMoved = nullptr;
    editor.OnChange = [&](TEditor*) { throw failure; };
    refused.clear();
    QTest::keyClick(&editor, Qt::Key_Backspace);
    EXPECT_EQ(Refusals(), QStringList(1, QString::fromUtf8("書き込めません")));
    editor.OnChange = nullptr;
    Check();
}

// ---- clipboard line breaks --------------------------------------------------------------------

TEST_F(EditorEdgesTest, ThePlainTextFormatCarriesLineFeedsAndTheBoxFormatKeepsCrLf)
{
    SetText("one\r\ntwo\r\nsix\r\n");
    editor.SetSelStart(1);
    editor.SetSelLength(6);
    QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().text(), QString("ne\ntw"));

    editor.SetBoxSelection(true);
    editor.SetRowCol(0, 1);
    editor.StartSelection();
    editor.SetRowCol(2, 3);
    editor.ExtendSelection();
    QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
    const QMimeData& data = *Clipboard().mimeData();
    EXPECT_EQ(data.text(), QString("ne\nwo\nix\n"));
    EXPECT_EQ(data.data(TEditor::BoxMimeType()), QByteArray("ne\r\nwo\r\nix\r\n"));

    // Pasted back, the copy is a box again.
    editor.SetBoxSelection(false);
    editor.CancelSelection();
    editor.SetRowCol(0, 0);
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "neone\r\nwotwo\r\nixsix\r\n");
    Check();
}

TEST_F(EditorEdgesTest, TextFromOtherProgramsWithLineFeedsGetsTheDocumentsLineBreaks)
{
    SetText("ab\r\ncd\r\n");
    editor.SetRowCol(0, 1);
    Clipboard().setText(QString::fromUtf8("1\n表\n"));
    QTest::keyClick(&editor, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Text(), "a1\r\n" + kHyo + "\r\nb\r\ncd\r\n");
    EXPECT_EQ(Caret(), (TEditorPos {2, 0}));
    // Copying it again gives the same text back.
    editor.SetSelStart(1);
    editor.SetSelLength(7);
    QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(Clipboard().text(), QString::fromUtf8("1\n表\n"));
    Check();
}

// ---- X primary selection (xcb only: the offscreen platform has no selection) --------------

TEST_F(EditorEdgesTest, SelectingSetsThePrimarySelectionAndAMiddleClickPastesItThere)
{
    if (!Clipboard().supportsSelection()) {
        if (qEnvironmentVariableIsSet("BRENVIK_TEST_X_SELECTION"))
            FAIL() << "no primary selection under X";
        GTEST_SKIP() << "the platform has no primary selection; ctest runs this under Xvfb";
    }
    SetText("hello world\r\nxy\r\n");
    QTest::mousePress(editor.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(0, 0));
    QTest::mouseMove(editor.viewport(), Cell(0, 3));
    QTest::mouseMove(editor.viewport(), Cell(0, 5));
    QTest::mouseRelease(editor.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(0, 5));
    ASSERT_EQ(editor.SelText(), "hello");
    EXPECT_EQ(Clipboard().text(QClipboard::Selection), QString("hello"));

    Clipboard().setText("clipboard");
    QTest::mouseClick(editor.viewport(), Qt::MiddleButton, Qt::NoModifier, Cell(1, 1));
    EXPECT_EQ(Text(), "hello world\r\nxhelloy\r\n") << "the primary selection, not the clipboard";
    EXPECT_FALSE(editor.HasSelection());
    EXPECT_EQ(Caret(), (TEditorPos {1, 6}));

    // Shift+arrows publish their selection when the key is released; line breaks as LF.
    editor.SetRowCol(0, 6);
    QTest::keyClick(&editor, Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Clipboard().text(QClipboard::Selection), QString("world\nxhello"));

    // Selecting all (the window's Ctrl+A) and a double click publish theirs at once.
    editor.SelectAll();
    EXPECT_EQ(Clipboard().text(QClipboard::Selection), QString("hello world\nxhelloy\n"));
    QTest::mouseDClick(editor.viewport(), Qt::LeftButton, Qt::NoModifier, Cell(0, 8));
    EXPECT_EQ(Clipboard().text(QClipboard::Selection), QString("world"));

    editor.SetReadOnly(true);
    QTest::mouseClick(editor.viewport(), Qt::MiddleButton, Qt::NoModifier, Cell(0, 0));
    EXPECT_EQ(Text(), "hello world\r\nxhelloy\r\n") << "a read-only editor takes no paste";
    Check();
}

// ---- scroll bars ------------------------------------------------------------------------------

std::string Lines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "print \"line\";\r\n";
    return text;
}

TEST(EditorScrollBarsTest, TheVerticalBarFollowsTheTextWithoutAResize)
{
    // As the window opens a script: shown empty first, then loaded.
    TEditor editor;
    editor.resize(900, 700);
    editor.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&editor));
    const QScrollBar& bar = *editor.verticalScrollBar();
    const QSize size = editor.size();
    for (const int count : {117, 0, 1000}) {
        editor.Lines().SetTextStr(Lines(count));
        QApplication::processEvents();
        EXPECT_EQ(bar.isVisible(), count > 0) << count << " lines";
        EXPECT_EQ(bar.maximum(), count);
        EXPECT_EQ(bar.pageStep(), editor.VisibleRows());
    }
    editor.verticalScrollBar()->setValue(500);
    EXPECT_EQ(editor.TopRow(), 500) << "the bar drives the view";
    editor.SetSelStart(qint64(Lines(100).size()));
    editor.SetSelLength(qint64(Lines(900).size()));
    editor.DeleteSelection();
    QApplication::processEvents();
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(editor.TopRow(), 100) << "a shorter text pulls the view back to its end";
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(editor.size(), size) << "no resize was needed";
}

} // namespace
} // namespace brenvik::test
