// The print-statement builder, the phrase menus, the line tools and the marks, driven through
// the windows offscreen with their dialogs answered by a fake.
#include "FakePrompts.h"
#include "app/frmMain.h"
#include "app/frmPrint.h"
#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "text/EditorStrings.h"
#include "text/EditorWrapOption.h"

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

class BuilderWindowTest : public ::testing::Test {
protected:
    BuilderWindowTest() { qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit()); }
    ~BuilderWindowTest() override
    {
        window.reset();
        qunsetenv("BRENVIK_HOME");
    }

    void Open() { window = std::make_unique<TfrmMain>(&prompts); }
    QString Path(const QString& name) const { return FHome.filePath(name); }
    void Write(const QString& name, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(Path(name)).path());
        QFile file(Path(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    TEditor& Main() const { return window->Editor(); }
    TfrmPrint& Builder() const { return window->Builder(); }
    TEditor& Typed() const { return Builder().Editor(); }
    std::string MainText() const { return Main().Lines().GetTextStr(); }
    std::string TypedText() const { return Typed().Lines().GetTextStr(); }
    void Trigger(const char* name) const { Builder().Action(QLatin1String(name))->trigger(); }
    // The first item named caption anywhere in menu.
    static QAction* Item(const QMenu& menu, const QString& caption)
    {
        for (QAction* action : menu.actions()) {
            if (action->text() == caption)
                return action;
            if (action->menu())
                if (QAction* found = Item(*action->menu(), caption))
                    return found;
        }
        return nullptr;
    }
    QMenu& PhraseMenu(QMainWindow& owner) const
    {
        return *owner.menuBar()->findChild<QMenu*>(QStringLiteral("mnuConst"));
    }

    QTemporaryDir FHome;
    test::TFakePrompts prompts;
    std::unique_ptr<TfrmMain> window;
};

TEST_F(BuilderWindowTest, StartsHiddenWithTheDesignedFormsAndIsShownAndHiddenByItsCommand)
{
    Open();
    EXPECT_FALSE(Builder().isVisible());
    EXPECT_EQ(Builder().windowTitle(), QStringLiteral("Print文挿入"));
    EXPECT_EQ(Typed().Caret()->TabSpaceCount(), 4);
    EXPECT_TRUE(Typed().WordWrap());
    EXPECT_EQ(Typed().WrapOption()->WrapByte(), 80);
    EXPECT_EQ(Typed().UndoListMax(), 64);
    EXPECT_EQ(Builder().Form(), TPrintForm::pfDoubleQuoted);
    const QStringList captions {QStringLiteral("”～”：変数展開有り(&1)"),
        QStringLiteral("’～’：変数展開無し(&2)"), QStringLiteral("”ヒアドキュメント”：変数展開有り(&3)"),
        QStringLiteral("’ヒアドキュメント’：変数展開無し(&4)")};
    const char* names[]
        = {"mnuDoubleQuotation", "mnuSingleQuotation", "mnuHearDoubleQuotation", "mnuHearSingleQuotation"};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Builder().Action(QLatin1String(names[i]))->text(), captions[i]);
    Trigger("mnuHearSingleQuotation");
    EXPECT_EQ(Builder().Form(), TPrintForm::pfHereSingle);
    EXPECT_FALSE(Builder().Action(QStringLiteral("mnuDoubleQuotation"))->isChecked());
    EXPECT_EQ(Builder().Action(QStringLiteral("actInsert"))->shortcut(),
        QKeySequence(QStringLiteral("Ctrl+Shift+I")));
    EXPECT_EQ(Builder().Action(QStringLiteral("actInsertClose"))->shortcut(),
        QKeySequence(QStringLiteral("Ctrl+I")));

    QAction* show = window->Action(QStringLiteral("actfrmPrint"));
    show->trigger();
    window->IdleUpdate();
    EXPECT_TRUE(Builder().isVisible());
    EXPECT_TRUE(show->isChecked());
    show->trigger();
    window->IdleUpdate();
    EXPECT_FALSE(Builder().isVisible());
    EXPECT_FALSE(show->isChecked());
}

