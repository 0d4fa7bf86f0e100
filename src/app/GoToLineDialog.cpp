// The go-to-line dialog: parsing what was typed, refusing what is no place.
#include "app/GoToLineDialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace brenvik {

namespace {

// Full-width digits and colon, as an input method left on may type them, read as half-width.
QString HalfWidth(QString text)
{
    for (QChar& c : text) {
        if (c.unicode() >= 0xFF10 && c.unicode() <= 0xFF19)
            c = QChar(c.unicode() - 0xFF10 + '0');
        else if (c.unicode() == 0xFF1A)
            c = QLatin1Char(':');
    }
    return text.trimmed();
}

} // namespace

std::optional<TLineTarget> ParseLineTarget(const QString& text)
{
    const QStringList parts = HalfWidth(text).split(QLatin1Char(':'));
    if (parts.size() > 2)
        return std::nullopt;
    TLineTarget target;
    bool ok = false;
    target.Line = parts[0].trimmed().toInt(&ok);
    if (!ok || target.Line < 1)
        return std::nullopt;
    if (parts.size() == 2) {
        target.Column = parts[1].trimmed().toInt(&ok);
        if (!ok || target.Column < 1)
            return std::nullopt;
    }
    return target;
}

TGoToLineDialog::TGoToLineDialog(int lineCount, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgGoToLine"));
    setWindowTitle(QStringLiteral("指定行へ移動"));
    auto* label = new QLabel(QStringLiteral("行番号 (1 - %1)、または 行:桁(&L):").arg(std::max(lineCount, 1)), this);
    edtLine = new QLineEdit(this);
    edtLine->setObjectName(QStringLiteral("edtLine"));
    label->setBuddy(edtLine);
    lblMessage = new QLabel(this);
    lblMessage->setObjectName(QStringLiteral("lblMessage"));
    lblMessage->setStyleSheet(QStringLiteral("color: #c00000;"));
    lblMessage->hide();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    connect(buttons, &QDialogButtonBox::accepted, this, &TGoToLineDialog::Accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edtLine);
    layout->addWidget(lblMessage);
    layout->addWidget(buttons);
}

void TGoToLineDialog::Accept()
{
    const std::optional<TLineTarget> target = ParseLineTarget(edtLine->text());
    if (!target) {
        lblMessage->setText(QStringLiteral("「行」または「行:桁」を数字で入力してください。"));
        lblMessage->show();
        edtLine->selectAll();
        return;
    }
    FTarget = *target;
    accept();
}

bool RunGoToLine(QWidget* parent, int lineCount, TLineTarget& target)
{
    TGoToLineDialog dialog(lineCount, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    target = dialog.Target();
    return true;
}

} // namespace brenvik
