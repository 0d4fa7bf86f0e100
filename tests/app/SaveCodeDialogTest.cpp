// The code dialog: presets from the document's codes, the choice read back, and the groups
// enabled exactly with "Others...".
#include "app/dlgSaveCode.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

QRadioButton* Item(QGroupBox* group, int index)
{
    return group->findChildren<QRadioButton*>().at(index);
}

TEST(SaveCodeDialog, PresetsRoundTripAndOtherPairsSelectTheGroups)
{
    const TCodePair pairs[] = {{jcSjis, rcCrLf}, {jcSjis, rcCr}, {jcEuc, rcLf}, {jcJis, rcCrLf}, {jcEuc, rcCr},
        {jcSjis, rcLf}, {jcJis, rcLf}};
    for (const TCodePair& pair : pairs) {
        TdlgSaveCode dialog(QStringLiteral("/tmp/a.cgi"), true);
        dialog.Preset(pair);
        EXPECT_EQ(dialog.Choice(), pair) << pair.jcode << "/" << pair.rcode;
    }
    TdlgSaveCode unix(QStringLiteral("a"), false);
    unix.Preset({jcEuc, rcLf});
    EXPECT_TRUE(unix.rdbUnix->isChecked());
    EXPECT_FALSE(unix.rdgJcode->isEnabled());

    TdlgSaveCode jis(QStringLiteral("a"), false);
    jis.Preset({jcJis, rcCrLf});
    EXPECT_TRUE(jis.rdbOther->isChecked());
    EXPECT_TRUE(jis.rdgJcode->isEnabled());
    EXPECT_TRUE(Item(jis.rdgJcode, 1)->isChecked());
    EXPECT_TRUE(Item(jis.rdgRCode, 0)->isChecked());
}

TEST(SaveCodeDialog, CodesTheGroupsDoNotOfferLeaveTheFirstItem)
{
    TdlgSaveCode dialog(QStringLiteral("a"), true);
    dialog.Preset({jcUndecided, rcNone});
    EXPECT_EQ(dialog.Choice(), (TCodePair {jcSjis, rcCrLf}));
    EXPECT_TRUE(dialog.rdbOther->isChecked());
}

TEST(SaveCodeDialog, OthersWithEucAndCrIsChosenAndTheCaptionFollowsTheCommand)
{
    TdlgSaveCode dialog(QStringLiteral("a"), true);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("コード形式を指定して保存"));
    EXPECT_TRUE(dialog.rdbWin->isChecked());
    dialog.rdbOther->click();
    EXPECT_TRUE(dialog.actOther->isChecked());
    EXPECT_TRUE(dialog.rdgRCode->isEnabled());
    Item(dialog.rdgJcode, 2)->click();
    Item(dialog.rdgRCode, 1)->click();
    EXPECT_EQ(dialog.Choice(), (TCodePair {jcEuc, rcCr}));
    dialog.rdbMac->click();
    EXPECT_FALSE(dialog.rdgJcode->isEnabled());
    EXPECT_EQ(TdlgSaveCode(QStringLiteral("a"), false).windowTitle(), QStringLiteral("コード形式を指定して開く"));
}

// Answers the dialog that ChooseCode shows, once it is up.
void AnswerDialog(bool accept, const std::function<void(TdlgSaveCode&)>& choose)
{
    QTimer::singleShot(0, [=] {
        auto* dialog = qobject_cast<TdlgSaveCode*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        choose(*dialog);
        accept ? dialog->accept() : dialog->reject();
    });
}

TEST(SaveCodeDialog, ChooseCodeChangesThePairOnlyOnOk)
{
    TCodePair codes {jcSjis, rcCrLf};
    AnswerDialog(false, [](TdlgSaveCode& dialog) { dialog.rdbUnix->click(); });
    EXPECT_FALSE(ChooseCode(QStringLiteral("a"), codes, true));
    EXPECT_EQ(codes, (TCodePair {jcSjis, rcCrLf}));

    AnswerDialog(true, [](TdlgSaveCode& dialog) { dialog.rdbUnix->click(); });
    EXPECT_TRUE(ChooseCode(QStringLiteral("a"), codes, true));
    EXPECT_EQ(codes, (TCodePair {jcEuc, rcLf}));
}


// The two UTF-8 presets (LF, without and with the mark) and UTF-8 among the free codes, where the mark of the
// document is kept.
TEST(SaveCodeDialog, Utf8Presets)
{
    TdlgSaveCode dialog(QStringLiteral("a"), true);
    EXPECT_EQ(dialog.rdbUtf8->text(), QStringLiteral("UTF-8/LF"));
    EXPECT_EQ(dialog.rdbUtf8Bom->text(), QStringLiteral("UTF-8 (BOM付き)/LF"));
    dialog.rdbUtf8Bom->click();
    EXPECT_EQ(dialog.Choice(), (TCodePair {jcUtf8, rcLf, true}));
    dialog.rdbUtf8->click();
    EXPECT_EQ(dialog.Choice(), (TCodePair {jcUtf8, rcLf, false}));
    EXPECT_FALSE(dialog.rdgJcode->isEnabled());

    const TCodePair pairs[] = {{jcUtf8, rcLf, false}, {jcUtf8, rcLf, true}, {jcUtf8, rcCrLf, true},
        {jcUtf8, rcCr, false}};
    for (const TCodePair& pair : pairs) {
        TdlgSaveCode preset(QStringLiteral("a"), false);
        preset.Preset(pair);
        EXPECT_EQ(preset.Choice(), pair) << pair.rcode << pair.bom;
        EXPECT_EQ(preset.rdbOther->isChecked(), pair.rcode != rcLf);
    }
    TdlgSaveCode marked(QStringLiteral("a"), true);
    marked.Preset({jcUtf8, rcCrLf, true});
    EXPECT_TRUE(Item(marked.rdgJcode, 3)->isChecked());
    Item(marked.rdgJcode, 0)->click();
    EXPECT_EQ(marked.Choice(), (TCodePair {jcSjis, rcCrLf, false})); // only UTF-8 has a mark
}
} // namespace
} // namespace brenvik
