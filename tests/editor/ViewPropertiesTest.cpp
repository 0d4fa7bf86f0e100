// View-property objects: clamping, the change pattern, copying through TEditorProp and storage.
#include "editor/Editor.h"
#include "editor/EditorColorManager.h"
#include "editor/EditorProp.h"
#include "common/IniFile.h"
#include "text/EditorScreenStrings.h"

#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

// Counts the change notifications of an object and remembers their senders.
struct TChangeLog {
    explicit TChangeLog(TNotifyPersistent& object)
    {
        object.OnChange = [this](QObject* sender) { senders.push_back(sender); };
    }
    std::vector<QObject*> senders;
};

// The one-line invariants of the view objects; empty when they hold.
std::string CheckViewInvariants(const TEditorCaret& caret, const TEditorRuler& ruler,
    const TEditorLeftbar& bar, const TEditorMargin& margin)
{
    std::string broken;
    const auto in = [](int value, int low, int high) { return value >= low && value <= high; };
    if (!in(caret.TabSpaceCount(), 2, 8) || caret.TabSpaceCount() % 2 != 0)
        broken += "TabSpaceCount ";
    if (ruler.GaugeRange() != 8 && ruler.GaugeRange() != 10)
        broken += "GaugeRange ";
    if (!in(bar.Column(), 1, 8) || !in(bar.LeftMargin(), 0, 100) || !in(bar.RightMargin(), 0, 100))
        broken += "Leftbar ";
    for (const int value : {margin.Character(), margin.Left(), margin.Line(), margin.Top()})
        if (!in(value, 0, 100))
            broken += "Margin ";
    if (!in(margin.UnderlineSpace(), 0, 1))
        broken += "UnderlineSpace ";
    return broken;
}

TEST(ViewPropertiesClamp, RandomAssignmentsKeepTheInvariants)
{
    TEditorCaret caret;
    TEditorRuler ruler;
    TEditorLeftbar bar;
    TEditorMargin margin;
    std::srand(7);
    for (int step = 0; step < 2000; ++step) {
        const int value = std::rand() % 400 - 200;
        switch (step % 9) {
        case 0:
            caret.SetTabSpaceCount(value);
            break;
        case 1:
            ruler.SetGaugeRange(value);
            break;
        case 2:
            bar.SetColumn(value);
            break;
        case 3:
            bar.SetLeftMargin(value);
            break;
        case 4:
            bar.SetRightMargin(value);
            break;
        case 5:
            margin.SetCharacter(value);
            break;
        case 6:
            margin.SetLeft(value);
            break;
        case 7:
            margin.SetTop(value);
            break;
        default:
            margin.SetUnderlineSpace(value);
            break;
        }
        ASSERT_EQ(CheckViewInvariants(caret, ruler, bar, margin), "")
            << "step " << step << " value " << value;
    }
}

TEST(ViewPropertiesClamp, IntegersAreClampedNeverRejected)
{
    TEditorCaret caret;
    const std::vector<std::pair<int, int>> tabs
        = {{5, 4}, {1, 2}, {9, 8}, {7, 6}, {-3, 2}, {1000, 8}, {6, 6}};
    for (const auto& [given, expected] : tabs) {
        caret.SetTabSpaceCount(given);
        EXPECT_EQ(caret.TabSpaceCount(), expected) << "TabSpaceCount " << given;
    }
    TEditorRuler ruler;
    for (const auto& [given, expected] :
        std::vector<std::pair<int, int>> {{9, 8}, {12, 10}, {3, 8}, {8, 8}}) {
        ruler.SetGaugeRange(given);
        EXPECT_EQ(ruler.GaugeRange(), expected) << "GaugeRange " << given;
    }
    TEditorLeftbar bar;
    bar.SetColumn(0);
    EXPECT_EQ(bar.Column(), 1);
    bar.SetColumn(9);
    EXPECT_EQ(bar.Column(), 8);
    bar.SetLeftMargin(-1);
    bar.SetRightMargin(101);
    EXPECT_EQ(bar.LeftMargin(), 0);
    EXPECT_EQ(bar.RightMargin(), 100);
    TEditorMargin margin;
    margin.SetLeft(150);
    margin.SetTop(-4);
    margin.SetCharacter(101);
    margin.SetLine(100);
    EXPECT_EQ(margin.Left(), 100);
    EXPECT_EQ(margin.Top(), 0);
    EXPECT_EQ(margin.Character(), 100);
    EXPECT_EQ(margin.Line(), 100);
    TEditorCursors cursors;
    cursors.SetDefaultCursor(0x12345);
    EXPECT_EQ(cursors.DefaultCursor(), 0x2345) << "cursor numbers are 16-bit";
}

