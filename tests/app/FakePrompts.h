// Answers for the main window's dialogs and a record of what it asked, for offscreen tests.
#pragma once

#include "app/UserPrompts.h"

#include <deque>

namespace brenvik::test {

class TFakePrompts : public TUserPrompts {
public:
    QMessageBox::StandardButton AskSave(QWidget*, const QString& text) override
    {
        Asked.append(text);
        return SaveAnswer;
    }
    bool AskYesNo(QWidget*, const QString& text) override
    {
        Asked.append(text);
        return YesNoAnswer;
    }
    bool AskOkCancel(QWidget*, const QString& text) override
    {
        Asked.append(text);
        return OkCancelAnswer;
    }
    void ShowError(QWidget*, const QString& text) override { Errors.append(text); }
    QString OpenFileName(QWidget*, const QString& folder) override
    {
        DialogStarts.append(folder);
        return Next(OpenNames);
    }
    QString SaveFileName(QWidget*, const QString& start) override
    {
        DialogStarts.append(start);
        return Next(SaveNames);
    }
    bool ChooseCode(QWidget*, const QString&, TCodePair& codes, bool saving) override
    {
        CodeDialogs.append({codes, saving});
        if (!CodeAnswer)
            return false;
        codes = *CodeAnswer;
        return true;
    }
    bool StartProcess(const QString& program, const QStringList& arguments) override
    {
        Started.append(arguments);
        Q_UNUSED(program);
        return StartSucceeds;
    }

    QMessageBox::StandardButton SaveAnswer = QMessageBox::No;
    bool YesNoAnswer = false;
    bool OkCancelAnswer = false;
    std::deque<QString> OpenNames;
    std::deque<QString> SaveNames;
    std::optional<TCodePair> CodeAnswer;
    bool StartSucceeds = true;

    QStringList Asked;
    QStringList Errors;
    QStringList DialogStarts;
    QList<std::pair<TCodePair, bool>> CodeDialogs;
    QList<QStringList> Started;

private:
    static QString Next(std::deque<QString>& names)
    {
        if (names.empty())
            return {};
        QString name = names.front();
        names.pop_front();
        return name;
    }
};

} // namespace brenvik::test
