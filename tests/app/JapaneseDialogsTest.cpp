// Qt's own dialogs in Japanese whatever the locale, the access keys of the question boxes, and
// the script file dialogs: where they start, what their name field holds, names with quotes.
#include "app/Application.h"
#include "app/UserPrompts.h"
#include "common/FakePrompts.h"
#include "app/ScriptFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTranslator>
#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace brenvik {
namespace {

// Runs inspect on the modal dialog that show opens, once it is up.
void WithModal(const std::function<void()>& show, const std::function<void(QWidget*)>& inspect)
{
    bool seen = false;
    QTimer::singleShot(0, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        ASSERT_NE(modal, nullptr);
        seen = true;
        inspect(modal);
    });
    show();
    EXPECT_TRUE(seen);
}

QStringList ButtonTexts(QWidget* box)
{
    QStringList texts;
    for (const QPushButton* button : box->findChildren<QPushButton*>())
        texts.append(button->text());
    return texts;
}

class JapaneseDialogsTest : public ::testing::Test {
protected:
    JapaneseDialogsTest()
        : FTranslator(InstallQtJapanese(*QCoreApplication::instance()))
    {
    }

    std::unique_ptr<QTranslator> FTranslator;
    QTemporaryDir FDir;
};

TEST_F(JapaneseDialogsTest, QtsOwnButtonsAndFileDialogSpeakJapaneseWithAccessKeys)
{
    ASSERT_NE(FTranslator, nullptr) << "qtbase_ja.qm is not installed";
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Brenvik"), QStringLiteral("保存しますか？"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    const QStringList texts = ButtonTexts(&box);
    EXPECT_TRUE(texts.contains(QStringLiteral("はい(&Y)"))) << texts.join(u',').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("いいえ(&N)"))) << texts.join(u',').toStdString();
    EXPECT_TRUE(texts.contains(QStringLiteral("キャンセル"))) << texts.join(u',').toStdString();

    TScriptFileDialog dialog(nullptr, QFileDialog::AcceptSave, FDir.path());
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    const auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
    ASSERT_NE(lookIn, nullptr);
    EXPECT_EQ(lookIn->text(), QCoreApplication::translate("QFileDialog", "Look in:"));
    EXPECT_NE(lookIn->text(), QStringLiteral("Look in:"));
}

TEST_F(JapaneseDialogsTest, TheReplaceQuestionHasAnAccessKeyOnEachAnswer)
{
    TDialogPrompts prompts;
    TAnswer answer = TAnswer::Cancel;
    WithModal([&] { answer = prompts.AskReplace(nullptr, QStringLiteral("置換しますか？"), QRect(10, 10, 2, 16), 16); },
        [](QWidget* box) {
            QPushButton* all = nullptr;
            QList<QKeySequence> keys;
            for (QPushButton* button : box->findChildren<QPushButton*>()) {
                keys.append(QKeySequence::mnemonic(button->text()));
                if (keys.back() == QKeySequence(Qt::ALT | Qt::Key_A))
                    all = button;
            }
            EXPECT_TRUE(keys.contains(QKeySequence(Qt::ALT | Qt::Key_Y)));
            EXPECT_TRUE(keys.contains(QKeySequence(Qt::ALT | Qt::Key_N)));
            ASSERT_NE(all, nullptr);
            all->click();
        });
    EXPECT_EQ(answer, TAnswer::All);
}

TEST_F(JapaneseDialogsTest, FileDialogsStartInAFolderWithOnlyAFileNameInTheNameField)
{
    const auto nameField = [](const QFileDialog& dialog) {
        const auto* edit = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        return edit ? edit->text() : QStringLiteral("<none>");
    };
    TScriptFileDialog unnamed(nullptr, QFileDialog::AcceptSave, FDir.path());
    unnamed.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(unnamed.directory().absolutePath(), QDir(FDir.path()).absolutePath());
    EXPECT_EQ(nameField(unnamed), QString());

    const QString script = FDir.filePath(QStringLiteral("a.cgi"));
    TScriptFileDialog named(nullptr, QFileDialog::AcceptSave, script);
    named.setOption(QFileDialog::DontUseNativeDialog);
    EXPECT_EQ(named.directory().absolutePath(), QDir(FDir.path()).absolutePath());
    EXPECT_EQ(nameField(named), QStringLiteral("a.cgi"));
}

TEST_F(JapaneseDialogsTest, ANameHoldingAQuoteOpensAndSaves)
{
    const QString quoted = FDir.filePath(QStringLiteral("say \"hi\".cgi"));
    QFile file(quoted);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const auto choose = [this](QFileDialog::AcceptMode mode, const QString& typed) {
        TScriptFileDialog dialog(nullptr, mode, FDir.path());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(typed);
        dialog.accept();
        return dialog.Chosen();
    };
    EXPECT_EQ(choose(QFileDialog::AcceptOpen, QStringLiteral("say \"hi\".cgi")), quoted);
    // Saving under a new such name takes the default suffix.
    EXPECT_EQ(choose(QFileDialog::AcceptSave, QStringLiteral("new \"one\"")), FDir.filePath(QStringLiteral("new \"one\".cgi")));
    // A name that is not there is said to be missing and not opened; an existing one is asked about
    // before a save replaces it.
    test::TFakePromptsOf<TPrompts> prompts;
    const TInstalledPrompts installed(prompts);
    EXPECT_EQ(choose(QFileDialog::AcceptOpen, QStringLiteral("no \"such\".cgi")), QString());
    ASSERT_EQ(prompts.Warnings.size(), 1);
    EXPECT_TRUE(prompts.Warnings[0].contains(QStringLiteral("見つかりません")));
    EXPECT_EQ(choose(QFileDialog::AcceptSave, QStringLiteral("say \"hi\".cgi")), QString());
    prompts.YesNoAnswer = true;
    EXPECT_EQ(choose(QFileDialog::AcceptSave, QStringLiteral("say \"hi\".cgi")), quoted);
    EXPECT_EQ(prompts.Asked.size(), 2);
}

// The save dialog shows the codes the script keeps, and its "コード指定して保存" takes the name and asks for
// other codes instead.
TEST_F(JapaneseDialogsTest, TheSaveDialogShowsTheCodesAndOffersSavingWithOtherCodes)
{
    TScriptFileDialog dialog(nullptr, QFileDialog::AcceptSave, FDir.path());
    dialog.OfferCodes(QStringLiteral("EUC LF"));
    const auto* label = dialog.findChild<QLabel*>(QStringLiteral("codesLabel"));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QStringLiteral("文字コード: EUC LF"));
    auto* button = dialog.findChild<QPushButton*>(QStringLiteral("chooseCodeButton"));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("コード指定して保存..."));
    dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(QStringLiteral("other.cgi"));
    EXPECT_FALSE(dialog.ChooseCode());
    button->click();
    EXPECT_TRUE(dialog.ChooseCode());
    EXPECT_EQ(dialog.Chosen(), FDir.filePath(QStringLiteral("other.cgi")));
}

} // namespace
} // namespace brenvik
