// The options dialog's tab "復元とバックアップ": it shows the window's values, and OK gives the
// window and the settings file what was set, the recovery timing included.
#include "OptionTestSupport.h"
#include "options/dlgOpt.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <QSpinBox>

namespace brenvik {
namespace {

class RecoveryBackupTabTest : public test::TMainWindowFixture { };

TEST_F(RecoveryBackupTabTest, ShowsTheOptionsAndOkAppliesAndWritesThem)
{
    TdlgOption dialog(window.get());
    dialog.Load(*window);
    auto* recovery = dialog.findChild<QCheckBox*>(QStringLiteral("cbxRecovery"));
    auto* idle = dialog.findChild<QSpinBox*>(QStringLiteral("speRecoveryIdle"));
    auto* longest = dialog.findChild<QSpinBox*>(QStringLiteral("speRecoveryLongest"));
    auto* backup = dialog.findChild<QCheckBox*>(QStringLiteral("cbxBackup"));
    auto* folder = dialog.findChild<QLineEdit*>(QStringLiteral("edtBackupFolder"));
    ASSERT_TRUE(recovery && idle && longest && backup && folder);
    EXPECT_TRUE(recovery->isChecked());
    EXPECT_EQ(idle->value(), 2);
    EXPECT_EQ(longest->value(), 30);
    EXPECT_FALSE(backup->isChecked()) << "off by default";
    EXPECT_EQ(folder->text(), QString());

    idle->setValue(5);
    longest->setValue(120);
    backup->setChecked(true);
    folder->setText(QStringLiteral("relative/bak"));
    dialog.Store(*window);
    EXPECT_EQ(window->Options().RecoveryIdle, 5);
    EXPECT_EQ(window->Options().RecoveryLongest, 120);
    EXPECT_TRUE(window->Options().Backup);
    EXPECT_EQ(window->Options().BackupFolder, QString()) << "a folder that is not absolute is not taken";

    folder->setText(FHome.filePath("bak/"));
    recovery->setChecked(false);
    EXPECT_FALSE(idle->isEnabled());
    dialog.Store(*window);
    EXPECT_EQ(window->Options().BackupFolder, FHome.filePath("bak"));
    EXPECT_FALSE(window->Options().Recovery);
    QSettings settings(SettingsPath(), QSettings::IniFormat);
    EXPECT_EQ(settings.value("Option/BackupFolder").toString(), FHome.filePath("bak"));
    EXPECT_EQ(settings.value("Option/Recovery").toInt(), 0);
}

} // namespace
} // namespace brenvik
