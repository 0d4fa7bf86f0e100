// The about box: its texts, the program icon, and where its two links lead.
#include "OptionTestSupport.h"

#include "app/ProgramFolder.h"
#include "options/LightLabel.h"
#include "options/OptionCommands.h"
#include "options/dlgAbout.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace brenvik {
namespace {

class AboutBoxTest : public test::TMainWindowFixture {};

TEST_F(AboutBoxTest, ShowsNameVersionIconAndTwoLinks)
{
    QPixmap icon(16, 16);
    icon.fill(Qt::red);
    QApplication::setWindowIcon(QIcon(icon));
    TdlgAbout about;
    QStringList texts;
    for (QLabel* label : about.findChildren<QLabel*>())
        texts.append(label->text());
    EXPECT_TRUE(texts.contains(QStringLiteral("Brenvik")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Version 0.301")));
    EXPECT_FALSE(about.findChild<QLabel*>(QStringLiteral("imgIcon"))->pixmap().isNull());
    EXPECT_EQ(about.findChild<QPushButton*>(QStringLiteral("OKBtn"))->text(), QStringLiteral("OK"));

    // The settings link is captioned with the folder of brenvik.ini and opens it.
    EXPECT_EQ(about.SettingsLink()->text(), ProgramFolder());
    EXPECT_EQ(ProgramFolder(), QDir::cleanPath(FHome.path()));
    QTest::mouseClick(about.SettingsLink(), Qt::LeftButton);
    QTest::mouseClick(about.ReadmeLink(), Qt::LeftButton);
    ASSERT_EQ(hooks.Opened.size(), 2);
    EXPECT_EQ(hooks.Opened[0], QUrl::fromLocalFile(FHome.path()));
    EXPECT_EQ(hooks.Opened[1], QUrl::fromLocalFile(TdlgAbout::ReadmePath()));
    EXPECT_TRUE(TdlgAbout::ReadmePath().contains(QStringLiteral("README")));
}

TEST_F(AboutBoxTest, HelpMenuItemShowsItModally)
{
    InstallOptionCommands(*window);
    QAction* action = window->Action(QStringLiteral("actAbout"));
    EXPECT_EQ(action->text(), QStringLiteral("バージョン情報(&A)..."));
    EXPECT_EQ(action->statusTip(), QStringLiteral("バージョン情報を表示"));
    QString title;
    RunModal([action] { action->trigger(); },
        [&title](QWidget& modal) {
            title = modal.windowTitle();
            modal.findChild<QPushButton*>(QStringLiteral("OKBtn"))->click();
        });
    EXPECT_EQ(title, QStringLiteral("バージョン情報"));
}

} // namespace
} // namespace brenvik