TEST(ViewPropertiesChange, SameValueIsSilentAndEachChangeReportsOnce)
{
    TEditorCaret caret;
    TChangeLog log(caret);
    caret.SetTabSpaceCount(8);
    caret.SetTabSpaceCount(9); // clamps to the current value
    caret.SetAutoIndent(true);
    EXPECT_TRUE(log.senders.empty());
    caret.SetTabSpaceCount(4);
    caret.SetStyle(csBrief);
    ASSERT_EQ(log.senders.size(), 2u);
    EXPECT_EQ(log.senders[0], &caret);

    caret.Cursors()->SetInSelCursor(crIBeam);
    ASSERT_EQ(log.senders.size(), 3u);
    EXPECT_EQ(log.senders[2], &caret) << "a change of the cursors is a change of the caret";
}

TEST(ViewPropertiesChange, AssignCopiesEverythingAndNotifiesOnce)
{
    TEditorLeftbar source;
    source.SetColumn(6);
    source.SetShowNumberMode(nmLine);
    source.SetZeroLead(true);
    source.SetBkColor(clNavy);
    TEditorLeftbar target;
    TChangeLog log(target);
    target.Assign(source);
    EXPECT_EQ(log.senders.size(), 1u);
    EXPECT_EQ(target.Column(), 6);
    EXPECT_EQ(target.ShowNumberMode(), nmLine);
    EXPECT_TRUE(target.ZeroLead());
    EXPECT_EQ(target.BkColor(), clNavy);

    TEditorMarks marks;
    TEditorMarks copy;
    marks.EofMark()->SetVisible(true);
    marks.Underline()->SetColor(clRed);
    TChangeLog marksLog(copy);
    copy.Assign(marks);
    EXPECT_EQ(marksLog.senders.size(), 1u);
    EXPECT_TRUE(copy.EofMark()->Visible());
    EXPECT_EQ(copy.Underline()->Color(), clRed);
    EXPECT_NE(copy.EofMark(), marks.EofMark()) << "the marks are copied, never shared";

    copy.RetMark()->SetVisible(true);
    ASSERT_EQ(marksLog.senders.size(), 2u);
    EXPECT_EQ(marksLog.senders[1], &copy) << "a mark reports through its TEditorMarks";
}

TEST(ViewPropertiesView, FountainChangesArriveAsViewChangesAndAssignCopiesReserve)
{
    TEditorViewInfo view;
    TChangeLog log(view);
    view.Colors()->Str()->SetColor(clMaroon);
    view.SetCommenter("#");
    ASSERT_EQ(log.senders.size(), 2u);
    EXPECT_EQ(log.senders[0], &view);

    view.Colors()->Reserve()->SetColor(clBlue);
    EXPECT_EQ(view.Fountain()->Reserve()->Color(), clBlue) << "Reserve is the fountain's own colour";

    TEditorViewInfo other;
    TChangeLog otherLog(other);
    other.Assign(view);
    EXPECT_EQ(otherLog.senders.size(), 1u);
    EXPECT_EQ(other.Fountain()->Reserve()->Color(), clBlue);
    EXPECT_EQ(other.Colors()->Str()->Color(), clMaroon);
    EXPECT_EQ(other.Commenter(), QByteArray("#"));
}

