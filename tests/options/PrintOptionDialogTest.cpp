// The builder's settings dialog over a stand-alone editor and HTML fountain: its items, the
// comment bracket colour (present, and missing from damaged settings), storing and the runner.
#include "OptionTestSupport.h"

#include "editor/Editor.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/HTMLFountain.h"
#include "options/ColorGrid.h"
#include "editor/RadioGroup.h"
#include "options/dlgPOpt.h"

#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

namespace brenvik {
namespace {

class PrintOptionDialogTest : public ::testing::Test {
protected:
    PrintOptionDialogTest() { ConfigureHTMLFountain(fountain); }
    TdlgPrintOption& Open()
    {
        dialog = std::make_unique<TdlgPrintOption>();
        dialog->Load(edrPrint, fountain, wordWrapWindow);
        return *dialog;
    }
    TEditorColorManager& Manager() const { return dialog->ViewColors().Manager(); }
    TFountainBracketItem& CommentBracket() const { return fountain.Brackets()->Brackets(0); }

    THTMLFountain fountain;
    TEditor edrPrint;
    bool wordWrapWindow = false;
    std::unique_ptr<TdlgPrintOption> dialog;
};

TEST_F(PrintOptionDialogTest, ThreeTabsSixteenItemsAndNoTabMarks)
{
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Printフォームの設定"));
    EXPECT_EQ(dialog->findChild<QTabWidget*>()->count(), 3);
    auto* items = dialog->findChild<QListWidget*>(QStringLiteral("lbxView"));
    ASSERT_EQ(items->count(), 16);
    for (int row = 0; row < items->count(); ++row) {
        items->setCurrentRow(row);
        EXPECT_TRUE(Manager().GridEnabled()) << items->item(row)->text().toStdString();
    }
    EXPECT_TRUE(dialog->findChild<QCheckBox*>(QStringLiteral("cbxMarkTab"))->isHidden());
    EXPECT_TRUE(dialog->findChild<QCheckBox*>(QStringLiteral("cbxMarkDBSpace"))->isHidden());
}

TEST_F(PrintOptionDialogTest, TagAndCommentColoursAreStoredIntoTheFountain)
{
    Open();
    dialog->SelectViewItem(QStringLiteral("タグ"));
    Manager().GridClick(TEditorColorManager::mbLeft, TCustomColorManager::PaletteIndex(clRed), 0);
    dialog->SelectViewItem(QStringLiteral("コメント"));
    EXPECT_EQ(Manager().ForegroundIndex(), TCustomColorManager::PaletteIndex(clBlue));
    Manager().GridClick(TEditorColorManager::mbLeft, TCustomColorManager::PaletteIndex(clGreen), 0);
    Manager().NoneClick(TEditorColorManager::mbRight);
    dialog->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
    dialog->Store(edrPrint, fountain, wordWrapWindow);
    EXPECT_EQ(fountain.TagColor()->Color(), clRed);
    ASSERT_EQ(fountain.Brackets()->Count(), 1);
    EXPECT_EQ(CommentBracket().ItemColor()->Color(), clGreen);
    EXPECT_EQ(CommentBracket().ItemColor()->BkColor(), clNone);
    EXPECT_EQ(CommentBracket().LeftBracket(), "<!--");
}

TEST_F(PrintOptionDialogTest, SettingsWithoutTheCommentBracketLeaveTheItemDisabled)
{
    // Damaged settings: the pair emptied, or gone.
    for (const bool emptied : {true, false}) {
        ConfigureHTMLFountain(fountain);
        if (emptied)
            CommentBracket().SetLeftBracket("");
        else
            fountain.Brackets()->Clear();
        Open();
        dialog->SelectViewItem(QStringLiteral("コメント"));
        EXPECT_FALSE(Manager().GridEnabled());
        EXPECT_FALSE(dialog->ViewColors().Grid()->isEnabled());
        // Clicks on the disabled item edit nothing and reach nothing.
        Manager().GridClick(TEditorColorManager::mbLeft, 0, 0);
        Manager().NoneClick(TEditorColorManager::mbLeft);
        dialog->Store(edrPrint, fountain, wordWrapWindow);
        EXPECT_EQ(fountain.Brackets()->Count(), emptied ? 1 : 0);
    }
}

TEST_F(PrintOptionDialogTest, RunnerStoresWrapAndReportsAFailedWrite)
{
    int writes = 0;
    test::TFakePromptsOf<TPrompts> prompts;
    const TInstalledPrompts installed(prompts);
    const QStringList& errors = prompts.Errors;
    TPrintOptionTarget target {edrPrint, fountain, wordWrapWindow, [&writes] { return ++writes > 1; },
        QStringLiteral("/x/Print.ini")};
    const auto runWithWindowWrap = [&] {
        QTimer::singleShot(0, [] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            modal->findChild<TRadioGroup*>(QStringLiteral("rdgWordWrap"))->SetItemIndex(2);
            modal->findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        });
        EXPECT_FALSE(RunPrintOptionDialog(nullptr, target));
    };
    runWithWindowWrap();
    EXPECT_TRUE(wordWrapWindow);
    EXPECT_TRUE(edrPrint.WordWrap());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.front(), QStringLiteral("設定ファイル「/x/Print.ini」に書き込めませんでした。"));
    runWithWindowWrap();
    EXPECT_EQ(writes, 2);
    EXPECT_EQ(errors.size(), 1);
}

} // namespace
} // namespace brenvik
