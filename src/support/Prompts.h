// Every question and message box the program shows, behind one interface that every layer can
// reach: the program's entry installs the real boxes (app/UserPrompts.h), tests install answers.
// Parents are only passed through, so nothing here needs the widget library.
#pragma once

#include <QString>

class QPrinter;
class QRect;
class QWidget;

namespace brenvik {

enum class TAnswer { Yes, No, Cancel, All };

class TPrompts {
public:
    virtual ~TPrompts() = default;

    // Questions. Yes, No or Cancel.
    virtual TAnswer AskSave(QWidget* parent, const QString& text) = 0;
    // Yes or No (the default).
    virtual bool AskYesNo(QWidget* parent, const QString& text) = 0;
    // OK or Cancel.
    virtual bool AskOkCancel(QWidget* parent, const QString& text) = 0;
    // Yes, No, Cancel or All, in a box placed by the caret (its rectangle on the screen).
    virtual TAnswer AskReplace(QWidget* parent, const QString& question, const QRect& caret, int rowHeight) = 0;

    // Messages.
    virtual void ShowError(QWidget* parent, const QString& text) = 0;
    virtual void ShowWarning(QWidget* parent, const QString& text) = 0;
    virtual void ShowInformation(QWidget* parent, const QString& caption, const QString& text) = 0;

    // Choices; empty or false when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& folder) = 0;
    virtual QString SaveFileName(QWidget* parent, const QString& suggested) = 0;
    virtual QString PdfFileName(QWidget* parent, const QString& suggested) = 0;
    virtual bool SetupPrinter(QWidget* parent, QPrinter& printer) = 0;
};

// The installed prompts. Before any are installed: messages go to the log and every question
// gets the answer that changes nothing (No, Cancel, no file).
TPrompts& Prompts();

// Installs prompts (not owned) for the life of this object, then the ones before again.
class TInstalledPrompts {
public:
    explicit TInstalledPrompts(TPrompts& prompts);
    ~TInstalledPrompts();
    TInstalledPrompts(const TInstalledPrompts&) = delete;
    TInstalledPrompts& operator=(const TInstalledPrompts&) = delete;

private:
    TPrompts* FPrevious;
};

} // namespace brenvik
