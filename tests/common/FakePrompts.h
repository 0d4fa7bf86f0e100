// Answers for every question and message box, and a record of what was asked and told, for
// tests that must not open a box. Base is TPrompts, or an interface that extends it.
#pragma once

#include "support/Prompts.h"

#include <QStringList>
#include <deque>

namespace brenvik::test {

template <class Base = TPrompts>
class TFakePromptsOf : public Base {
public:
    TAnswer AskSave(QWidget*, const QString& text) override
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
    // The next of Answers; Cancel when they have run out.
    TAnswer AskReplace(QWidget*, const QString& question, const QRect&, int) override
    {
        Questions.append(question);
        if (Answers.empty())
            return TAnswer::Cancel;
        const TAnswer answer = Answers.front();
        Answers.pop_front();
        return answer;
    }
    void ShowError(QWidget*, const QString& text) override { Errors.append(text); }
    void ShowWarning(QWidget*, const QString& text) override { Warnings.append(text); }
    void ShowInformation(QWidget*, const QString&, const QString& text) override { Messages.append(text); }
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
    QString PdfFileName(QWidget*, const QString& suggested) override
    {
        PdfSuggested.append(suggested);
        return PdfAnswer;
    }
    bool SetupPrinter(QWidget*, QPrinter&) override
    {
        ++PrinterSetups;
        return true;
    }

    TAnswer SaveAnswer = TAnswer::No;
    bool YesNoAnswer = false;
    bool OkCancelAnswer = false;
    std::deque<TAnswer> Answers;
    std::deque<QString> OpenNames;
    std::deque<QString> SaveNames;
    QString PdfAnswer;

    QStringList Asked;     // the save, yes-no and OK-cancel questions
    QStringList Questions; // the replace questions
    QStringList Errors;
    QStringList Warnings;
    QStringList Messages;  // the information boxes
    QStringList PdfSuggested;
    QStringList DialogStarts; // where the file dialogs started
    int PrinterSetups = 0;

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
