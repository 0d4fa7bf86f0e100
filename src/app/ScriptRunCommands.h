// The main window's check and CGI run: "構文チェック" (F9), "CGI として実行" (Ctrl+F9), the
// cancel, F4 / Shift+F4 over the lines the check named, and the panel showing the results. Both
// execute the user's code (a BEGIN block runs even under -c), and only on the user's command.
#pragma once

#include "perlrun/PerlMessages.h"
#include "perlrun/PerlProcess.h"
#include "perlrun/ScriptRun.h"

#include <QObject>
#include <QTemporaryDir>

#include <memory>
#include <vector>

class QDockWidget;

namespace brenvik {

class TfrmMain;
class TMarkedLines;
class TScriptRunPanel;

class TScriptRunCommands : public QObject {
public:
    explicit TScriptRunCommands(TfrmMain& window);
    ~TScriptRunCommands() override;

    // Starts a check of the document's current text; a reason in panel 5 when it cannot.
    void Check();
    // Asks the form, then runs the script as a CGI program.
    void RunCgi();
    void Cancel();
    // Moves the caret to the next (or previous) line marked by the last check, after (or before)
    // the caret's line, going round at the end; the marks follow edits until the next check.
    void GoToMessage(bool forward);
    // Moves the caret to the line of message index of the last check.
    void GoToMessageAt(int index);

    TScriptRun& Run() const { return *FRun; }
    TScriptRunPanel& Panel() const { return *FPanel; }
    QDockWidget& Dock() const { return *pnlScriptRun; }
    const TCheckReport& Report() const { return FReport; }
    // The line message index stands on now (from 1), its mark followed through edits; 0 when it
    // names none of the script's, or its line was taken out.
    int MessageLine(int index) const;
    // The body of the last run in a file of its own for the user's browser.
    void OpenBodyInBrowser();

private:
    void CreateActions();
    TMarkedLines& Marks() const;
    void GoToLine(int line);
    bool StartRun(TRunKind kind, const TCgiRequest* request);
    void Finished(TRunKind kind, const TProcessResult& result);
    void CheckFinished(const TProcessResult& result);
    void CgiFinished(const TProcessResult& result);
    // How a run ended, when not as a normal exit: the time limit, a cancel, a crash; empty otherwise.
    QString Interruption(const TProcessResult& result) const;

    TfrmMain& FWindow;
    TScriptRun* FRun;
    QDockWidget* pnlScriptRun;
    TScriptRunPanel* FPanel;
    TCheckReport FReport;
    std::vector<int> FCheckedLines; // the marked lines (0-based, ascending) as the check found them
    QByteArray FBody; // the last run's body, decoded, in UTF-8
    bool FBodyIsHtml = false;
    std::unique_ptr<QTemporaryDir> FBrowserFolder;
};

} // namespace brenvik