TEST_F(BuilderWindowTest, InsertLinesUpUnderTheMainCaretAndReplacesTheSelectionInOneStep)
{
    Open();
    Main().Lines().SetTextStr("\tab-cd\r\n");
    Main().SetRowCol(0, 6); // after the tab and "ab", tab width 4
    Main().StartSelection();
    Main().SetRowCol(0, 7);
    Main().ExtendSelection();
    Typed().Lines().SetTextStr("<p>\r\n\"x\"\r\n");
    Trigger("actInsert");
    EXPECT_EQ(MainText(), "\tabprint \"<p>\\n\" ;\r\n\t  print \"\\\"x\\\"\\n\" ;\r\ncd\r\n");
    EXPECT_EQ(TypedText(), "<p>\r\n\"x\"\r\n");
    Main().Undo();
    EXPECT_EQ(MainText(), "\tab-cd\r\n");
    EXPECT_FALSE(Main().CanUndo());
}

TEST_F(BuilderWindowTest, AWrappedBuilderLineIsOneStatement)
{
    Open();
    Typed().Lines().SetTextStr(std::string(100, 'w'));
    ASSERT_GT(Typed().RowCount(), 1);
    EXPECT_EQ(Builder().Statements(), "print \"" + std::string(100, 'w') + "\\n\" ;\r\n");
}

TEST_F(BuilderWindowTest, TheVerticalScrollBarShowsOnlyWhileTheRowsOverflow)
{
    Open();
    window->Action(QStringLiteral("actfrmPrint"))->trigger();
    Typed().Lines().SetTextStr("a\r\n");
    EXPECT_EQ(Typed().ScrollBars(), TEditorEnums::ssHorizontal);
    Typed().Lines().SetTextStr(std::string(size_t(Typed().VisibleRows()) + 1, '\n'));
    EXPECT_EQ(Typed().ScrollBars(), TEditorEnums::ssBoth);
}

TEST_F(BuilderWindowTest, InsertAndCloseClearsTheBuilderAsOneUndoStep)
{
    Open();
    window->Action(QStringLiteral("actfrmPrint"))->trigger();
    Typed().Lines().SetTextStr("hello\r\n");
    Trigger("mnuSingleQuotation");
    Trigger("actInsertClose");
    EXPECT_EQ(MainText(), "print 'hello' . \"\\n\" ;\r\n");
    EXPECT_FALSE(Builder().isVisible());
    EXPECT_EQ(TypedText(), "");
    // Reopened: empty, the chosen form kept, and Ctrl+Z brings the text back.
    window->Action(QStringLiteral("actfrmPrint"))->trigger();
    EXPECT_EQ(Builder().Form(), TPrintForm::pfSingleQuoted);
    Trigger("actUndo");
    EXPECT_EQ(TypedText(), "hello\r\n");
    // Closing the window the way the title bar does works the same.
    Builder().close();
    EXPECT_FALSE(Builder().isVisible());
    EXPECT_EQ(TypedText(), "");
}

TEST_F(BuilderWindowTest, AReadOnlyMainEditorRefusesAndTheBuilderKeepsItsText)
{
    Open();
    window->Action(QStringLiteral("actfrmPrint"))->trigger();
    Main().SetReadOnly(true);
    Typed().Lines().SetTextStr("x\r\n");
    Trigger("actInsertClose");
    EXPECT_EQ(MainText(), "");
    EXPECT_TRUE(Builder().isVisible());
    EXPECT_EQ(TypedText(), "x\r\n");
    EXPECT_EQ(window->StatusPanelText(5), QStringLiteral("読み取り専用のため挿入できません。"));
}

TEST_F(BuilderWindowTest, PrintIniIsWrittenAtTheEndAndDamageGivesTheDefaults)
{
    Open();
    Typed().WrapOption()->SetWrapByte(60);
    window.reset();
    {
        QSettings ini(Path(QStringLiteral("Print.ini")), QSettings::IniFormat);
        EXPECT_EQ(ini.value(QStringLiteral("Option/Version")).toInt(), 300);
        EXPECT_EQ(ini.value(QStringLiteral("Option/WordWrapWindow")).toInt(), 1);
        EXPECT_TRUE(ini.contains(QStringLiteral("property/edrPrint_c")));
        EXPECT_TRUE(ini.contains(QStringLiteral("property/HTMLFountain_c")));
    }
    Open();
    EXPECT_EQ(Typed().WrapOption()->WrapByte(), 60);
    window.reset();

    Write(QStringLiteral("Print.ini"),
        "[Option]\r\nWordWrapWindow=abc\r\n[property]\r\nedrPrint_c=9999\r\nedrPrint_d0=ZZ0G\r\n"
        "HTMLFountain_c=2\r\nHTMLFountain_d0=FFFFFFFFFFFFFFFFFFFF\r\n");
    Open();
    EXPECT_TRUE(Builder().WordWrapWindow());
    EXPECT_TRUE(Typed().WordWrap());
    EXPECT_EQ(Typed().Caret()->TabSpaceCount(), 4);
}

