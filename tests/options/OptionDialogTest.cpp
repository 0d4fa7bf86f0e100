// The options dialog over a live main window, offscreen: loading, each kind of setting changed
// and stored by OK, the settings file written at once, and Cancel, Esc and the close box.
#include "OptionTestSupport.h"
#include "editor/FontFamilies.h"
#include "options/FontPickDialog.h"

#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorMarks.h"
#include "editor/EditorRuler.h"
#include "editor/EditorViewInfo.h"
#include "highlight/EditorColors.h"
#include "highlight/PERLFountain.h"
#include "options/CaretBoxes.h"
#include "options/ColorGrid.h"
#include "options/OptionCommands.h"
#include "editor/RadioGroup.h"
#include "options/dlgOpt.h"
#include "text/EditorStrings.h"
#include "text/EditorWrapOption.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

namespace brenvik {
namespace {

class OptionDialogTest : public test::TMainWindowFixture {
protected:
    TdlgOption& Open()
    {
        dialog = std::make_unique<TdlgOption>(window.get());
        dialog->Load(*window);
        return *dialog;
    }
    template <typename T> T* Child(const char* name) const
    {
        T* child = dialog->findChild<T*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    void Ok()
    {
        Child<QPushButton>("OKBtn")->click();
        ASSERT_EQ(dialog->result(), QDialog::Accepted);
        dialog->Store(*window);
    }
    // A click on the grid cell of color, or on the "none" panel for clNone.
    static void ClickColor(TColorEditor& colors, Qt::MouseButton button, TColor color)
    {
        if (color == clNone) {
            QTest::mouseClick(colors.NonePanel(), button, {}, colors.NonePanel()->rect().center());
            return;
        }
        TColorGrid* grid = colors.Grid();
        QTest::mouseClick(grid, button, {}, grid->CellRect(TCustomColorManager::PaletteIndex(color)).center());
    }

    TEditor& Editor() const { return window->Editor(); }
    std::unique_ptr<TdlgOption> dialog;
};

TEST_F(OptionDialogTest, LoadShowsTheWindowAndOkWithoutChangesKeepsEverything)
{
    Editor().WrapOption()->SetWrapByte(60);
    Editor().SetWordWrap(true);
    Editor().Caret()->SetTabSpaceCount(6);
    TMainOptions options = window->Options();
    options.WordWrapWindow = false;
    options.DefaultJCode = jcJis;
    options.DefaultRCode = rcLf;
    options.ListUpdate = 2;
    window->SetOptions(options);
    Editor().TypeText("my $x = 1;");
    const QByteArray before = StoredSettings();

    Open();
    EXPECT_EQ(Child<TRadioGroup>("rdgWordWrap")->ItemIndex(), 1);
    EXPECT_EQ(Child<QSpinBox>("speWordWrap")->value(), 60);
    EXPECT_TRUE(Child<QSpinBox>("speWordWrap")->isEnabled());
    EXPECT_EQ(Child<QComboBox>("cmbTab")->currentText(), QStringLiteral("6"));
    EXPECT_TRUE(Child<QRadioButton>("rdbOther")->isChecked());
    EXPECT_EQ(Child<TRadioGroup>("rdgJcode")->ItemIndex(), 1); // JIS
    EXPECT_EQ(Child<TRadioGroup>("rdgRCode")->ItemIndex(), 2); // LF
    EXPECT_TRUE(Child<TRadioGroup>("rdgJcode")->isEnabled());
    EXPECT_EQ(Child<TRadioGroup>("rdgListUpdate")->ItemIndex(), 2);
    Ok();

    EXPECT_EQ(window->Options().DefaultJCode, jcJis);
    EXPECT_EQ(window->Options().DefaultRCode, rcLf);
    EXPECT_EQ(StoredSettings(), before);
    // Rebuilding the rows clears the undo list: OK without changes rebuilt nothing.
    EXPECT_TRUE(Editor().CanUndo());
}

TEST_F(OptionDialogTest, EachWrapModeStoresItsWidth)
{
    Open();
    auto* mode = Child<TRadioGroup>("rdgWordWrap");
    auto* width = Child<QSpinBox>("speWordWrap");
    // The wrap width holds 20..250: the spin offers no less.
    width->setValue(10);
    EXPECT_EQ(width->value(), TEditorWrapOption::MinWrapByte);
    mode->SetItemIndex(1);
    width->setValue(33);
    Ok();
    EXPECT_TRUE(Editor().WordWrap());
    EXPECT_EQ(Editor().WrapByte(), 33);
    EXPECT_FALSE(window->Options().WordWrapWindow);

    Open();
    Child<TRadioGroup>("rdgWordWrap")->SetItemIndex(2);
    EXPECT_FALSE(Child<QSpinBox>("speWordWrap")->isEnabled());
    Ok();
    EXPECT_TRUE(Editor().WordWrap());
    EXPECT_TRUE(window->Options().WordWrapWindow);
    EXPECT_EQ(Editor().WrapByte(), std::clamp(Editor().VisibleCols(), 20, 250));
    EXPECT_NE(Editor().WrapByte(), 33);

    // The spin value stays in the control only; the next load shows the editor's width.
    Open();
    EXPECT_EQ(Child<QSpinBox>("speWordWrap")->value(), Editor().WrapByte());
    Child<TRadioGroup>("rdgWordWrap")->SetItemIndex(0);
    Ok();
    EXPECT_FALSE(Editor().WordWrap());
    EXPECT_FALSE(window->Options().WordWrapWindow);
}

TEST_F(OptionDialogTest, WrapWidthAndTabWidthChangedTogetherRewrapWithBoth)
{
    // A line of tabs and letters: with wrapping on, its rows depend on both widths.
    Editor().Lines().SetTextStr("\ta\tb\tc\td\te\tf\tg\th\ti\tj\tk\tl\tm\tn\to\tp\tq\tr\r\n");
    Editor().WrapOption()->SetWrapByte(40);
    Editor().SetWordWrap(true);
    const int rowsBefore = Editor().RowCount();
    Open();
    Child<TRadioGroup>("rdgWordWrap")->SetItemIndex(1);
    Child<QSpinBox>("speWordWrap")->setValue(40);
    Child<QComboBox>("cmbTab")->setCurrentText(QStringLiteral("2"));
    Ok();
    EXPECT_EQ(Editor().Caret()->TabSpaceCount(), 2);
    // Same wrap width, narrower tabs: fewer rows, so the rows were rebuilt for the new tabs.
    EXPECT_LT(Editor().RowCount(), rowsBefore);
}

// The line-break rules: on for a new window, so that no wrapped row starts with 。; switched off
// and their lists edited in the dialog, the rows follow at once.
TEST_F(OptionDialogTest, LineBreakRulesAreOnForNewSettingsAndEditable)
{
    // あ x 19 then 。: without the rules 。 would start the second row.
    std::string line;
    for (int i = 0; i < 19; ++i)
        line += "\x82\xa0";
    Editor().Lines().SetTextStr(line + "\x81\x42" + "\r\n");
    Editor().WrapOption()->SetWrapByte(38);
    Editor().SetWordWrap(true);
    ASSERT_TRUE(Editor().WrapOption()->Leading());
    EXPECT_NE(Editor().RowText(1).substr(0, 2), "\x81\x42");
    Open();
    auto* leading = Child<QCheckBox>("cbxLeading");
    auto* hanging = Child<QCheckBox>("cbxFollowPunctuation");
    EXPECT_TRUE(leading->isChecked());
    EXPECT_TRUE(hanging->isChecked());
    EXPECT_TRUE(Child<QLineEdit>("edtFollowStr")->text().startsWith(QStringLiteral("、。")));
    Child<TRadioGroup>("rdgWordWrap")->SetItemIndex(1);
    Child<QSpinBox>("speWordWrap")->setValue(38);
    QTest::mouseClick(leading, Qt::LeftButton, {}, QPoint(5, leading->height() / 2));
    QTest::mouseClick(hanging, Qt::LeftButton, {}, QPoint(5, hanging->height() / 2));
    EXPECT_FALSE(Child<QLineEdit>("edtLeadStr")->isEnabled());
    Ok();
    EXPECT_FALSE(Editor().WrapOption()->Leading());
    EXPECT_EQ(Editor().RowText(1), "\x81\x42") << "the rows were rebuilt without the rules";

    // A list edited by keys is stored as Shift_JIS; one holding a character without a form keeps
    // its old value.
    Open();
    leading = Child<QCheckBox>("cbxLeading");
    QTest::mouseClick(leading, Qt::LeftButton, {}, QPoint(5, leading->height() / 2));
    auto* follow = Child<QLineEdit>("edtFollowStr");
    follow->clear();
    QTest::keyClicks(follow, "!?");
    auto* lead = Child<QLineEdit>("edtLeadStr");
    lead->setText(QStringLiteral("€("));
    Ok();
    EXPECT_TRUE(Editor().WrapOption()->Leading());
    EXPECT_EQ(Editor().WrapOption()->FollowStr(), "!?");
    EXPECT_EQ(Editor().WrapOption()->LeadStr().substr(0, 2), "\x81\x69");
}

// The undo limit: 1,000 steps for new settings, down to 64 as before, stored in "Option".
TEST_F(OptionDialogTest, UndoLimitDefaultsTo1000AndReachesTheEditor)
{
    EXPECT_EQ(Editor().UndoListMax(), 1000);
    Open();
    auto* limit = Child<QSpinBox>("speUndoLimit");
    EXPECT_EQ(limit->value(), 1000);
    limit->setValue(10);
    EXPECT_EQ(limit->value(), 64) << "no fewer than 64";
    limit->setValue(500);
    limit->selectAll();
    QTest::keyClicks(limit, "64");
    EXPECT_EQ(limit->value(), 64);
    Ok();
    EXPECT_EQ(Editor().UndoListMax(), 64);
    EXPECT_TRUE(StoredSettings().contains("UndoLimit=64"));
}

// perl for the check and the CGI run: typed, kept by the window, stored in "Option".
TEST_F(OptionDialogTest, PerlPathAndTimeLimitReachTheWindowAndTheSettings)
{
    Open();
    auto* path = Child<QLineEdit>("edtPerlPath");
    EXPECT_TRUE(path->text().isEmpty()) << "empty: the first perl on PATH";
    QTest::keyClicks(path, " /opt/perl/bin/perl ");
    auto* limit = Child<QSpinBox>("speRunTimeLimit");
    EXPECT_EQ(limit->value(), 10);
    limit->selectAll();
    QTest::keyClicks(limit, "30");
    Ok();
    EXPECT_EQ(window->Options().Run, (TRunOptions {QStringLiteral("/opt/perl/bin/perl"), 30}));
    EXPECT_TRUE(StoredSettings().contains("RunTimeLimit=30"));
    EXPECT_TRUE(StoredSettings().contains("PerlPath=/opt/perl/bin/perl"));
}

TEST_F(OptionDialogTest, CaretBoxesAndTabWidthReachTheCaret)
{
    std::vector<bool> before;
    for (const TCaretBox& box : kCaretBoxes)
        before.push_back((Editor().Caret()->*box.Get)());
    Open();
    for (const TCaretBox& box : kCaretBoxes)
        Child<QCheckBox>(box.Name)->click();
    Child<QComboBox>("cmbTab")->setCurrentText(QStringLiteral("2"));
    Ok();
    for (std::size_t i = 0; i < kCaretBoxes.size(); ++i)
        EXPECT_EQ((Editor().Caret()->*kCaretBoxes[i].Get)(), !before[i]) << kCaretBoxes[i].Name;
    EXPECT_EQ(Editor().Caret()->TabSpaceCount(), 2);
}

TEST_F(OptionDialogTest, FontDialogFaceAndSizeAreStoredAndTheStyleKept)
{
    Open();
    hooks.FontAnswer.reset();
    Child<QPushButton>("btnFont")->click();
    EXPECT_EQ(hooks.FontDialogs, 1);
    EXPECT_EQ(dialog->ChosenFont().Name(), Editor().Font()->Name());

    // The face's own styles (DejaVu's "Oblique") never reach the colour items.
    QFont chosen(QStringLiteral("DejaVu Sans Mono"), 14);
    chosen.setBold(true);
    chosen.setItalic(true);
    hooks.FontAnswer = chosen;
    dialog->SelectViewItem(QStringLiteral("デフォルト"));
    Child<QPushButton>("btnFont")->click();
    EXPECT_FALSE(Child<QCheckBox>("cbxViewBold")->isChecked());
    EXPECT_FALSE(Child<QCheckBox>("cbxViewItalic")->isChecked());
    EXPECT_EQ(dialog->ViewSample().Font()->Style(), 0);
    EXPECT_EQ(dialog->ViewSample().Font()->Name(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_TRUE(Child<QLabel>("lblFont")->text().startsWith(QStringLiteral("DejaVu Sans Mono")));
    Ok();
    EXPECT_EQ(Editor().Font()->Name(), QStringLiteral("DejaVu Sans Mono"));
    EXPECT_EQ(Editor().Font()->Size(), 14);
    EXPECT_EQ(Editor().Font()->Style(), 0);
    for (QWidget* view : window->ExplorerViews()) {
        EXPECT_EQ(view->font().family(), QStringLiteral("DejaVu Sans Mono")) << view->objectName().toStdString();
        EXPECT_FALSE(view->font().italic()) << view->objectName().toStdString();
    }
}

TEST_F(OptionDialogTest, FontDialogOkWithoutAChangeChangesNothing)
{
    Editor().Font()->SetName(QStringLiteral("IPAGothic"));
    Editor().Font()->SetSize(12);
    Editor().Font()->SetStyle(fsBold);
    Open();
    EXPECT_TRUE(Child<QLabel>("lblFont")->text().startsWith(FamilyInUse(QStringLiteral("IPAGothic"))));
    // The real dialog, accepted as it opened.
    hooks.FontAnswer = TFontPickDialog(dialog->ChosenFont().ToQFont()).SelectedFont();
    Child<QPushButton>("btnFont")->click();
    Ok();
    EXPECT_EQ(Editor().Font()->Name(), QStringLiteral("IPAGothic"));
    EXPECT_EQ(Editor().Font()->Size(), 12);
    EXPECT_EQ(Editor().Font()->Style(), fsBold);
}

TEST_F(OptionDialogTest, MissingFontShowsTheFaceInUse)
{
    Editor().Font()->SetName(QStringLiteral("No Such Face Brenvik"));
    Open();
    const QString shown = Child<QLabel>("lblFont")->text();
    EXPECT_FALSE(shown.isEmpty());
    EXPECT_FALSE(shown.startsWith(QStringLiteral("No Such Face"))) << shown.toStdString();
}

TEST_F(OptionDialogTest, FountainColourForegroundBackgroundNoneAndStyle)
{
    Open();
    TColorEditor& colors = dialog->ViewColors();
    dialog->SelectViewItem(QStringLiteral("変数"));
    ClickColor(colors, Qt::LeftButton, clRed);
    ClickColor(colors, Qt::RightButton, clYellow);
    Child<QCheckBox>("cbxViewItalic")->click();
    const TFountainColor& sample = *dialog->PERLView().Variable();
    EXPECT_EQ(sample.Color(), clRed);
    EXPECT_EQ(sample.BkColor(), clYellow);
    EXPECT_EQ(sample.Style(), fsBold | fsItalic);
    EXPECT_EQ(colors.Manager().ForegroundIndex(), TCustomColorManager::PaletteIndex(clRed));
    // Only the dialog's copy changed so far.
    EXPECT_EQ(window->PerlFountain().Variable()->Color(), clGreen);

    dialog->SelectViewItem(QStringLiteral("コメント"));
    ClickColor(colors, Qt::LeftButton, clNone);
    ClickColor(colors, Qt::RightButton, clAqua);
    EXPECT_FALSE(Child<QLabel>("lblViewFG")->isHidden());
    EXPECT_TRUE(Child<QLabel>("lblViewBG")->isHidden());
    Ok();
    const TPERLFountain& stored = window->PerlFountain();
    EXPECT_TRUE(*stored.Variable() == sample);
    EXPECT_EQ(stored.Comment()->Color(), clNone);
    EXPECT_EQ(stored.Comment()->BkColor(), clAqua);
}

TEST_F(OptionDialogTest, EveryColourItemEditsSomething)
{
    Open();
    auto* items = Child<QListWidget>("lbxView");
    ASSERT_EQ(items->count(), 24);
    for (int row = 0; row < items->count(); ++row) {
        items->setCurrentRow(row);
        EXPECT_TRUE(dialog->ViewColors().Manager().GridEnabled()) << items->item(row)->text().toStdString();
    }
    // Marks edit one colour: no background, no style.
    dialog->SelectViewItem(QStringLiteral("Tabマーク"));
    EXPECT_FALSE(dialog->ViewColors().Manager().BackgroundEnabled());
    EXPECT_FALSE(Child<QCheckBox>("cbxViewBold")->isEnabled());
}

TEST_F(OptionDialogTest, TheTrailBackslashWarningColourIsStoredInTheFountain)
{
    Open();
    dialog->SelectViewItem(QStringLiteral("ダメ文字"));
    ClickColor(dialog->ViewColors(), Qt::RightButton, clAqua);
    Ok();
    EXPECT_EQ(window->PerlFountain().TrailBackslash()->BkColor(), clAqua);
    EXPECT_EQ(window->PerlFountain().TrailBackslash()->Color(), clRed) << "the configured foreground stays";
}

TEST_F(OptionDialogTest, DefaultColourSelectionColourAndSystemColours)
{
    // The editor colour is a system colour, not one of the sixteen: "none" shows.
    Editor().SetColor(clWindow);
    Open();
    TColorEditor& colors = dialog->ViewColors();
    dialog->SelectViewItem(QStringLiteral("デフォルト"));
    EXPECT_EQ(colors.Manager().BackgroundIndex(), TCustomColorManager::NoneIndex);
    EXPECT_FALSE(Child<QLabel>("lblViewBG")->isHidden());
    ClickColor(colors, Qt::RightButton, clSilver);
    ClickColor(colors, Qt::LeftButton, clNavy);
    EXPECT_EQ(dialog->ViewSample().Color(), clSilver);
    EXPECT_EQ(dialog->ViewSample().Font()->Color(), clNavy);

    dialog->SelectViewItem(QStringLiteral("選択文字列"));
    ClickColor(colors, Qt::LeftButton, clYellow);
    ClickColor(colors, Qt::RightButton, clMaroon);
    Ok();
    EXPECT_EQ(Editor().Color(), clSilver);
    EXPECT_EQ(Editor().Font()->Color(), clNavy);
    EXPECT_EQ(Editor().View()->Colors()->Select()->Color(), clYellow);
    EXPECT_EQ(Editor().View()->Colors()->Select()->BkColor(), clMaroon);
    for (QWidget* view : window->ExplorerViews())
        EXPECT_EQ(view->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0)) << view->objectName().toStdString();
}

TEST_F(OptionDialogTest, MarksVisibilityAndColour)
{
    TMainOptions options = window->Options();
    options.TabMarkVisible = true;
    options.DBSpaceMarkVisible = false;
    window->SetOptions(options);
    Open();
    TColorEditor& colors = dialog->ViewColors();
    const bool eofBefore = Editor().Marks()->EofMark()->Visible();
    Child<QCheckBox>("cbxMarkEOF")->click();
    // The sample shows it at once; the editor only after OK.
    EXPECT_EQ(dialog->ViewSample().Marks()->EofMark()->Visible(), !eofBefore);
    EXPECT_EQ(Editor().Marks()->EofMark()->Visible(), eofBefore);
    Child<QCheckBox>("cbxMarkUnderLine")->click();
    dialog->SelectViewItem(QStringLiteral("Retマーク"));
    ClickColor(colors, Qt::LeftButton, clRed);
    EXPECT_TRUE(Child<QCheckBox>("cbxMarkTab")->isChecked());
    Child<QCheckBox>("cbxMarkTab")->click();
    Child<QCheckBox>("cbxMarkDBSpace")->click();
    dialog->SelectViewItem(QStringLiteral("Tabマーク"));
    ClickColor(colors, Qt::LeftButton, clBlue);
    dialog->SelectViewItem(QStringLiteral("全角スペース"));
    ClickColor(colors, Qt::LeftButton, clTeal);
    Ok();
    EXPECT_EQ(Editor().Marks()->EofMark()->Visible(), !eofBefore);
    EXPECT_TRUE(Editor().Marks()->Underline()->Visible());
    EXPECT_EQ(Editor().Marks()->RetMark()->Color(), clRed);
    EXPECT_FALSE(window->Options().TabMarkVisible);
    EXPECT_EQ(window->Options().TabMarkColor, clBlue);
    EXPECT_TRUE(window->Options().DBSpaceMarkVisible);
    EXPECT_EQ(window->Options().DBSpaceMarkColor, clTeal);
}

TEST_F(OptionDialogTest, RulerLeftBarNumberingAndZeroBase)
{
    Open();
    TEditor& sample = dialog->RulerSample();
    TColorEditor& colors = dialog->RulerColors();
    Child<QCheckBox>("cbxRulerView")->setChecked(false);
    EXPECT_FALSE(sample.Ruler()->Visible());
    Child<QCheckBox>("cbxRulerNum")->setChecked(false);
    Child<QCheckBox>("cbxRulerNum")->setChecked(true);
    Child<QRadioButton>("rdbRulerLine")->click();
    EXPECT_EQ(sample.Leftbar()->ShowNumberMode(), TEditorEnums::nmLine);
    Child<QCheckBox>("cbxRulerZeroBase")->click();
    dialog->SelectRulerItem(QStringLiteral("ルーラー"));
    ClickColor(colors, Qt::LeftButton, clBlue);
    ClickColor(colors, Qt::RightButton, clWhite);
    EXPECT_EQ(sample.Ruler()->BkColor(), clWhite);
    dialog->SelectRulerItem(QStringLiteral("ルーラー位置"));
    EXPECT_FALSE(colors.Manager().BackgroundEnabled());
    ClickColor(colors, Qt::LeftButton, clRed);
    dialog->SelectRulerItem(QStringLiteral("行番号"));
    ClickColor(colors, Qt::LeftButton, clMaroon);
    ClickColor(colors, Qt::RightButton, clYellow);
    const bool zeroBefore = Editor().Leftbar()->ZeroBase();
    Ok();
    EXPECT_FALSE(Editor().Ruler()->Visible());
    EXPECT_TRUE(Editor().Leftbar()->Visible());
    EXPECT_EQ(Editor().Leftbar()->ShowNumberMode(), TEditorEnums::nmLine);
    EXPECT_EQ(Editor().Leftbar()->ZeroBase(), !zeroBefore);
    EXPECT_EQ(Editor().Ruler()->Color(), clBlue);
    EXPECT_EQ(Editor().Ruler()->BkColor(), clWhite);
    EXPECT_EQ(Editor().Ruler()->MarkColor(), clRed);
    EXPECT_EQ(Editor().Leftbar()->Color(), clMaroon);
    EXPECT_EQ(Editor().Leftbar()->BkColor(), clYellow);
}

TEST_F(OptionDialogTest, CodePresetsOthersAndExplorerGroups)
{
    const struct {
        const char* Button;
        JCode jcode;
        RCode rcode;
    } presets[] = {{"rdbWin", jcSjis, rcCrLf}, {"rdbMac", jcSjis, rcCr}, {"rdbUnix", jcEuc, rcLf}};
    for (const auto& preset : presets) {
        Open();
        Child<QRadioButton>(preset.Button)->click();
        Ok();
        EXPECT_EQ(window->Options().DefaultJCode, preset.jcode) << preset.Button;
        EXPECT_EQ(window->Options().DefaultRCode, preset.rcode) << preset.Button;
    }
    Open();
    EXPECT_TRUE(Child<QRadioButton>("rdbUnix")->isChecked());
    EXPECT_FALSE(Child<TRadioGroup>("rdgJcode")->isEnabled());
    Child<QRadioButton>("rdbOther")->click();
    EXPECT_TRUE(Child<TRadioGroup>("rdgJcode")->isEnabled());
    Child<TRadioGroup>("rdgJcode")->SetItemIndex(1);
    Child<TRadioGroup>("rdgRCode")->SetItemIndex(1);
    Child<TRadioGroup>("rdgListUpdate")->SetItemIndex(0);
    Child<TRadioGroup>("rdgListDefaultSet")->SetItemIndex(3);
    Ok();
    EXPECT_EQ(window->Options().DefaultJCode, jcJis);
    EXPECT_EQ(window->Options().DefaultRCode, rcCr);
    EXPECT_EQ(window->Options().ListUpdate, 0);
    EXPECT_EQ(window->Options().ListDefaultSet, 3);
}

TEST_F(OptionDialogTest, GroupsLeftWithoutAChoiceKeepTheLoadedValues)
{
    TMainOptions options = window->Options();
    options.DefaultJCode = jcEuc;
    options.DefaultRCode = rcCr;
    options.ListUpdate = 2;
    options.ListDefaultSet = 1;
    window->SetOptions(options);
    Open();
    EXPECT_TRUE(Child<QRadioButton>("rdbOther")->isChecked());
    for (const char* group : {"rdgJcode", "rdgRCode", "rdgListUpdate", "rdgListDefaultSet", "rdgWordWrap"})
        Child<TRadioGroup>(group)->SetItemIndex(-1);
    const bool wrap = Editor().WordWrap();
    const int width = Editor().WrapByte();
    Ok();
    EXPECT_EQ(window->Options(), options);
    EXPECT_EQ(Editor().WordWrap(), wrap);
    EXPECT_EQ(Editor().WrapByte(), width);
}

TEST_F(OptionDialogTest, OkWritesTheSettingsFileAndReportsAFileItCannotWrite)
{
    Open();
    Child<TRadioGroup>("rdgListUpdate")->SetItemIndex(2);
    Ok();
    {
        QSettings settings(SettingsPath(), QSettings::IniFormat);
        EXPECT_EQ(settings.value(QStringLiteral("Option/ListUpdate")).toInt(), 2);
        EXPECT_GT(settings.value(QStringLiteral("property/edrMain_c")).toInt(), 0);
        EXPECT_GT(settings.value(QStringLiteral("property/PERLFountain_c")).toInt(), 0);
    }
    EXPECT_TRUE(prompts.Errors.isEmpty());

    // A folder where the file should be: no write can succeed, whoever runs the test.
    QFile::remove(SettingsPath());
    ASSERT_TRUE(QDir().mkdir(SettingsPath()));
    Open();
    Child<TRadioGroup>("rdgListUpdate")->SetItemIndex(0);
    Ok();
    ASSERT_EQ(prompts.Errors.size(), 1);
    EXPECT_EQ(prompts.Errors.front(), QStringLiteral("設定ファイル「%1」に書き込めませんでした。").arg(SettingsPath()));
    EXPECT_EQ(window->Options().ListUpdate, 0);
}

TEST_F(OptionDialogTest, CancelEscapeAndTheCloseBoxChangeNothing)
{
    const QByteArray before = StoredSettings();
    const auto changeAll = [](QWidget& modal) {
        auto& dialog = static_cast<TdlgOption&>(modal);
        dialog.findChild<TRadioGroup*>(QStringLiteral("rdgWordWrap"))->SetItemIndex(0);
        dialog.findChild<QCheckBox*>(QStringLiteral("cbxCaretSoftTab"))->click();
        dialog.findChild<QCheckBox*>(QStringLiteral("cbxMarkEOF"))->click();
        dialog.findChild<QCheckBox*>(QStringLiteral("cbxRulerView"))->click();
        dialog.findChild<QRadioButton*>(QStringLiteral("rdbMac"))->click();
        dialog.SelectViewItem(QStringLiteral("変数"));
        dialog.ViewColors().Manager().GridClick(TEditorColorManager::mbLeft, 0, 0);
    };
    const std::function<void(QWidget&)> closers[] = {
        [](QWidget& modal) { modal.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click(); },
        [](QWidget& modal) { QTest::keyClick(&modal, Qt::Key_Escape); },
        [](QWidget& modal) { modal.close(); },
    };
    for (const auto& close : closers) {
        RunModal([this] { EXPECT_FALSE(RunOptionDialog(*window)); },
            [&](QWidget& modal) {
                changeAll(modal);
                close(modal);
            });
        EXPECT_FALSE(QApplication::activeModalWidget());
        EXPECT_EQ(StoredSettings(), before);
    }
    EXPECT_FALSE(QFile::exists(SettingsPath()));
}

TEST_F(OptionDialogTest, MenuItemOpensTheDialogAndOkApplies)
{
    InstallOptionCommands(*window);
    QAction* action = window->Action(QStringLiteral("actOption"));
    EXPECT_EQ(action->text(), QStringLiteral("設定(&O)"));
    EXPECT_EQ(action->statusTip(), QStringLiteral("設定ダイアログを開く"));
    QStringList tabs;
    RunModal([action] { action->trigger(); },
        [&tabs](QWidget& modal) {
            EXPECT_EQ(modal.windowTitle(), QStringLiteral("設定"));
            auto* pages = modal.findChild<QTabWidget*>();
            for (int i = 0; pages && i < pages->count(); ++i)
                tabs.append(pages->tabText(i));
            modal.findChild<QRadioButton*>(QStringLiteral("rdbMac"))->click();
            modal.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        });
    EXPECT_EQ(tabs, (QStringList {QStringLiteral("エディタ"), QStringLiteral("表示色"),
                        QStringLiteral("行・ルーラー"), QStringLiteral("その他"), QStringLiteral("復元とバックアップ")}));
    EXPECT_EQ(window->Options().DefaultRCode, rcCr);
}

} // namespace
} // namespace brenvik
