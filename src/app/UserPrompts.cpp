// The question and message boxes, the file and printer choices and the code form, one box at a time.
#include "app/UserPrompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>

namespace brenvik {

namespace {

const QString kCaption = QStringLiteral("Brenvik");

QString ScriptFilters()
{
    return QStringLiteral("Perl/CGI スクリプト (*.cgi *.pl *.pm);;すべてのファイル (*)");
}

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
    return QFileDialog::getOpenFileName(parent, QStringLiteral("開く"), folder, ScriptFilters());
}

QString TDialogPrompts::SaveFileName(QWidget* parent, const QString& suggested)
{
    QFileDialog dialog(parent, QStringLiteral("名前を付けて保存"), suggested, ScriptFilters());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("cgi"));
    if (!suggested.isEmpty())
        dialog.selectFile(suggested);
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
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

} // namespace brenvik