// Changes every kind of stored setting away from its default.
void ChangeEverything(TEditor& editor)
{
    editor.SetColor(clYellow);
    editor.Caret()->SetTabSpaceCount(4);
    editor.Caret()->SetFreeCaret(false);
    editor.Caret()->SetStyle(csBrief);
    editor.Caret()->Cursors()->SetTopMarginCursor(crIBeam);
    TEditorFont font;
    font.SetSize(13);
    font.SetColor(clNavy);
    font.SetStyle(fsBold);
    editor.SetFont(&font);
    editor.Leftbar()->SetVisible(true);
    editor.Leftbar()->SetShowNumberMode(nmLine);
    editor.Margin()->SetLeft(7);
    editor.Marks()->RetMark()->SetVisible(true);
    editor.Marks()->HideMark()->SetColor(clRed);
    TStringList words;
    words.Add("print");
    words.Add("my");
    editor.SetReserveWordList(&words);
    editor.Ruler()->SetVisible(true);
    editor.Ruler()->SetGaugeRange(8);
    editor.SetScrollBars(ssVertical);
    editor.View()->SetQuotation("'");
    editor.View()->Colors()->Select()->SetBkColor(clTeal);
    editor.View()->Brackets()->AddBracket("/*", "*/");
    editor.SetWordWrap(true);
    editor.WrapOption()->SetWrapByte(60);
    editor.WrapOption()->SetLeading(true);
}

QStringList StoredLines(const QString& fileName, const QString& name)
{
    QSettings settings(fileName, QSettings::IniFormat);
    settings.beginGroup("property");
    QStringList lines;
    const int count = settings.value(name + "_c").toInt();
    for (int i = 0; i < count; ++i)
        lines << settings.value(name + "_d" + QString::number(i)).toString();
    return lines;
}

TEST(ViewPropertiesProp, EditorToPropToSettingsToEditorAndBackStoresTheSame)
{
    QTemporaryDir dir;
    const QString fileName = dir.filePath("brenvik.ini");
    TEditor original;
    ChangeEverything(original);
    TEditorProp stored;
    stored.AssignFromEditor(original);
    WriteComponentToIni(stored, fileName, "property", "edrMain");

    TEditorProp loaded;
    ASSERT_TRUE(ReadComponentFromIni(loaded, fileName, "property", "edrMain"));
    TEditor copy;
    loaded.AssignToEditor(copy);
    TEditorProp again;
    again.AssignFromEditor(copy);
    WriteComponentToIni(again, fileName, "property", "again");

    const QStringList first = StoredLines(fileName, "edrMain");
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(first, StoredLines(fileName, "again"));

    // Spot checks that the values really travelled, not only that both sides agree.
    EXPECT_EQ(copy.Color(), clYellow);
    EXPECT_EQ(copy.Caret()->TabSpaceCount(), 4);
    EXPECT_EQ(copy.Caret()->Cursors()->TopMarginCursor(), crIBeam);
    EXPECT_EQ(copy.Font()->Size(), 13);
    EXPECT_EQ(copy.Leftbar()->ShowNumberMode(), nmLine);
    EXPECT_EQ(copy.Marks()->HideMark()->Color(), clRed);
    EXPECT_EQ(copy.ReserveWordList()->Count(), 2);
    EXPECT_EQ(copy.ScrollBars(), ssVertical);
    EXPECT_EQ(copy.View()->Colors()->Select()->BkColor(), clTeal);
    ASSERT_EQ(copy.View()->Brackets()->Count(), 1);
    EXPECT_EQ(copy.View()->Brackets()->Brackets(0).RightBracket(), "*/");
    EXPECT_TRUE(copy.WordWrap());
    EXPECT_EQ(copy.WrapOption()->WrapByte(), 60);
    EXPECT_TRUE(copy.WrapOption()->Leading());
}

