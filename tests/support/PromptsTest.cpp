// The installed prompts: before any are installed every question gets the answer that changes
// nothing; an installation lasts as long as its guard and gives way to the one before.
#include "common/FakePrompts.h"

#include "support/Prompts.h"

#include <QRect>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

TEST(Prompts, UnattendedQuestionsChangeNothingAndInstallationsNest)
{
    TPrompts& unattended = Prompts();
    EXPECT_EQ(unattended.AskSave(nullptr, QStringLiteral("保存しますか？")), TAnswer::Cancel);
    EXPECT_FALSE(unattended.AskYesNo(nullptr, QStringLiteral("開きますか？")));
    EXPECT_FALSE(unattended.AskOkCancel(nullptr, QStringLiteral("よろしいですか？")));
    EXPECT_EQ(unattended.AskReplace(nullptr, QStringLiteral("置換しますか？"), QRect(), 16), TAnswer::Cancel);
    EXPECT_TRUE(unattended.OpenFileName(nullptr, QStringLiteral("/tmp")).isEmpty());
    EXPECT_TRUE(unattended.PdfFileName(nullptr, QStringLiteral("a.pdf")).isEmpty());

    test::TFakePromptsOf<TPrompts> outer;
    test::TFakePromptsOf<TPrompts> inner;
    {
        const TInstalledPrompts first(outer);
        {
            const TInstalledPrompts second(inner);
            Prompts().ShowError(nullptr, QStringLiteral("内"));
        }
        Prompts().ShowError(nullptr, QStringLiteral("外"));
    }
    EXPECT_EQ(inner.Errors, QStringList {QStringLiteral("内")});
    EXPECT_EQ(outer.Errors, QStringList {QStringLiteral("外")});
    EXPECT_EQ(&Prompts(), &unattended);
}

} // namespace
} // namespace brenvik
