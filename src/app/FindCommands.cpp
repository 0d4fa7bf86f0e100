// The find and replace commands over the document's find session.
#include "app/FindCommands.h"

#include "app/ExplorerPanel.h"
#include "app/frmMain.h"
#include "app/FindDialog.h"
#include "app/UserPrompts.h"
#include "app/SearchHistory.h"
#include "editor/Editor.h"

#include <QAction>

namespace brenvik {

TFindCommands::TFindCommands(TfrmMain& window)
    : QObject(&window)
    , FWindow(window)
{
    const auto bind = [this](const char* name, auto handler) {
        connect(FWindow.Action(QLatin1String(name)), &QAction::triggered, this,
            [this, handler] { FWindow.RunCommand(handler); });
    };
    bind("actFind", [this] { Find(); });
    bind("actFindForward", [this] { FindAgain(true); });
    bind("actFindBackward", [this] { FindAgain(false); });
    bind("actReplace", [this] { Replace(); });
    bind("actFindViewOFF", [this] { SetSearchHighlight(false); });
    FWindow.AddRule("actFindViewOFF", [this] { return FWindow.Document().Find().Highlight(); });
}

void TFindCommands::SetSearchHighlight(bool on)
{
    TFindSession& find = FWindow.Document().Find();
    find.SetHighlight(on);
    FWindow.Explorer().Highlighter().SetSearch(find.SearchText(), find.Options(), on);
    FWindow.Editor().viewport()->update();
}

void TFindCommands::Find()
{
    TEditor& editor = FWindow.Editor();
    TFindRequest request;
    if (!FWindow.FPrompts->RunFind(&FWindow, InitialSearchBytes(editor.SelText()), FWindow.Document().Chars(), request))
        return;
    TFindSession& find = FWindow.Document().Find();
    find.Start(std::move(request.Search), {}, request.Flags);
    if (request.InSelection && editor.HasSelection())
        find.SetScope(editor.SelStart(), editor.SelLength());
    SetSearchHighlight(true);
    FindNext();
}

void TFindCommands::FindAgain(bool down)
{
    TFindSession& find = FWindow.Document().Find();
    if (find.SearchText().empty()) {
        Find();
        return;
    }
    find.SetDirection(down);
    FindNext();
}

bool TFindCommands::FindNext()
{
    TEditor& editor = FWindow.Editor();
    editor.setFocus();
    TFindSession& find = FWindow.Document().Find();
    if (!find.FindNext()) {
        FWindow.ShowMessage(find.MissText());
        return false;
    }
    // An earlier miss no longer holds.
    FWindow.ShowMessage(find.Wrapped() ? find.WrapText() : QString());
    editor.ScrollCaret();
    return true;
}

void TFindCommands::Replace()
{
    TEditor& editor = FWindow.Editor();
    editor.setFocus();
    TFindRequest request;
    if (!FWindow.FPrompts->RunReplace(&FWindow, InitialSearchBytes(editor.SelText()), FWindow.Document().Chars(), request)) {
        if (!request.Search.empty() && request.Replacement.empty())
            FWindow.ShowMessage(QStringLiteral("置換後の文字列が空です。"));
        return;
    }
    TFindSession& find = FWindow.Document().Find();
    find.Start(std::move(request.Search), request.Replacement, request.Flags);
    if (request.InSelection && editor.HasSelection())
        find.SetScope(editor.SelStart(), editor.SelLength());
    SetSearchHighlight(true);
    if (editor.ReadOnly()) {
        FWindow.ShowMessage(QStringLiteral("読み取り専用のため置換できません。"));
        return;
    }
    const int count = find.Replace([this, &editor, &find](const TSearchRange&) {
        editor.ScrollCaret();
        const QRect caret(editor.viewport()->mapToGlobal(editor.CaretRect().topLeft()), editor.CaretRect().size());
        return FWindow.FPrompts->AskReplace(&FWindow, find.ReplaceQuestion(), caret, editor.RowHeight());
    });
    editor.ScrollCaret();
    if (find.Missed())
        FWindow.ShowMessage(find.MissText());
    if (count > 0)
        FWindow.ShowMessage(QStringLiteral("%1 個置換しました。").arg(count));
}

} // namespace brenvik
