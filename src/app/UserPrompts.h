// Everything the main window asks the user or the system, behind one interface, so that tests
// answer the dialogs and start no processes.
#pragma once

#include "app/dlgSaveCode.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>

class QWidget;

namespace brenvik {

class TUserPrompts {
public:
    virtual ~TUserPrompts() = default;
    // Yes, No or Cancel.
    virtual QMessageBox::StandardButton AskSave(QWidget* parent, const QString& text) = 0;
    // Yes or No (the default).
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // OK or Cancel.
    virtual bool AskOkCancel(QWidget* parent, const QString& text) = 0;
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    // Empty when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& folder) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& suggested) = 0;
    virtual bool ChooseCode(QWidget* parent, const QString& fileName, TCodePair& codes, bool saving) = 0;
    virtual bool StartProcess(const QString& program, const QStringList& arguments) = 0;
};

// The real dialogs and message boxes, and QProcess::startDetached.
class TDialogPrompts : public TUserPrompts {
public:
    QMessageBox::StandardButton AskSave(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    bool AskOkCancel(QWidget* parent, const QString& text) override;
    void ShowError(QWidget* parent, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& folder) override;
    QString SaveFileName(QWidget* parent, const QString& suggested) override;
    bool ChooseCode(QWidget* parent, const QString& fileName, TCodePair& codes, bool saving) override;
    bool StartProcess(const QString& program, const QStringList& arguments) override;
};

} // namespace brenvik
