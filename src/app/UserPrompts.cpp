// The dialogs the main window shows, one box at a time.
#include "app/UserPrompts.h"
#include "app/ScriptFileDialog.h"

#include <QProcess>

namespace brenvik {

namespace {

const QString kCaption = QStringLiteral("Brenvik");

} // namespace

QMessageBox::StandardButton TDialogPrompts::AskSave(QWidget* parent, const QString& text)
{
    return QMessageBox::warning(parent, kCaption, text, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
        QMessageBox::Yes);
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

QString TDialogPrompts::OpenFileName(QWidget* parent, const QString& folder)
{
    return AskOpenScript(parent, folder);
}

QString TDialogPrompts::SaveFileName(QWidget* parent, const QString& suggested)
{
    return AskSaveScript(parent, suggested);
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
