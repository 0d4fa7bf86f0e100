// The check and the CGI run as commands of the main window.
#include "app/ScriptRunCommands.h"

#include "app/ScriptRunPanel.h"
#include "app/WindowParts.h"
#include "app/frmMain.h"
#include "editor/Editor.h"
#include "model/MarkedLines.h"
#include "perlrun/CgiRequest.h"
#include "perlrun/CgiResponse.h"
#include "text/EditorStrings.h"

#include <QAction>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>

#include <algorithm>

namespace brenvik {

namespace {

constexpr TMarkKind kErrorMark = TMarkKind::SyntaxError;

} // namespace

TScriptRunCommands::TScriptRunCommands(TfrmMain& window)
    : QObject(&window)
    , FWindow(window)
    , FRun(new TScriptRun(this))
{
    FPanel = new TScriptRunPanel(&window);
    pnlScriptRun = new QDockWidget(QStringLiteral("チェック／実行結果"), &window);
    pnlScriptRun->setObjectName(QStringLiteral("pnlScriptRunDock"));
    pnlScriptRun->setWidget(FPanel);
    window.addDockWidget(Qt::BottomDockWidgetArea, pnlScriptRun);
    pnlScriptRun->hide();
    CreateActions();
    connect(FRun, &TScriptRun::Finished, this, &TScriptRunCommands::Finished);
    connect(FPanel, &TScriptRunPanel::MessageChosen, this, [this](int index) { GoToMessageAt(index); });
    connect(FPanel, &TScriptRunPanel::OpenInBrowser, this, [this] { FWindow.RunCommand([this] { OpenBodyInBrowser(); }); });
    connect(FPanel, &TScriptRunPanel::CancelRequested, this, &TScriptRunCommands::Cancel);
}

TScriptRunCommands::~TScriptRunCommands() = default;

void TScriptRunCommands::CreateActions()
{
    // The hints say plainly that the script's own code runs.
    AddHintedAction(FWindow, "actSyntaxCheck", "構文チェック(&Y)", "F9",
        "構文チェック|perl -c で構文を検査 (BEGIN ブロックと use は実行されます)");
    AddHintedAction(FWindow, "actCgiRun", "CGI として実行(&R)...", "Ctrl+F9",
        "CGI として実行|スクリプトをこのコンピューター上で CGI として実行 (コードがあなたの権限で実行されます)");
    AddHintedAction(FWindow, "actRunCancel", "実行を中止", nullptr, "構文チェックまたは CGI の実行を中止します");
    AddHintedAction(FWindow, "actNextMessage", "次のエラー行へ", "F4", "構文チェックで報告された次の行へ移動");
    AddHintedAction(FWindow, "actPrevMessage", "前のエラー行へ", "Shift+F4", "構文チェックで報告された前の行へ移動");
    FWindow.BindCommand("actSyntaxCheck", [this] { Check(); });
    FWindow.BindCommand("actCgiRun", [this] { RunCgi(); });
    FWindow.BindCommand("actRunCancel", [this] { Cancel(); });
    FWindow.BindCommand("actNextMessage", [this] { GoToMessage(true); });
    FWindow.BindCommand("actPrevMessage", [this] { GoToMessage(false); });
    FWindow.AddRule("actRunCancel", [this] { return FRun->Running(); });
    const auto hasLines = [this] { return !Marks().Lines(kErrorMark).empty(); };
    FWindow.AddRule("actNextMessage", hasLines);
    FWindow.AddRule("actPrevMessage", hasLines);
    if (QMenu* tools = MenuTitled(FWindow, QStringLiteral("ツール(&T)"))) {
        tools->addSeparator();
        AddCommands(*tools, FWindow, {"actSyntaxCheck", "actCgiRun", "actRunCancel", "-", "actNextMessage", "actPrevMessage"});
    }
    if (QMenu* view = MenuTitled(FWindow, QStringLiteral("表示(&V)"))) {
        QAction* toggle = pnlScriptRun->toggleViewAction();
        toggle->setObjectName(QStringLiteral("actViewScriptRun"));
        view->insertAction(FWindow.Action(QStringLiteral("actViewListTabPage")), toggle);
    }
}

bool TScriptRunCommands::StartRun(TRunKind kind, const TCgiRequest* request)
{
    const QString refused = FRun->Start(kind, FWindow.Document(), FWindow.Options().Run, request);
    if (!refused.isEmpty()) {
        FWindow.ShowMessage(refused);
        return false;
    }
    pnlScriptRun->show();
    FPanel->ShowPage(kind == TRunKind::Check ? 0 : 1);
    FPanel->ShowRunning(QStringLiteral("実行中: perl %1").arg(FRun->Arguments().join(QLatin1Char(' '))));
    FWindow.ShowMessage(kind == TRunKind::Check ? QStringLiteral("構文チェック中...") : QStringLiteral("CGI として実行中..."));
    return true;
}

void TScriptRunCommands::Check()
{
    StartRun(TRunKind::Check, nullptr);
}

void TScriptRunCommands::RunCgi()
{
    if (FRun->Running()) {
        FWindow.ShowMessage(QStringLiteral("perl の実行中です。"));
        return;
    }
    TScriptDocument& document = FWindow.Document();
    TCgiForm form = TCgiForm::FromText(document.Side().RunForm());
    if (!FWindow.FPrompts->RunCgiForm(&FWindow, form))
        return;
    if (const QString error = document.Side().SetRunForm(form.ToText()); !error.isEmpty())
        FWindow.ShowMessage(error);
    TCgiTarget target;
    target.ScriptPath = document.FileName().isEmpty() ? document.Folder(QDir::homePath()) + QStringLiteral("/無題.cgi")
                                                      : document.FileName();
    target.Code = document.DocumentJCode();
    target.Chars = &document.Chars();
    const TCgiRequestBuild build = BuildCgiRequest(form, target);
    if (!build.Request) {
        FWindow.FPrompts->ShowWarning(&FWindow, build.Error);
        return;
    }
    StartRun(TRunKind::Cgi, &*build.Request);
}

void TScriptRunCommands::Cancel()
{
    FRun->Cancel();
}

QString TScriptRunCommands::Interruption(const TProcessResult& result) const
{
    switch (result.End) {
    case TProcessResult::TEnd::TimedOut:
        return QStringLiteral("時間切れ (%1 秒) のため perl を終了しました。").arg(FWindow.Options().Run.TimeLimit);
    case TProcessResult::TEnd::Cancelled:
        return QStringLiteral("中止しました。");
    case TProcessResult::TEnd::Crashed:
        return QStringLiteral("perl が異常終了しました。");
    case TProcessResult::TEnd::NotStarted:
        return result.StartError;
    case TProcessResult::TEnd::Exited:
        break;
    }
    return {};
}

void TScriptRunCommands::Finished(TRunKind kind, const TProcessResult& result)
{
    FPanel->ShowRunning(QString());
    if (kind == TRunKind::Check)
        CheckFinished(result);
    else
        CgiFinished(result);
}

void TScriptRunCommands::CheckFinished(const TProcessResult& result)
{
    FReport = ParseCheckMessages(result.Errors, FRun->Source(), result.Ended() ? result.ExitCode : -1);
    FCheckedLines.clear();
    for (const TPerlMessage& message : FReport.Messages)
        if (message.InScript && message.Line > 0 && !message.Trailer)
            FCheckedLines.push_back(message.Line - 1);
    std::sort(FCheckedLines.begin(), FCheckedLines.end());
    FCheckedLines.erase(std::unique(FCheckedLines.begin(), FCheckedLines.end()), FCheckedLines.end());
    // Lines past the end (perl's "at EOF") are dropped by the marks: keep the list in step.
    const int lineCount = FWindow.Editor().Lines().GetCount();
    std::erase_if(FCheckedLines, [lineCount](int line) { return line >= lineCount; });
    QString note = Interruption(result);
    // Lines put in or taken out while perl ran: its line numbers are no longer the document's.
    if (note.isEmpty() && lineCount != FRun->LineCount()) {
        note = QStringLiteral("チェック中に行数が変わったため、行に印を付けていません。");
        FCheckedLines.clear();
    }
    Marks().SetLines(kErrorMark, FCheckedLines);
    FPanel->ShowCheck(FReport, note);
    FWindow.ShowMessage(note.isEmpty() ? FReport.Summary() : QStringLiteral("構文チェック: ") + note);
}

void TScriptRunCommands::CgiFinished(const TProcessResult& result)
{
    TCgiRunView view;
    view.Response = ParseCgiOutput(result.Output, FWindow.Document().DocumentJCode());
    view.Errors = DecodeMessages(result.Errors, FRun->Source());
    view.Ending = Interruption(result);
    if (view.Ending.isEmpty())
        view.Ending = QStringLiteral("終了コード %1 (%2 ミリ秒)").arg(result.ExitCode).arg(result.ElapsedMs);
    view.OutputCut = result.OutputCut;
    FBody = view.Response.BodyText.toUtf8();
    FBodyIsHtml = view.Response.Header(QStringLiteral("Content-Type")).contains(QLatin1String("html"), Qt::CaseInsensitive);
    FPanel->ShowCgi(view);
    FWindow.ShowMessage(QStringLiteral("CGI: %1").arg(view.Response.StatusLine()));
}

void TScriptRunCommands::OpenBodyInBrowser()
{
    if (!FBrowserFolder || !FBrowserFolder->isValid())
        FBrowserFolder = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/brenvik-page-XXXXXX"));
    // The page as UTF-8 with its byte-order mark, which a browser trusts over any charset the
    // page names: the text was decoded already, by the header's charset or by detection.
    QFile file(FBrowserFolder->filePath(FBodyIsHtml ? QStringLiteral("page.html") : QStringLiteral("page.txt")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write("\xEF\xBB\xBF") != 3
        || file.write(FBody) != FBody.size()) {
        FWindow.ShowMessage(QStringLiteral("%1 に書き込めません: %2").arg(file.fileName(), file.errorString()));
        return;
    }
    file.close();
    if (!FWindow.FPrompts->OpenInBrowser(file.fileName()))
        FWindow.ShowMessage(QStringLiteral("ブラウザを起動できません。"));
}

TMarkedLines& TScriptRunCommands::Marks() const
{
    return FWindow.Document().Model().Marks();
}

int TScriptRunCommands::MessageLine(int index) const
{
    if (index < 0 || index >= int(FReport.Messages.size()))
        return 0;
    const TPerlMessage& message = FReport.Messages[std::size_t(index)];
    if (!message.InScript || message.Line <= 0)
        return 0;
    // Marks follow their lines through edits but keep their order, and only a line taken out
    // takes one away: while none was, the n-th line checked is the n-th mark.
    const std::vector<int>& now = Marks().Lines(kErrorMark);
    const auto checked = std::lower_bound(FCheckedLines.begin(), FCheckedLines.end(), message.Line - 1);
    if (now.size() == FCheckedLines.size())
        return now[std::size_t(checked - FCheckedLines.begin())] + 1;
    return Marks().Has(kErrorMark, message.Line - 1) ? message.Line : 0;
}

void TScriptRunCommands::GoToLine(int line)
{
    TEditor& editor = FWindow.Editor();
    const int lines = std::max(editor.Lines().GetCount(), 1);
    editor.CancelSelection();
    editor.PlaceCaretAfter(editor.Lines().LineToRow(std::min(line, lines) - 1), 0);
    editor.setFocus();
}

void TScriptRunCommands::GoToMessageAt(int index)
{
    if (const int line = MessageLine(index); line > 0) {
        FPanel->SelectMessage(index);
        GoToLine(line);
    }
}

void TScriptRunCommands::GoToMessage(bool forward)
{
    TEditor& editor = FWindow.Editor();
    const int caretLine = editor.LineOfRow(editor.Row());
    const std::optional<int> line = forward ? Marks().Next(kErrorMark, caretLine) : Marks().Previous(kErrorMark, caretLine);
    if (!line)
        return;
    // The list follows: the first message on that line is selected.
    for (int i = 0; i < int(FReport.Messages.size()); ++i) {
        if (MessageLine(i) == *line + 1) {
            FPanel->SelectMessage(i);
            break;
        }
    }
    GoToLine(*line + 1);
}

} // namespace brenvik
