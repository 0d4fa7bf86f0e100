// The explorer in the main window, offscreen: lists after a load, default commands and Shift,
// focus and selection across a rebuild, the side file's life, the background rebuild.
#include "FakePrompts.h"
#include "app/ExplorerListModel.h"
#include "app/ExplorerPanel.h"
#include "app/RowHighlighter.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "editor/EditorFont.h"
#include "model/ExplorerNames.h"
#include "model/ExplorerSideFile.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

using test::TFakePrompts;
using TNames = std::vector<std::string>;

const QByteArray kScript = "#!/usr/bin/perl\r\n# \x83\x52\x83\x81\x83\x93\x83\x67\r\n"
                           "$b = 1; $a = 2; @list = ($a); %h = ();\r\n"
                           "sub show {\r\n  print \"$only $a\";\r\n}\r\n&show;\r\n";

class ExplorerWindowTest : public ::testing::Test {
protected:
    ExplorerWindowTest()
    {
        qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit());
        window = std::make_unique<TfrmMain>(&prompts);
    }
    ~ExplorerWindowTest() override { qunsetenv("BRENVIK_HOME"); }

    // An open or a save rebuilds the lists in the background: these wait for it.
    bool LoadAndList(const QString& path)
    {
        const bool loaded = window->LoadFile(path);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->Explorer().ListsPending(); }));
        return loaded;
    }
    bool SaveAndList(const QString& path, JCode jcode, RCode rcode)
    {
        const bool saved = window->SaveFile(path, jcode, rcode);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->Explorer().ListsPending(); }));
        return saved;
    }

    QString Write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(FHome.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return FHome.filePath(name);
    }
    static QByteArray Read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QListView* List(const char* name) const { return window->findChild<QListView*>(QLatin1String(name)); }
    void Select(const char* list, int row) const
    {
        QListView* view = List(list);
        view->setCurrentIndex(view->model()->index(row, 0));
    }
    QAction* MenuItem(const char* name) const { return window->findChild<QAction*>(QLatin1String(name)); }

    QTemporaryDir FHome;
    TFakePrompts prompts;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(ExplorerWindowTest, ALoadFillsTheListsAndTheSortActionRebuilds)
{
    ASSERT_TRUE(LoadAndList(Write("a.cgi", kScript)));
    EXPECT_EQ(window->Explorer().ListModel(elVariable).Names(), (TNames {"a", "b"}));
    EXPECT_EQ(window->Explorer().ListModel(elArrangement).Names(), (TNames {"list"}));
    EXPECT_EQ(window->Explorer().ListModel(elAssocArr).Names(), (TNames {"h"}));
    EXPECT_EQ(window->Explorer().ListModel(elSubRoutine).Names(), (TNames {"show"}));
    EXPECT_EQ(List("lbxVariable")->model()->data(List("lbxVariable")->model()->index(0, 0)).toString(), "a");

    QAction* sort = window->Action(QStringLiteral("actSortVariable"));
    window->IdleUpdate();
    EXPECT_TRUE(sort->isChecked());
    sort->trigger();
    EXPECT_FALSE(window->Options().VariableSorted);
    EXPECT_EQ(window->Explorer().ListModel(elVariable).Names(), (TNames {"b", "a"}));
    // The menus: captions, the default item, the sort item.
    auto* menu = window->findChild<QMenu*>(QStringLiteral("mnuSubRoutine"));
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->defaultAction(), MenuItem("mnuSubRoutineA"));
    EXPECT_EQ(MenuItem("mnuSubRoutineE")->text(), QStringLiteral("使用先に上へ移動(&U)"));
    EXPECT_EQ(
        window->findChild<QMenu*>(QStringLiteral("mnuKeyWord"))->defaultAction(), MenuItem("mnuKeyWordC"));
    EXPECT_TRUE(window->findChild<QMenu*>(QStringLiteral("mnuVariable"))->actions().contains(sort));
}

TEST_F(ExplorerWindowTest, DoubleClickRunsTheDefaultAndShiftMakesAnotherTheDefault)
{
    window->show();
    ASSERT_TRUE(LoadAndList(Write("a.cgi", kScript)));
    Select("lbxVariable", 0); // a
    QListView* view = List("lbxVariable");
    // The list may be a hidden page of the tab sheet: its double-click signal stands for the click.
    const QModelIndex item = view->model()->index(0, 0);
    emit view->doubleClicked(item);
    EXPECT_EQ(window->Editor().SelText(), "$a") << "go to use, forward";
    EXPECT_FALSE(window->Explorer().RowHighlighter().KeywordOn());

    // Shift held as the command runs: the question, then the new default.
    QTest::keyPress(window->windowHandle(), Qt::Key_Shift, Qt::ShiftModifier);
    prompts.OkCancelAnswer = true;
    MenuItem("mnuVariableB")->trigger();
    QTest::keyRelease(window->windowHandle(), Qt::Key_Shift, Qt::NoModifier);
    ASSERT_EQ(prompts.Asked.size(), 1);
    EXPECT_EQ(prompts.Asked.front(), QStringLiteral("デフォルトに指定しますか？"));
    EXPECT_EQ(window->Options().VariableDefaultMenu, 1);
    EXPECT_EQ(
        window->findChild<QMenu*>(QStringLiteral("mnuVariable"))->defaultAction(), MenuItem("mnuVariableB"));
    EXPECT_FALSE(window->Explorer().RowHighlighter().KeywordOn()) << "OK ends the command";

    emit view->doubleClicked(item);
    EXPECT_TRUE(window->Explorer().RowHighlighter().KeywordOn());
    EXPECT_EQ(window->Explorer().RowHighlighter().Keyword(), "a");
    window->Action(QStringLiteral("actKeyWordViewOFF"))->trigger();
    EXPECT_FALSE(window->Explorer().RowHighlighter().KeywordOn());
}

