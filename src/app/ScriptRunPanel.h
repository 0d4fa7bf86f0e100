// The panel of the check and the CGI run: the check's messages (line, perl's words) with its
// summary, and the run's status, headers, standard error and body, as text and rendered (no
// network loads), with "ブラウザで開く".
#pragma once

#include "perlrun/CgiResponse.h"
#include "perlrun/PerlMessages.h"

#include <QWidget>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace brenvik {

// What a finished CGI run shows.
struct TCgiRunView {
    TCgiResponse Response;
    QString Errors;   // standard error, the copy's name shown as the script's
    QString Ending;   // how the run ended ("終了コード 0", "時間切れ", ...)
    bool OutputCut = false;
};

class TScriptRunPanel : public QWidget {
    Q_OBJECT
public:
    explicit TScriptRunPanel(QWidget* parent = nullptr);

    // The check's page: every message, its line when it names one of the script's.
    void ShowCheck(const TCheckReport& report, const QString& note);
    // A run going on ("実行中...") with perl's command line, or nothing (the run ended).
    void ShowRunning(const QString& text);
    void ShowCgi(const TCgiRunView& view);
    void SelectMessage(int index);
    // The page shown: 0 the check, 1 the CGI run.
    void ShowPage(int page);

    QTreeWidget* lstMessages;
    QLabel* lblSummary;
    QPlainTextEdit* memCgiHead;
    QTextBrowser* brwCgiBody;
    QPlainTextEdit* memCgiBody;
    QPushButton* btnOpenBrowser;
    QPushButton* btnCancel;

signals:
    // A message was double-clicked (or Enter pressed on it).
    void MessageChosen(int index);
    void OpenInBrowser();
    void CancelRequested();

private:
    QTabWidget* FPages;
    QTabWidget* FBodyPages;
    QLabel* lblRunning;
};

} // namespace brenvik
