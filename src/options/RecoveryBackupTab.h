// The options dialog's tab "復元とバックアップ": the recovery file's timing and the backup on save.
#pragma once

#include "app/MainOptions.h"

#include <QObject>

class QCheckBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace brenvik {

class TRecoveryBackupTab : public QObject {
public:
    // Fills page, which the tab owns.
    explicit TRecoveryBackupTab(QWidget* page);

    void Load(const TMainOptions& options);
    // A backup folder that is not absolute keeps the value loaded.
    void Store(TMainOptions& options) const;

private:
    QCheckBox* cbxRecovery;
    QSpinBox* speRecoveryIdle;
    QSpinBox* speRecoveryLongest;
    QCheckBox* cbxBackup;
    QLineEdit* edtBackupFolder;
};

} // namespace brenvik
