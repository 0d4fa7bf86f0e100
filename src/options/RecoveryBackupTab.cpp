// The recovery and backup controls and their values.
#include "options/RecoveryBackupTab.h"

#include <QCheckBox>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace brenvik {

namespace {

QSpinBox* Seconds(const char* name, int low, int high, QWidget* parent)
{
    auto* box = new QSpinBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setRange(low, high);
    box->setSuffix(QStringLiteral(" 秒"));
    return box;
}

} // namespace

TRecoveryBackupTab::TRecoveryBackupTab(QWidget* page)
    : QObject(page)
{
    auto* layout = new QVBoxLayout(page);
    auto* recovery = new QGroupBox(QStringLiteral("復元用の記録 "), page);
    auto* recoveryLayout = new QFormLayout(recovery);
    cbxRecovery = new QCheckBox(QStringLiteral("保存していない編集内容を記録し、異常終了の後に復元できるようにする"), recovery);
    cbxRecovery->setObjectName(QStringLiteral("cbxRecovery"));
    speRecoveryIdle = Seconds("speRecoveryIdle", 1, 60, recovery);
    speRecoveryLongest = Seconds("speRecoveryLongest", 5, 600, recovery);
    recoveryLayout->addRow(cbxRecovery);
    recoveryLayout->addRow(QStringLiteral("入力が止まってから記録するまで"), speRecoveryIdle);
    recoveryLayout->addRow(QStringLiteral("入力が続くときの記録の間隔"), speRecoveryLongest);
    connect(cbxRecovery, &QCheckBox::toggled, speRecoveryIdle, &QWidget::setEnabled);
    connect(cbxRecovery, &QCheckBox::toggled, speRecoveryLongest, &QWidget::setEnabled);
    layout->addWidget(recovery);

    auto* backup = new QGroupBox(QStringLiteral("バックアップ "), page);
    auto* backupLayout = new QVBoxLayout(backup);
    cbxBackup = new QCheckBox(QStringLiteral("バックアップを作成する"), backup);
    cbxBackup->setObjectName(QStringLiteral("cbxBackup"));
    backupLayout->addWidget(cbxBackup);
    backupLayout->addWidget(new QLabel(QStringLiteral("保存先フォルダ（空欄: ファイルと同じフォルダに「名前.bak」、"
                                                      "指定すると「名前.年月日-時分秒.bak」）"),
        backup));
    auto* folderRow = new QHBoxLayout;
    edtBackupFolder = new QLineEdit(backup);
    edtBackupFolder->setObjectName(QStringLiteral("edtBackupFolder"));
    auto* browse = new QPushButton(QStringLiteral("参照..."), backup);
    folderRow->addWidget(edtBackupFolder);
    folderRow->addWidget(browse);
    backupLayout->addLayout(folderRow);
    connect(browse, &QPushButton::clicked, this, [this, page] {
        const QString folder = QFileDialog::getExistingDirectory(page, QStringLiteral("バックアップ先フォルダ"), edtBackupFolder->text());
        if (!folder.isEmpty())
            edtBackupFolder->setText(folder);
    });
    layout->addWidget(backup);
    layout->addStretch();
}

void TRecoveryBackupTab::Load(const TMainOptions& options)
{
    cbxRecovery->setChecked(options.Recovery);
    speRecoveryIdle->setEnabled(options.Recovery);
    speRecoveryLongest->setEnabled(options.Recovery);
    speRecoveryIdle->setValue(options.RecoveryIdle);
    speRecoveryLongest->setValue(options.RecoveryLongest);
    cbxBackup->setChecked(options.Backup);
    edtBackupFolder->setText(options.BackupFolder);
}

void TRecoveryBackupTab::Store(TMainOptions& options) const
{
    options.Recovery = cbxRecovery->isChecked();
    options.RecoveryIdle = speRecoveryIdle->value();
    options.RecoveryLongest = speRecoveryLongest->value();
    options.Backup = cbxBackup->isChecked();
    const QString folder = edtBackupFolder->text().trimmed();
    if (folder.isEmpty() || QDir::isAbsolutePath(folder))
        options.BackupFolder = folder.isEmpty() ? folder : QDir::cleanPath(folder);
}

} // namespace brenvik
