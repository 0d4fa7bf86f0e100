// The find and replace dialogs offscreen: controls, show, accepting, histories and their store,
// the runners' flag words, and the texts that cannot be searched.
#include "SearchStoreSupport.h"

#include "app/FormReplace.h"
#include "app/FormSearch.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace brenvik {
namespace {

const QString kOptions = QStringLiteral("Options/");

QStringList Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items.append(box->itemText(i));
    return items;
}

// Runs run() while the dialog it opens is answered by act.
template <typename TDialog> bool RunAnswered(const std::function<bool()>& run, const std::function<void(TDialog&)>& act)
{
    QTimer::singleShot(0, [&act] {
        auto* dialog = qobject_cast<TDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
    });
    return run();
}

class FindDialogTest : public ::testing::Test {
protected:
    test::TTempSearchStore store;
};

TEST_F(FindDialogTest, ControlsCaptionsAndTabOrder)
{
    TFormReplace dialog;
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "置換");
    EXPECT_GE(dialog.width(), 531);
    EXPECT_GE(dialog.height(), 215);
    EXPECT_EQ(dialog.Label1->text(), "検索する文字列(&T):");
    EXPECT_EQ(dialog.Label2->text(), "置換える文字列(&R):");
    EXPECT_EQ(dialog.RadioGroup1->title(), " 検索方向 ");
    EXPECT_EQ(dialog.GroupBox1->title(), " ｵﾌﾟｼｮﾝ ");
    EXPECT_EQ(dialog.btnAll->text(), "すべて置換(&A)");
    EXPECT_TRUE(dialog.btnOK->isDefault());
    EXPECT_TRUE(dialog.rdbDown->isChecked());
    EXPECT_TRUE(dialog.chkReplaceConfirm->isChecked());
    EXPECT_TRUE(dialog.ComboBox1->hasFocus() || !dialog.isActiveWindow());
    QWidget* expected[] = {dialog.ComboBox2, dialog.btnOK, dialog.btnAll, dialog.btnCancel};
    QWidget* at = dialog.ComboBox1;
    for (QWidget* next : expected) {
        at = at->nextInFocusChain();
        while (at->focusProxy() || !(at->focusPolicy() & Qt::TabFocus))
            at = at->nextInFocusChain();
        EXPECT_EQ(at, next) << at->objectName().toStdString();
    }
    TFormSearch search;
    search.show();
    EXPECT_EQ(search.windowTitle(), "検索");
    EXPECT_GE(search.width(), 520);
    EXPECT_EQ(search.findChild<QComboBox*>(QStringLiteral("ComboBox2")), nullptr);
}

TEST_F(FindDialogTest, InitialTextAppearsOnceAndAcceptingMovesItToTheTop)
{
    store.SetValue(QStringLiteral("SearchItems/Text"), QStringLiteral("foo\r\na\r\nb\r\n"));
    // Run after run with the selection foo: the history stays [foo, a, b].
    for (int run = 0; run < 3; ++run) {
        TFormSearch dialog;
        dialog.SetInitialText("foo");
        dialog.show();
        EXPECT_EQ(dialog.ComboBox1->currentText(), "foo");
        dialog.btnOKClick();
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(dialog.SearchText(), "foo");
    }
    EXPECT_EQ(store.Value(QStringLiteral("SearchItems/Text")), "foo\r\na\r\nb\r\n");
    // A text standing third moves up; the length stays.
    TFormSearch dialog;
    dialog.show();
    dialog.ComboBox1->setEditText(QStringLiteral("b"));
    dialog.btnOKClick();
    EXPECT_EQ(store.Value(QStringLiteral("SearchItems/Text")), "b\r\nfoo\r\na\r\n");
}

