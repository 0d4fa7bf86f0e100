// The print command: the setup form on the window's printer and lines, and the printer
// settings kept in the settings file across starts.
#include "FakePrompts.h"
#include "TestFiles.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "print/FormStringsPrint.h"
#include "editor/RadioGroup.h"
#include "print/StringsPrinter.h"
#include "print/StringsPrinterInfo.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QSpinBox>

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace brenvik {
namespace {

class MainWindowPrintTest : public ::testing::Test {
protected:
    MainWindowPrintTest() { qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit()); }
    ~MainWindowPrintTest() override { qunsetenv("BRENVIK_HOME"); }

    // Triggers the print command; answer runs on the setup form, which then closes by button.
    void Print(TfrmMain& window, const std::function<void(TFormStringsPrint&)>& answer, const char* button)
    {
        bool answered = false;
        QTimer::singleShot(0, [&] {
            auto* form = qobject_cast<TFormStringsPrint*>(QApplication::activeModalWidget());
            ASSERT_NE(form, nullptr);
            answered = true;
            answer(*form);
            form->findChild<QPushButton*>(QLatin1String(button))->click();
        });
        window.Action(QStringLiteral("actFilePrint"))->trigger();
        EXPECT_TRUE(answered);
    }
    QString Settings() const { return FHome.filePath(QStringLiteral("brenvik.ini")); }

    QTemporaryDir FHome;
    test::TFakePrompts prompts;
};

TEST_F(MainWindowPrintTest, TheCommandHasItsCaptionKeyAndHint)
{
    TfrmMain window(&prompts);
    QAction* print = window.Action(QStringLiteral("actFilePrint"));
    ASSERT_NE(print, nullptr);
    EXPECT_EQ(print->text(), QStringLiteral("印刷(&P)..."));
    EXPECT_EQ(print->shortcut(), QKeySequence(QStringLiteral("Ctrl+P")));
    EXPECT_EQ(print->statusTip(), QStringLiteral("ファイルを印刷"));
    window.IdleUpdate();
    EXPECT_TRUE(print->isEnabled());
}

TEST_F(MainWindowPrintTest, SettingsAreStoredOnOkAndReadAtTheNextStart)
{
    const QString script = test::WriteTestFile(FHome.filePath(QStringLiteral("bbs.cgi")), "print 1;\r\n");
    {
        TfrmMain window(&prompts);
        ASSERT_TRUE(window.LoadFile(script));
        Print(window, [&](TFormStringsPrint& form) {
            // The window's defaults, and its script's name for "%F".
            EXPECT_EQ(form.Edit1->text(), QStringLiteral("%F %y/%m/%d"));
            EXPECT_EQ(form.RadioGroup2->ItemIndex(), int(haRight));
            EXPECT_EQ(form.Edit2->text(), QStringLiteral("- %p -"));
            EXPECT_EQ(form.RadioGroup3->ItemIndex(), int(haCenter));
            EXPECT_EQ(form.StringsPrinter1->FileName(), script);
            EXPECT_TRUE(form.Button5->isEnabled());
            // New settings keep the text 10 mm from every edge of the sheet.
            for (QSpinBox* margin : {form.SpinEdit1, form.SpinEdit2, form.SpinEdit3, form.SpinEdit4})
                EXPECT_EQ(margin->value(), 10) << margin->objectName().toStdString();
            form.RadioGroup1->SetItemIndex(2);
        }, "Button2");
        EXPECT_FALSE(QSettings(Settings(), QSettings::IniFormat).contains(QStringLiteral("StringsPrinter/Property_c")));
        Print(window, [](TFormStringsPrint& form) {
            form.RadioGroup1->SetItemIndex(2);
            form.SpinEdit1->setValue(0);
            // As the printer setup dialog would leave it.
            form.StringsPrinter1->Info().Printer()->setPageOrientation(QPageLayout::Landscape);
            form.StringsPrinter1->Info().Printer()->setPageSize(QPageSize(QPageSize::B5));
        }, "Button1");
        EXPECT_TRUE(QSettings(Settings(), QSettings::IniFormat).contains(QStringLiteral("StringsPrinter/Property_c")));
    }
    // Another start: the printer itself is as the program found it, until the stored setup is read.
    CurrentPrinter().setPageOrientation(QPageLayout::Portrait);
    CurrentPrinter().setPageSize(QPageSize(QPageSize::A4));
    TfrmMain restarted(&prompts);
    Print(restarted, [](TFormStringsPrint& form) {
        EXPECT_EQ(form.Label6->text(), QStringLiteral("poLandscape"));
        EXPECT_EQ(form.StringsPrinter1->Info().Printer()->pageLayout().pageSize().id(), QPageSize::B5);
        EXPECT_EQ(form.SpinEdit1->value(), 0) << "stored settings keep their margins";
        EXPECT_EQ(form.RadioGroup1->ItemIndex(), 2);
        EXPECT_EQ(form.Edit1->text(), QStringLiteral("%F %y/%m/%d"));
    }, "Button2");
    EXPECT_TRUE(prompts.Errors.isEmpty());
    CurrentPrinter().setPageOrientation(QPageLayout::Portrait);
    CurrentPrinter().setPageSize(QPageSize(QPageSize::A4));
}

} // namespace
} // namespace brenvik
