// The question and message boxes, the file and printer choices and the code form, one box at a time.
#include "app/UserPrompts.h"
#include "app/CgiRunDialog.h"
#include "app/ScriptFileDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QUrl>

namespace brenvik {

namespace {

const QString kCaption = QStringLiteral("Brenvik");

} // namespace

TAnswer TDialogPrompts::AskSave(QWidget* parent, const QString& text)
{
    const QMessageBox::StandardButton answer = QMessageBox::warning(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
    return answer == QMessageBox::Yes ? TAnswer::Yes : answer == QMessageBox::No ? TAnswer::No : TAnswer::Cancel;
}

bool TDialogPrompts::AskYesNo(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
}

bool TDialogPrompts::AskOkCancel(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, kCaption, text, QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok)
        == QMessageBox::Ok;
}

void TDialogPrompts::ShowError(QWidget* parent, const QString& text)
{
    QMessageBox::critical(parent, kCaption, text);
}

void TDialogPrompts::ShowWarning(QWidget* parent, const QString& text)
{
    QMessageBox::warning(parent, kCaption, text);
}

void TDialogPrompts::ShowInformation(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox::information(parent, caption, text);
}

QString TDialogPrompts::OpenFileName(QWidget* parent, const QString& folder)
{
    return AskOpenScript(parent, folder);
}

QString TDialogPrompts::SaveFileName(QWidget* parent, const QString& suggested)
{
    return AskSaveScript(parent, suggested);
}

QString TDialogPrompts::SaveScriptName(QWidget* parent, const QString& suggested, const QString& codes, bool& chooseCode)
{
    return AskSaveScript(parent, suggested, codes, &chooseCode);
}

QString TDialogPrompts::PdfFileName(QWidget* parent, const QString& suggested)
{
    return QFileDialog::getSaveFileName(parent, QString(), suggested, QStringLiteral("PDF (*.pdf)"));
}

bool TDialogPrompts::SetupPrinter(QWidget* parent, QPrinter& printer)
{
    QPrintDialog dialog(&printer, parent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    // This dialog only sets the printer up; printing is the setup form's button.
    dialog.setWindowTitle(QStringLiteral("プリンタの設定"));
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    return dialog.exec() == QDialog::Accepted;
}

bool TDialogPrompts::ChooseCode(QWidget* parent, const QString& fileName, TCodePair& codes, bool saving)
{
    return brenvik::ChooseCode(fileName, codes, saving, parent);
}

bool TDialogPrompts::StartProcess(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}

bool TDialogPrompts::RunCgiForm(QWidget* parent, TCgiForm& form)
{
    TCgiRunDialog dialog(parent);
    dialog.SetForm(form);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    form = dialog.Form();
    return true;
}

bool TDialogPrompts::OpenInBrowser(const QString& fileName)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fileName));
}

int TDialogPrompts::AskChoice(QWidget* parent, const QString& text, const QStringList& buttons)
{
    QMessageBox box(QMessageBox::Question, kCaption, text, QMessageBox::NoButton, parent);
    QList<QAbstractButton*> pressed;
    for (const QString& caption : buttons)
        pressed.append(box.addButton(caption, QMessageBox::ActionRole));
    box.setDefaultButton(qobject_cast<QPushButton*>(pressed.front()));
    box.setEscapeButton(pressed.back());
    box.exec();
    const qsizetype index = pressed.indexOf(box.clickedButton());
    return index < 0 ? static_cast<int>(buttons.size()) - 1 : static_cast<int>(index);
}

} // namespace brenvik