TEST_F(ExplorerWindowTest, MissesAreReportedInPanelFive)
{
    ASSERT_TRUE(LoadAndList(Write("a.cgi", "@x = (); sub s { }\r\n")));
    window->Editor().Lines().SetTextStr("@y;\r\n");
    Select("lbxArrangement", 0);
    MenuItem("mnuArrangementA")->trigger();
    EXPECT_EQ(window->StatusPanelText(5), QStringLiteral("@x、$xは見つかりませんでした"));
    Select("lbxSubRoutine", 0);
    MenuItem("mnuSubRoutineA")->trigger();
    EXPECT_EQ(window->StatusPanelText(5), QStringLiteral("サブルーチンs は見つかりませんでした"));
}

TEST_F(ExplorerWindowTest, ARebuildKeepsFocusSelectionAndScroll)
{
    window->show();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QByteArray script;
    for (int i = 0; i < 200; ++i)
        script += "$v" + QByteArray::number(1000 + i) + " = 1;\r\n";
    ASSERT_TRUE(LoadAndList(Write("a.cgi", script)));
    QListView* view = List("lbxVariable");
    view->setFocus();
    ASSERT_TRUE(view->hasFocus());
    Select("lbxVariable", 150);
    view->scrollTo(view->currentIndex());
    const int scroll = view->verticalScrollBar()->value();
    // A name before the selected one appears: the same name stays selected.
    window->Editor().SetRowCol(0, 0);
    window->Editor().TypeText("$v0000;");
    window->Explorer().MakeList();
    EXPECT_TRUE(view->hasFocus()) << "never hidden";
    EXPECT_EQ(window->Explorer().ListModel(elVariable).NameAt(view->currentIndex().row()), "v1150");
    EXPECT_EQ(view->verticalScrollBar()->value(), scroll);
    // The name gone: the same index, or the last one when the list got shorter.
    window->Editor().Lines().SetTextStr("$z;\r\n");
    window->Explorer().MakeList();
    EXPECT_EQ(view->currentIndex().row(), 0);
}

TEST_F(ExplorerWindowTest, KeywordsAndMemoLiveInTheSideFileOfTheScript)
{
    const QString first = Write("a.cgi", kScript);
    ASSERT_TRUE(LoadAndList(first));
    window->Editor().SetSelStart(0);
    window->Editor().SetSelLength(2);
    window->Action(QStringLiteral("actKeyWordAdd"))->trigger();
    const QString side = window->Document().Side().Path();
    EXPECT_EQ(side, SideFilePath(FHome.filePath(QStringLiteral("ini")), first));
    EXPECT_EQ(Read(side), "#!\r\n");
    EXPECT_TRUE(window->Explorer().RowHighlighter().KeywordOn());

    // The memo, then another script replaces this one: the change is kept.
    auto* memo = window->findChild<QPlainTextEdit*>(QStringLiteral("memMemo"));
    ASSERT_FALSE(memo->isReadOnly());
    memo->setPlainText(QStringLiteral("メモ\n二行目"));
    // Text with no Shift_JIS form is refused, as the editor refuses it.
    memo->moveCursor(QTextCursor::End);
    memo->insertPlainText(QStringLiteral("\U0001F600"));
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("メモ\n二行目"));
    EXPECT_FALSE(window->StatusPanelText(5).isEmpty());
    ASSERT_TRUE(LoadAndList(Write("b.cgi", "$x;\r\n")));
    EXPECT_EQ(Read(side), "#!\r\n\x83\x81\x83\x82\r\n\x93\xf1\x8d\x73\x96\xda\r\n");
    // A script without a side file starts empty and a save does not carry the other's.
    EXPECT_EQ(window->Explorer().ListModel(kKeyWordList).rowCount(), 0);
    EXPECT_TRUE(memo->toPlainText().isEmpty());
    ASSERT_TRUE(SaveAndList(FHome.filePath("b.cgi"), jcSjis, rcCrLf));
    EXPECT_EQ(Read(SideFilePath(FHome.filePath(QStringLiteral("ini")), FHome.filePath("b.cgi"))), "\r\n");

    // Back to the first: its keywords and memo return; a deletion is written at the close.
    ASSERT_TRUE(LoadAndList(first));
    EXPECT_EQ(window->Explorer().ListModel(kKeyWordList).Names(), TNames {"#!"});
    EXPECT_EQ(memo->toPlainText(), QStringLiteral("メモ\n二行目"));
    Select("lbxKeyWord", 0);
    MenuItem("mnuKeyWordDelete")->trigger();
    EXPECT_EQ(Read(side).left(4), "#!\r\n") << "a deletion writes nothing by itself";
    window->close();
    EXPECT_TRUE(Read(side).startsWith("\r\n\x83\x81"));
}