TEST_F(FindDialogTest, HistoryNeverGrowsPast32)
{
    QStringList full;
    for (int i = 0; i < 32; ++i)
        full.append(QStringLiteral("e%1").arg(i));
    store.SetValue(QStringLiteral("SearchItems/Text"), full.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
    for (int run = 0; run < 3; ++run) {
        TFormSearch dialog;
        dialog.SetInitialText("selected");
        dialog.show();
        dialog.ComboBox1->setEditText(QStringLiteral("typed%1").arg(run));
        dialog.btnOKClick();
        EXPECT_EQ(Items(dialog.ComboBox1).size(), 32);
    }
    const QString stored = store.Value(QStringLiteral("SearchItems/Text"));
    EXPECT_EQ(stored.count(QStringLiteral("\r\n")), 32);
    EXPECT_TRUE(stored.startsWith(QStringLiteral("typed2\r\nselected\r\ntyped1\r\n")));
}

TEST_F(FindDialogTest, OptionsAreSharedStoredAndReadForgivingly)
{
    {
        TFormSearch dialog;
        dialog.show();
        dialog.chkMatchCase->setChecked(true);
        dialog.chkIncludeCRLF->setChecked(true);
        dialog.rdbUp->setChecked(true);
        dialog.ComboBox1->setEditText(QStringLiteral("x"));
        dialog.btnOKClick();
        EXPECT_EQ(dialog.OptionFlags(), TSearchFlags(0x182));
    }
    EXPECT_EQ(store.Value(kOptions + "MatchCase"), "1");
    EXPECT_EQ(store.Value(kOptions + "WholeWord"), "0");
    EXPECT_EQ(store.Value(kOptions + "IncludeCRLF"), "1");
    EXPECT_EQ(store.Value(kOptions + "Direction"), "0");
    {
        TFormReplace dialog;
        dialog.show();
        EXPECT_TRUE(dialog.chkMatchCase->isChecked());
        EXPECT_TRUE(dialog.rdbUp->isChecked());
        EXPECT_EQ(dialog.ComboBox1->currentText(), "x");
        EXPECT_EQ(dialog.ComboBox2->currentText(), ""); // history loaded, field empty
    }
    // Values the dialogs never write: "yes" is not checked, "7" and "x" are down, and a
    // history of 100,000 lines with empty ones keeps its first 32 entries.
    store.SetValue(kOptions + "MatchCase", QStringLiteral("yes"));
    store.SetValue(kOptions + "Direction", QStringLiteral("7"));
    QString huge;
    for (int i = 0; i < 100000; ++i)
        huge += i % 2 ? QStringLiteral("\r\n") : QStringLiteral("h%1\r\n").arg(i);
    store.SetValue(QStringLiteral("SearchItems/Text"), huge);
    TFormSearch dialog;
    dialog.show();
    EXPECT_FALSE(dialog.chkMatchCase->isChecked());
    EXPECT_TRUE(dialog.rdbDown->isChecked());
    EXPECT_EQ(dialog.ComboBox1->count(), 32);
    EXPECT_EQ(dialog.ComboBox1->itemText(1), "h2");
    store.SetValue(kOptions + "Direction", QStringLiteral("x"));
    TFormSearch again;
    again.show();
    EXPECT_TRUE(again.rdbDown->isChecked());
}

TEST_F(FindDialogTest, TextWithoutShiftJisFormIsRefusedAndTheDialogStays)
{
    // Half a surrogate pair, leading or trailing, counts as a character without a form.
    for (const QString& bad : {QStringLiteral("€100"), QString(QChar(0xD83D)) + QStringLiteral("x"),
             QStringLiteral("abc") + QChar(0xD83D)}) {
        TFormReplace dialog;
        dialog.show();
        dialog.ComboBox1->setEditText(bad);
        dialog.ComboBox2->setEditText(QStringLiteral("y"));
        dialog.btnAllClick();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(dialog.lblMessage->isHidden());
        EXPECT_TRUE(dialog.lblMessage->text().contains(bad.contains(QChar(0x20AC)) ? QStringLiteral("€") : QStringLiteral("U+D83D")));
        EXPECT_TRUE(dialog.SearchText().empty());
    }
    // The replacement is checked too, and nothing is stored by a refusal.
    TFormReplace dialog;
    dialog.show();
    dialog.ComboBox1->setEditText(QStringLiteral("a"));
    dialog.ComboBox2->setEditText(QStringLiteral("€"));
    dialog.btnOKClick();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(store.Value(QStringLiteral("SearchItems/Text")), "");
}

// With a UTF-8 document's table an emoji it holds is searched by its code there; without the table
// it has no Shift_JIS form and is refused.
TEST_F(FindDialogTest, TheDocumentsOwnCharactersBecomeItsCodes)
{
    TDocumentChars chars;
    ASSERT_EQ(chars.Take(U'\U0001F600'), 0xF040);
    const QString emoji = QString::fromUtf8("😀a");
    TFormReplace dialog;
    dialog.SetDocumentChars(chars);
    dialog.show();
    dialog.ComboBox1->setEditText(emoji);
    dialog.ComboBox2->setEditText(emoji);
    dialog.btnOKClick();
    EXPECT_EQ(dialog.SearchText(), std::string("\xF0\x40") + "a");
    EXPECT_EQ(dialog.ReplaceText(), std::string("\xF0\x40") + "a");
    TFormSearch plain;
    plain.show();
    plain.ComboBox1->setEditText(emoji);
    plain.btnOKClick();
    EXPECT_TRUE(plain.SearchText().empty());
    EXPECT_FALSE(plain.lblMessage->isHidden());
}

// An expression that does not compile, or a replacement naming a group it lacks, is refused in
// the dialog with the reason and place; the option is stored and turns the skips off.
TEST_F(FindDialogTest, TheExpressionOptionRefusesBadExpressionsAndReplacements)
{
    {
        TFormReplace dialog;
        dialog.show();
        EXPECT_EQ(dialog.chkRegExp->text(), "正規表現(&X)");
        dialog.chkRegExp->setChecked(true);
        EXPECT_FALSE(dialog.chkIncludeCRLF->isEnabled());
        dialog.ComboBox1->setEditText(QStringLiteral("(\\w+)=(\\d{2,1})"));
        dialog.ComboBox2->setEditText(QStringLiteral("$1"));
        dialog.btnAllClick();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.lblMessage->text().toStdString(),
            "正規表現が正しくありません: upper is smaller than lower in repeat range（14 文字目）");
        EXPECT_TRUE(dialog.SearchText().empty());
        // Corrected, the replacement's $3 is refused in turn.
        dialog.ComboBox1->setEditText(QStringLiteral("(\\w+)=(\\d+)"));
        dialog.ComboBox2->setEditText(QStringLiteral("$2=$3"));
        dialog.btnAllClick();
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_EQ(dialog.lblMessage->text().toStdString(), "置換文字列の $3 に当たるグループがありません");
        EXPECT_TRUE(dialog.ComboBox2->hasFocus() || !dialog.isActiveWindow());
        EXPECT_EQ(store.Value(kOptions + "RegExp"), "");
        dialog.ComboBox2->setEditText(QStringLiteral("$2=$1"));
        dialog.btnAllClick();
        EXPECT_EQ(dialog.result(), TFormReplace::ResultAll);
        EXPECT_EQ(dialog.Flags().Bits() & TSearchFlags::RegExp, TSearchFlags::RegExp);
        EXPECT_EQ(dialog.ReplaceText(), "$2=$1");
    }
    EXPECT_EQ(store.Value(kOptions + "RegExp"), "1");
    TFormSearch next;
    next.show();
    EXPECT_TRUE(next.chkRegExp->isChecked());
    // The same text without the option is no expression, and is accepted.
    next.chkRegExp->setChecked(false);
    EXPECT_TRUE(next.chkIncludeCRLF->isEnabled());
    next.ComboBox1->setEditText(QStringLiteral("a{2,1}"));
    next.btnOKClick();
    EXPECT_EQ(next.SearchText(), "a{2,1}");
    EXPECT_EQ(store.Value(kOptions + "RegExp"), "0");
}

