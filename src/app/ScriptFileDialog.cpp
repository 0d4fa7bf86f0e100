// The open and save dialogs for scripts.
#include "app/ScriptFileDialog.h"

#include "support/Prompts.h"

#include <QDir>
#include <QLineEdit>

namespace brenvik {

TScriptFileDialog::TScriptFileDialog(QWidget* parent, AcceptMode mode, const QString& start)
    : QFileDialog(parent, mode == AcceptSave ? QStringLiteral("名前を付けて保存") : QStringLiteral("開く"), QString(),
        QStringLiteral("Perl/CGI スクリプト (*.cgi *.pl *.pm);;すべてのファイル (*)"))
{
    setAcceptMode(mode);
    setFileMode(mode == AcceptSave ? AnyFile : ExistingFile);
    if (mode == AcceptSave)
        setDefaultSuffix(QStringLiteral("cgi"));
    const QFileInfo info(start);
    if (start.isEmpty() || info.isDir()) {
        setDirectory(start.isEmpty() ? QDir::homePath() : start);
    } else {
        setDirectory(info.absolutePath());
        selectFile(info.fileName());
    }
}

QString TScriptFileDialog::Chosen() const
{
    if (result() != Accepted)
        return {};
    return FChosen.isEmpty() ? selectedFiles().value(0) : FChosen;
}

void TScriptFileDialog::accept()
{
    // Qt reads double quotes in the name field as the bounds of several names, so a name that
    // holds one is taken here, whole.
    const auto* edit = findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    const QString typed = edit ? edit->text() : QString();
    if (!typed.contains(QLatin1Char('"'))) {
        FChosen.clear();
        QFileDialog::accept();
        return;
    }
    QString name = directory().absoluteFilePath(typed);
    if (acceptMode() == AcceptSave && QFileInfo(name).suffix().isEmpty())
        name += QLatin1Char('.') + defaultSuffix();
    const QFileInfo info(name);
    if (acceptMode() == AcceptOpen && !info.isFile()) {
        Prompts().ShowWarning(this, QStringLiteral("ファイル「%1」が見つかりません。").arg(name));
        return;
    }
    if (acceptMode() == AcceptSave && info.exists()
        && !Prompts().AskYesNo(this, QStringLiteral("「%1」は既にあります。\n上書きしますか？").arg(name)))
        return;
    FChosen = name;
    QDialog::accept();
}

QString AskOpenScript(QWidget* parent, const QString& folder)
{
    TScriptFileDialog dialog(parent, QFileDialog::AcceptOpen, folder);
    dialog.exec();
    return dialog.Chosen();
}

QString AskSaveScript(QWidget* parent, const QString& start)
{
    TScriptFileDialog dialog(parent, QFileDialog::AcceptSave, start);
    dialog.exec();
    return dialog.Chosen();
}

} // namespace brenvik