// A UTF-8 script's own character (an emoji, held at F0 40) made a keyword shows as itself in the
// list, not as the private-use character code page 932 gives F0 40.
TEST_F(ExplorerWindowTest, ListsShowAUtf8ScriptsOwnCharacters)
{
    ASSERT_TRUE(LoadAndList(Write("u.cgi", "print \"\xF0\x9F\x98\x80\";\n")));
    window->Editor().SetSelStart(7);
    window->Editor().SetSelLength(2);
    window->Action(QStringLiteral("actKeyWordAdd"))->trigger();
    ASSERT_EQ(window->Explorer().ListModel(kKeyWordList).Names(), TNames {"\xF0\x40"});
    QAbstractItemModel* model = List("lbxKeyWord")->model();
    EXPECT_EQ(model->data(model->index(0, 0)).toString(), QString::fromUtf8("😀"));
}

TEST_F(ExplorerWindowTest, EnterRebuildsInTheBackgroundWithListUpdateOne)
{
    window->show();
    ASSERT_TRUE(LoadAndList(Write("a.cgi", "$first;\r\n")));
    window->Editor().SetRowCol(0, 0);
    window->Editor().TypeText("$typed;");
    QCoreApplication::processEvents();
    EXPECT_FALSE(window->Explorer().ListsPending()) << "typing alone starts no rebuild";
    EXPECT_EQ(window->Explorer().ListModel(elVariable).Names(), TNames {"first"});
    QTest::keyClick(&window->Editor(), Qt::Key_Return);
    EXPECT_TRUE(window->Explorer().ListsPending());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->Explorer().ListsPending(); }));
    EXPECT_EQ(window->Explorer().ListModel(elVariable).Names(), (TNames {"first", "typed"}));
    EXPECT_EQ(window->Editor().Lines().Get(1), "$first;") << "the editor still had the key";
}

TEST_F(ExplorerWindowTest, TheBackgroundRebuildFollowsChangesWithListUpdateTwo)
{
    {
        QSettings settings(FHome.filePath("brenvik.ini"), QSettings::IniFormat);
        settings.setValue("Option/ListUpdate", 2);
    }
    window = std::make_unique<TfrmMain>(&prompts);
    ASSERT_TRUE(LoadAndList(Write("a.cgi", "$first;\r\n")));
    window->Editor().SetRowCol(1, 0);
    window->Editor().TypeText("$second;");
    EXPECT_EQ(window->Explorer().ListModel(elVariable).Names(), TNames {"first"}) << "not before the quiet spell";
    EXPECT_TRUE(window->Explorer().ListsPending());
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->Explorer().ListsPending(); }));
    EXPECT_EQ(window->Explorer().ListModel(elVariable).Names(), (TNames {"first", "second"}));
}

TEST_F(ExplorerWindowTest, AfterARestartTheListsAndTheMemoShowTheStoredFontAndColours)
{
    // The first run changes the editor's look and writes it, as the options dialog does.
    window->Editor().Font()->SetName(QStringLiteral("Monospace"));
    window->Editor().Font()->SetSize(17);
    window->Editor().Font()->SetColor(0x00336699);
    window->Editor().SetColor(0x00E0F0FF);
    ASSERT_TRUE(window->WriteViewSettings());
    window.reset();

    window = std::make_unique<TfrmMain>(&prompts);
    const QString family = window->Editor().Font()->ToQFont().family();
    for (const char* name : {"lbxSubRoutine", "lbxVariable", "lbxArrangement", "lbxAssocArr", "lbxKeyWord", "memMemo"}) {
        const QWidget* view = window->findChild<QWidget*>(QLatin1String(name));
        ASSERT_NE(view, nullptr) << name;
        EXPECT_EQ(view->font().pointSize(), 17) << name;
        EXPECT_EQ(view->font().family(), family) << name;
        EXPECT_EQ(view->palette().color(QPalette::Base), QColor(0xFF, 0xF0, 0xE0)) << name;
        EXPECT_EQ(view->palette().color(QPalette::Text), QColor(0x99, 0x66, 0x33)) << name;
    }
    EXPECT_TRUE(prompts.Errors.isEmpty());
}

} // namespace
} // namespace brenvik