TEST_F(FindDialogTest, SelectionKeepsItsBytesAndLineBreaksAreCut)
{
    // 纊 as NEC-selected ED 40 decodes and re-encodes as FA 5C; the selection's bytes are kept.
    TFormSearch dialog;
    dialog.SetInitialText("\xED\x40");
    dialog.show();
    dialog.btnOKClick();
    EXPECT_EQ(dialog.SearchText(), "\xED\x40");
    // A selection over two lines offers its first line; one over 1,000 bytes nothing.
    TFormSearch lines;
    lines.SetInitialText("first\r\nsecond");
    lines.show();
    EXPECT_EQ(Items(lines.ComboBox1).first(), "first");
    TFormSearch longOne;
    longOne.SetInitialText(std::string(1001, 'x'));
    longOne.show();
    EXPECT_FALSE(Items(longOne.ComboBox1).contains(QString(1001, QLatin1Char('x'))));
    // A pasted line break is searched for this run but not stored.
    TFormSearch pasted;
    pasted.show();
    pasted.ComboBox1->setEditText(QStringLiteral("a\nb"));
    pasted.btnOKClick();
    EXPECT_EQ(pasted.SearchText(), "a\nb");
    EXPECT_FALSE(store.Value(QStringLiteral("SearchItems/Text")).contains(QLatin1Char('\n') + QStringLiteral("b")));
}