TEST_F(BuilderWindowTest, PhraseMenusOfBothWindowsInsertTheirFilesLinedUp)
{
    Write(QStringLiteral("Const/CGI/header.txt"), "print \"Content-type: text/html\\n\\n\";\r\nexit;\r\n");
    Write(QStringLiteral("Const/big.txt"), QByteArray(1024 * 1024 + 1, 'a'));
    Write(QStringLiteral("p_const/br.txt"), "<br>");
    Open();
    EXPECT_EQ(PhraseMenu(*window).actions().at(0), window->Action(QStringLiteral("actMakeConst")));
    Main().Lines().SetTextStr("\tif (1) {  }\r\n");
    Main().SetRowCol(0, 4 + 8); // inside the braces
    QAction* header = Item(PhraseMenu(*window), QStringLiteral("header.txt"));
    ASSERT_NE(header, nullptr);
    header->trigger();
    EXPECT_EQ(MainText(), "\tif (1) {print \"Content-type: text/html\\n\\n\";\r\n\t        exit;\r\n  }\r\n");

    Item(PhraseMenu(*window), QStringLiteral("big.txt"))->trigger();
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_TRUE(prompts.Errors.front().contains(QStringLiteral("大きすぎます")));

    // No final line break: the phrase stays inside the line.
    Typed().Lines().SetTextStr("<p></p>");
    Typed().SetRowCol(0, 3);
    Item(PhraseMenu(Builder()), QStringLiteral("br.txt"))->trigger();
    EXPECT_EQ(TypedText(), "<p><br></p>");

    // A file added later shows after the update command.
    Write(QStringLiteral("Const/new.txt"), "n\r\n");
    EXPECT_EQ(Item(PhraseMenu(*window), QStringLiteral("new.txt")), nullptr);
    window->Action(QStringLiteral("actMakeConst"))->trigger();
    EXPECT_NE(Item(PhraseMenu(*window), QStringLiteral("new.txt")), nullptr);
}

TEST_F(BuilderWindowTest, LineToolsAreEnabledOnlyWithASelection)
{
    Open();
    Main().Lines().SetTextStr("a\r\nb\r\n");
    window->IdleUpdate();
    QAction* comment = window->Action(QStringLiteral("actToolComment"));
    EXPECT_FALSE(comment->isEnabled());
    EXPECT_FALSE(window->Action(QStringLiteral("actToolIndent"))->isEnabled());
    Main().SelectAll();
    window->IdleUpdate();
    ASSERT_TRUE(comment->isEnabled());
    comment->trigger();
    window->Action(QStringLiteral("actToolIndent"))->trigger();
    EXPECT_EQ(MainText(), "\t#a\r\n\t#b\r\n");
}

// Pixels of the marks' grey in a painted editor.
int GreyPixels(TEditor& editor)
{
    const QImage image = editor.viewport()->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y) == QColor(0x80, 0x80, 0x80) ? 1 : 0;
    return count;
}

TEST_F(BuilderWindowTest, MarksFollowTheMainOptionsAndTheBuilderAlwaysDrawsThem)
{
    Write(QStringLiteral("brenvik.ini"), "[Option]\r\nTabMarkVisible=0\r\nDBSpaceMarkVisible=0\r\n");
    Open();
    const std::string marked = "a\tb\x81\x40"
                               "c\r\n";
    for (TEditor* editor : {&Main(), &Typed()}) {
        editor->resize(400, 200);
        editor->Lines().SetTextStr("ab\r\n");
    }
    const int mainPlain = GreyPixels(Main());
    const int builderPlain = GreyPixels(Typed());
    Main().Lines().SetTextStr(marked);
    Typed().Lines().SetTextStr(marked);
    EXPECT_EQ(GreyPixels(Main()), mainPlain);
    EXPECT_GT(GreyPixels(Typed()), builderPlain + 8);
}

} // namespace
} // namespace brenvik
