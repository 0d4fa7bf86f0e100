// What the main window asks beyond the program's question and message boxes: its own forms
// (the code of a file, find and replace) and the processes it starts; and the real dialogs
// behind all of it, the only code that opens a message box (UserPrompts.cpp, and FindPrompts.cpp
// for the replace question and the find forms).
#pragma once

#include "app/dlgSaveCode.h"
#include "support/Prompts.h"

#include <QStringList>
#include <string>

namespace brenvik {

class TDocumentChars;
struct TCgiForm;
struct TFindRequest;

class TUserPrompts : public TPrompts {
public:
    virtual bool ChooseCode(QWidget* parent, const QString& fileName, TCodePair& codes, bool saving) = 0;
    // The save dialog of "名前を付けて保存", showing codes (CodeText) and offering "コード指定して保存";
    // chooseCode tells that the user took that offer. Without a dialog of its own, SaveFileName.
    virtual QString SaveScriptName(QWidget* parent, const QString& suggested, const QString& /*codes*/, bool& chooseCode)
    {
        chooseCode = false;
        return SaveFileName(parent, suggested);
    }
    // The find and replace forms, offering initial (the selection); false when cancelled.
    virtual bool RunFind(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) = 0;
    virtual bool RunReplace(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) = 0;
    virtual bool StartProcess(const QString& program, const QStringList& arguments) = 0;
    // The CGI run's form, filled with form; false when cancelled.
    virtual bool RunCgiForm(QWidget* parent, TCgiForm& form) = 0;
    // A local file in the user's browser; false when none could be started.
    virtual bool OpenInBrowser(const QString& fileName) = 0;
    // A question with buttons of its own: the first is the default, the last answers Escape and
    // closing the box. Returns the index of the button pressed.
    virtual int AskChoice(QWidget* parent, const QString& text, const QStringList& buttons) = 0;
};

// The real dialogs and message boxes, and QProcess::startDetached.
class TDialogPrompts : public TUserPrompts {
public:
    TAnswer AskSave(QWidget* parent, const QString& text) override;
    bool AskYesNo(QWidget* parent, const QString& text) override;
    bool AskOkCancel(QWidget* parent, const QString& text) override;
    // はい, いいえ, キャンセル and すべて.
    TAnswer AskReplace(QWidget* parent, const QString& question, const QRect& caret, int rowHeight) override;
    void ShowError(QWidget* parent, const QString& text) override;
    void ShowWarning(QWidget* parent, const QString& text) override;
    void ShowInformation(QWidget* parent, const QString& caption, const QString& text) override;
    QString OpenFileName(QWidget* parent, const QString& folder) override;
    QString SaveFileName(QWidget* parent, const QString& suggested) override;
    QString SaveScriptName(QWidget* parent, const QString& suggested, const QString& codes, bool& chooseCode) override;
    QString PdfFileName(QWidget* parent, const QString& suggested) override;
    // The platform's printer setup; the range is chosen in the print form, not here.
    bool SetupPrinter(QWidget* parent, QPrinter& printer) override;
    bool ChooseCode(QWidget* parent, const QString& fileName, TCodePair& codes, bool saving) override;
    bool RunFind(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) override;
    bool RunReplace(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request) override;
    bool StartProcess(const QString& program, const QStringList& arguments) override;
    bool RunCgiForm(QWidget* parent, TCgiForm& form) override;
    bool OpenInBrowser(const QString& fileName) override;
    int AskChoice(QWidget* parent, const QString& text, const QStringList& buttons) override;
};

} // namespace brenvik
