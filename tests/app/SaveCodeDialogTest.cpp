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

} // namespace
} // namespace brenvik