// Typed keys: what is typed is what is searched for and written, whatever the history holds, and
// the first Enter ends the dialog.
TEST_F(FindDialogTest, TypedTextIsTakenAsTypedAndOneEnterRuns)
{
    store.SetValue(QStringLiteral("SearchItems/Text"), QStringLiteral("foo\r\n本文\r\n"));
    store.SetValue(QStringLiteral("ReplaceItems/Text"), QStringLiteral("Word\r\n"));
    const auto typeInto = [](QComboBox* box, const QString& text) {
        box->lineEdit()->selectAll();
        QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
        for (const QChar c : text) {
            if (c.unicode() < 0x80)
                QTest::keyClick(box->lineEdit(), char(c.unicode()));
            else // as a key of the input method's keyboard would
                QTest::sendKeyEvent(QTest::Click, box->lineEdit(), Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    };
    for (const QString& typed : {QStringLiteral("Foo"), QStringLiteral("fo"), QStringLiteral("本")}) {
        TFormSearch dialog;
        dialog.show();
        dialog.chkMatchCase->setChecked(true);
        typeInto(dialog.ComboBox1, typed);
        EXPECT_EQ(dialog.ComboBox1->currentText(), typed);
        QTest::keyClick(dialog.ComboBox1->lineEdit(), Qt::Key_Return);
        EXPECT_EQ(dialog.result(), QDialog::Accepted) << typed.toStdString();
        EXPECT_EQ(dialog.SearchText(), typed.toStdString() == "本" ? std::string("\x96\x7B") : typed.toStdString());
    }
    TFormReplace dialog;
    dialog.show();
    typeInto(dialog.ComboBox1, QStringLiteral("w"));
    typeInto(dialog.ComboBox2, QStringLiteral("WORD"));
    QTest::keyClick(dialog.ComboBox2->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.ReplaceText(), "WORD");
    // The history is still offered in the drop-down.
    EXPECT_EQ(Items(dialog.ComboBox2).first(), "WORD");
    EXPECT_TRUE(Items(dialog.ComboBox2).contains(QStringLiteral("Word")));
}

TEST_F(FindDialogTest, RunnersReturnTextsAndFlagWords)
{
    TFindRequest request;
    EXPECT_TRUE(RunAnswered<TFormSearch>([&] { return SearchDialogRun(nullptr, "abc", TDocumentChars(), request); },
        [](TFormSearch& d) {
            d.chkWholeWord->setChecked(true);
            d.chkIncludeCRLF->setChecked(true);
            QTest::mouseClick(d.btnOK, Qt::LeftButton);
        }));
    EXPECT_EQ(request.Search, "abc");
    EXPECT_EQ(request.Flags, TSearchFlags(0x185));
    // All gives ReplaceAll and not Replace; OK the reverse; the confirmation adds 0x040.
    EXPECT_TRUE(RunAnswered<TFormReplace>([&] { return ReplaceDialogRun(nullptr, "abc", TDocumentChars(), request); },
        [](TFormReplace& d) {
            d.chkIncludeCRLF->setChecked(false);
            d.ComboBox2->setEditText(QStringLiteral("xyz"));
            QTest::mouseClick(d.btnAll, Qt::LeftButton);
        }));
    EXPECT_EQ(request.Replacement, "xyz");
    EXPECT_EQ(request.Flags, TSearchFlags(0x004 | 0x001 | 0x020 | 0x040));
    EXPECT_TRUE(RunAnswered<TFormReplace>([&] { return ReplaceDialogRun(nullptr, "abc", TDocumentChars(), request); },
        [](TFormReplace& d) {
            d.chkReplaceConfirm->setChecked(false);
            d.ComboBox2->setEditText(QStringLiteral("xyz"));
            QTest::mouseClick(d.btnOK, Qt::LeftButton);
        }));
    EXPECT_EQ(request.Flags, TSearchFlags(0x004 | 0x001 | 0x010));
    // An empty replacement is refused though the search text was given; Esc and Cancel give false.
    EXPECT_FALSE(RunAnswered<TFormReplace>([&] { return ReplaceDialogRun(nullptr, "abc", TDocumentChars(), request); },
        [](TFormReplace& d) { QTest::mouseClick(d.btnOK, Qt::LeftButton); }));
    EXPECT_EQ(request.Search, "abc");
    EXPECT_FALSE(RunAnswered<TFormSearch>([&] { return SearchDialogRun(nullptr, "abc", TDocumentChars(), request); },
        [](TFormSearch& d) { QTest::keyClick(&d, Qt::Key_Escape); }));
    EXPECT_FALSE(RunAnswered<TFormSearch>([&] { return SearchDialogRun(nullptr, "abc", TDocumentChars(), request); },
        [](TFormSearch& d) { QTest::mouseClick(d.btnCancel, Qt::LeftButton); }));
    EXPECT_TRUE(request.Search.empty());
}

// 選択範囲内 is taken from a click in both dialogs and starts unchecked each time.
TEST_F(FindDialogTest, InSelectionIsAskedOnEachRun)
{
    TFindRequest request;
    const auto searchInSelection = [](TFormSearch& d) {
        EXPECT_FALSE(d.chkInSelection->isChecked());
        // On the box itself: a click past the caption's end misses.
        QTest::mouseClick(d.chkInSelection, Qt::LeftButton, {}, QPoint(6, d.chkInSelection->height() / 2));
        QTest::mouseClick(d.btnOK, Qt::LeftButton);
    };
    EXPECT_TRUE(RunAnswered<TFormSearch>(
        [&] { return SearchDialogRun(nullptr, "abc", TDocumentChars(), request); }, searchInSelection));
    EXPECT_TRUE(request.InSelection);
    EXPECT_TRUE(RunAnswered<TFormReplace>([&] { return ReplaceDialogRun(nullptr, "abc", TDocumentChars(), request); },
        [](TFormReplace& d) {
            EXPECT_FALSE(d.chkInSelection->isChecked());
            d.ComboBox2->setEditText(QStringLiteral("xyz"));
            QTest::mouseClick(d.btnAll, Qt::LeftButton);
        }));
    EXPECT_FALSE(request.InSelection);
}

} // namespace
} // namespace brenvik
