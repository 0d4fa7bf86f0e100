// The open and save dialogs for scripts.
#include "app/ScriptFileDialog.h"

#include "support/Prompts.h"

#include <QDir>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

void TScriptFileDialog::OfferCodes(const QString& codes)
{
    // The platform's own dialog takes no widgets of ours.
    setOption(DontUseNativeDialog, true);
    auto* grid = qobject_cast<QGridLayout*>(layout());
    if (!grid)
        return;
    auto* label = new QLabel(QStringLiteral("文字コード: %1").arg(codes), this);
    label->setObjectName(QStringLiteral("codesLabel"));
    auto* button = new QPushButton(QStringLiteral("コード指定して保存..."), this);
    button->setObjectName(QStringLiteral("chooseCodeButton"));
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this] {
        FChooseCode = true;
        accept();
        if (result() != Accepted)
            FChooseCode = false;
    });
    const int row = grid->rowCount();
    grid->addWidget(label, row, 0, 1, 2);
    grid->addWidget(button, row, 2);
}

QString AskSaveScript(QWidget* parent, const QString& start, const QString& codes, bool* chooseCode)
{
    TScriptFileDialog dialog(parent, QFileDialog::AcceptSave, start);
    if (!codes.isEmpty())
        dialog.OfferCodes(codes);
    dialog.exec();
    if (chooseCode)
        *chooseCode = dialog.ChooseCode() && !dialog.Chosen().isEmpty();
    return dialog.Chosen();
}

} // namespace brenvik