TEST(ViewPropertiesProp, PropToPropCopiesFileExtensionsToo)
{
    TEditorProp source;
    source.FileExtList()->Add(".cgi");
    source.Ruler()->SetMarkColor(clLime);
    TEditorProp target;
    target.Assign(source);
    EXPECT_TRUE(target.HasFileExt(".CGI"));
    EXPECT_EQ(target.Ruler()->MarkColor(), clLime);
}

TEST(ViewPropertiesColorManager, PaletteFollowsTheGridOrder)
{
    const auto& palette = TCustomColorManager::Palette();
    EXPECT_EQ(palette[7], clSilver);
    EXPECT_EQ(palette[8], clGray);
    EXPECT_EQ(palette[16], clNone);
    EXPECT_EQ(TCustomColorManager::PaletteIndex(clGray), 8);
    EXPECT_EQ(TCustomColorManager::PaletteIndex(0x123456), TCustomColorManager::NoneIndex);
}

TEST(ViewPropertiesColorManager, EditsAColourObject)
{
    TFountainColor color;
    color.SetColor(clRed);
    color.SetBkColor(0x010203);
    color.SetStyle(fsItalic);
    TEditorColorManager manager;
    manager.SetColor(&color);
    EXPECT_TRUE(manager.GridEnabled());
    EXPECT_EQ(manager.ForegroundIndex(), 9);
    EXPECT_EQ(manager.BackgroundIndex(), 16);
    EXPECT_FALSE(manager.ForegroundNoneVisible());
    EXPECT_TRUE(manager.BackgroundNoneVisible()) << "a colour outside the sixteen shows 'none'";
    EXPECT_EQ(manager.StyleBox(TEditorColorManager::sbItalic), (TStyleBox {true, true}));
    EXPECT_EQ(manager.StyleBox(TEditorColorManager::sbBold), (TStyleBox {false, true}));

    manager.GridClick(TEditorColorManager::mbRight, 9, 7);
    EXPECT_EQ(color.BkColor(), clSilver);
    EXPECT_FALSE(manager.BackgroundNoneVisible());
    manager.GridClick(TEditorColorManager::mbLeft, 12, 7);
    EXPECT_EQ(color.Color(), clBlue);
    manager.NoneClick(TEditorColorManager::mbLeft);
    EXPECT_EQ(color.Color(), clNone);
    EXPECT_EQ(manager.ForegroundIndex(), 16);
    EXPECT_TRUE(manager.ForegroundNoneVisible());
    manager.StyleBoxClick(TEditorColorManager::sbBold, true);
    manager.StyleBoxClick(TEditorColorManager::sbItalic, false);
    EXPECT_EQ(color.Style(), fsBold);

    manager.SetColor(nullptr);
    EXPECT_FALSE(manager.GridEnabled());
    EXPECT_EQ(manager.ForegroundIndex(), 16);
    EXPECT_EQ(manager.StyleBox(TEditorColorManager::sbBold), (TStyleBox {false, false}));
}

TEST(ViewPropertiesColorManager, EditsAMarkWithForegroundOnly)
{
    TEditorMark mark;
    TEditorColorManager manager;
    manager.SetMark(&mark);
    EXPECT_EQ(manager.Mode(), TEditorColorManager::emMark);
    EXPECT_TRUE(manager.ForegroundEnabled());
    EXPECT_FALSE(manager.BackgroundEnabled());
    EXPECT_FALSE(manager.BackgroundNoneVisible());
    EXPECT_EQ(manager.ForegroundIndex(), 8) << "the default mark colour is gray";
    EXPECT_EQ(manager.StyleBox(TEditorColorManager::sbUnderline), (TStyleBox {false, false}));
    manager.GridClick(TEditorColorManager::mbLeft, 4, 0);
    EXPECT_EQ(mark.Color(), clNavy);
    manager.GridClick(TEditorColorManager::mbRight, 4, 0);
    manager.NoneClick(TEditorColorManager::mbRight);
    manager.StyleBoxClick(TEditorColorManager::sbBold, true);
    EXPECT_EQ(mark.Color(), clNavy) << "a mark has no background and no style";
}

} // namespace
} // namespace brenvik
