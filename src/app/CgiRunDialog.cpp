// The CGI run's form.
#include "app/CgiRunDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace brenvik {

TCgiRunDialog::TCgiRunDialog(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("dlgCgiRun"));
    setWindowTitle(QStringLiteral("CGI として実行"));
    auto* layout = new QVBoxLayout(this);
    auto* warning = new QLabel(
        QStringLiteral("スクリプトはこのコンピューター上で、あなたの権限で実行されます。"), this);
    warning->setWordWrap(true);
    layout->addWidget(warning);
    auto* form = new QFormLayout;
    cbxMethod = new QComboBox(this);
    cbxMethod->setObjectName(QStringLiteral("cbxMethod"));
    cbxMethod->addItems({QStringLiteral("GET"), QStringLiteral("POST")});
    edtQuery = new QLineEdit(this);
    edtQuery->setObjectName(QStringLiteral("edtQuery"));
    edtQuery->setPlaceholderText(QStringLiteral("mode=view&page=2 (そのまま送ります)"));
    grdFields = new QTableWidget(0, 2, this);
    grdFields->setObjectName(QStringLiteral("grdFields"));
    grdFields->setHorizontalHeaderLabels({QStringLiteral("名前"), QStringLiteral("値")});
    grdFields->horizontalHeader()->setStretchLastSection(true);
    grdFields->verticalHeader()->hide();
    auto* rows = new QHBoxLayout;
    auto* add = new QPushButton(QStringLiteral("行を追加"), this);
    auto* remove = new QPushButton(QStringLiteral("行を削除"), this);
    rows->addWidget(add);
    rows->addWidget(remove);
    rows->addStretch();
    memBody = new QPlainTextEdit(this);
    memBody->setObjectName(QStringLiteral("memBody"));
    memBody->setPlaceholderText(QStringLiteral("項目が無いときに送る POST の本文"));
    memBody->setMaximumHeight(60);
    edtCookie = new QLineEdit(this);
    edtCookie->setObjectName(QStringLiteral("edtCookie"));
    edtPathInfo = new QLineEdit(this);
    edtPathInfo->setObjectName(QStringLiteral("edtPathInfo"));
    memEnvironment = new QPlainTextEdit(this);
    memEnvironment->setObjectName(QStringLiteral("memEnvironment"));
    memEnvironment->setPlaceholderText(QStringLiteral("HTTP_REFERER=http://localhost/ (1 行に 1 つ)"));
    memEnvironment->setMaximumHeight(60);
    form->addRow(QStringLiteral("メソッド"), cbxMethod);
    form->addRow(QStringLiteral("クエリ文字列"), edtQuery);
    form->addRow(QStringLiteral("フォームの項目"), grdFields);
    form->addRow(QString(), rows);
    form->addRow(QStringLiteral("POST の本文"), memBody);
    form->addRow(QStringLiteral("Cookie"), edtCookie);
    form->addRow(QStringLiteral("PATH_INFO"), edtPathInfo);
    form->addRow(QStringLiteral("環境変数"), memEnvironment);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("実行"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(add, &QPushButton::clicked, this, [this] { AddRow(); });
    connect(remove, &QPushButton::clicked, this, [this] {
        if (grdFields->rowCount() > 0)
            grdFields->removeRow(grdFields->currentRow() >= 0 ? grdFields->currentRow() : grdFields->rowCount() - 1);
    });
    resize(520, 560);
}

void TCgiRunDialog::AddRow(const QString& name, const QString& value)
{
    const int row = grdFields->rowCount();
    grdFields->insertRow(row);
    grdFields->setItem(row, 0, new QTableWidgetItem(name));
    grdFields->setItem(row, 1, new QTableWidgetItem(value));
}

void TCgiRunDialog::SetForm(const TCgiForm& form)
{
    cbxMethod->setCurrentIndex(form.Post ? 1 : 0);
    edtQuery->setText(form.Query);
    grdFields->setRowCount(0);
    for (const TCgiField& field : form.Fields)
        AddRow(field.Name, field.Value);
    // One empty row to type into.
    AddRow();
    memBody->setPlainText(form.Body);
    edtCookie->setText(form.Cookie);
    edtPathInfo->setText(form.PathInfo);
    memEnvironment->setPlainText(form.Extra);
}

TCgiForm TCgiRunDialog::Form() const
{
    TCgiForm form;
    form.Post = cbxMethod->currentIndex() == 1;
    form.Query = edtQuery->text();
    for (int row = 0; row < grdFields->rowCount(); ++row) {
        const auto text = [&](int column) {
            const QTableWidgetItem* item = grdFields->item(row, column);
            return item ? item->text() : QString();
        };
        if (!text(0).isEmpty() || !text(1).isEmpty())
            form.Fields.push_back({text(0), text(1)});
    }
    form.Body = memBody->toPlainText();
    form.Cookie = edtCookie->text();
    form.PathInfo = edtPathInfo->text();
    form.Extra = memEnvironment->toPlainText();
    return form;
}

} // namespace brenvik
