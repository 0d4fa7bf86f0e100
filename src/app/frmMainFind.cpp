// TfrmMain's find and replace commands: the dialogs, the replace question and the search
// highlight over the document's find session.
#include "app/frmMain.h"

#include "app/ExplorerPanel.h"
#include "app/FindPrompts.h"
#include "app/SearchHistory.h"
#include "editor/Editor.h"

#include <QAction>

namespace brenvik {

namespace {

TFindPrompts& DialogFindPrompts()
{
    static TDialogFindPrompts prompts;
    return prompts;
}

} // namespace

void TfrmMain::CreateFindCommands()
{
    FFindPrompts = &DialogFindPrompts();
    const auto bind = [this](const char* name, void (TfrmMain::*handler)()) {
        connect(Action(QLatin1String(name)), &QAction::triggered, this, [this, handler] {
            RunCommand([this, handler] { (this->*handler)(); });
        });
    };
    bind("actFind", &TfrmMain::Find);
    bind("actFindForward", &TfrmMain::FindForward);
    bind("actFindBackward", &TfrmMain::FindBackward);
    bind("actReplace", &TfrmMain::Replace);
    bind("actFindViewOFF", &TfrmMain::FindViewOff);
    AddRule("actFindViewOFF", [this] { return FDocument.Find().Highlight(); });
}

void TfrmMain::SetFindPrompts(TFindPrompts* prompts)
{
    FFindPrompts = prompts ? prompts : &DialogFindPrompts();
}

void TfrmMain::SetSearchHighlight(bool on)
{
    TFindSession& find = FDocument.Find();
    find.SetHighlight(on);
    FExplorer->Highlighter().SetSearch(find.SearchText(), find.Options(), on);
    edrMain->viewport()->update();
}

void TfrmMain::Find()
{
    TFindRequest request;
    if (!FFindPrompts->RunFind(this, InitialSearchBytes(edrMain->SelText()), FDocument.Chars(), request))
        return;
    FDocument.Find().Start(std::move(request.Search), {}, request.Flags);
    SetSearchHighlight(true);
    FindNext();
}

void TfrmMain::FindForward()
{
    FindAgain(true);
}

void TfrmMain::FindBackward()
{
    FindAgain(false);
}

void TfrmMain::FindAgain(bool down)
{
    if (FDocument.Find().SearchText().empty()) {
        Find();
        return;
    }
    FDocument.Find().SetDirection(down);
    FindNext();
}

void TfrmMain::FindViewOff()
{
    SetSearchHighlight(false);
}

bool TfrmMain::FindNext()
{
    edrMain->setFocus();
    if (!FDocument.Find().FindNext()) {
        ShowMessage(FDocument.Find().MissText());
        return false;
    }
    edrMain->ScrollCaret();
    return true;
}

void TfrmMain::Replace()
{
    edrMain->setFocus();
    TFindRequest request;
    if (!FFindPrompts->RunReplace(this, InitialSearchBytes(edrMain->SelText()), FDocument.Chars(), request)) {
        if (!request.Search.empty() && request.Replacement.empty())
            ShowMessage(QStringLiteral("置換後の文字列が空です。"));
        return;
    }
    TFindSession& find = FDocument.Find();
    find.Start(std::move(request.Search), request.Replacement, request.Flags);
    SetSearchHighlight(true);
    if (edrMain->ReadOnly()) {
        ShowMessage(QStringLiteral("読み取り専用のため置換できません。"));
        return;
    }
    const int count = find.Replace([this, &find](const TSearchRange&) {
        edrMain->ScrollCaret();
        const QRect caret(edrMain->viewport()->mapToGlobal(edrMain->CaretRect().topLeft()), edrMain->CaretRect().size());
        return FFindPrompts->AskReplace(this, find.ReplaceQuestion(), caret, edrMain->RowHeight());
    });
    edrMain->ScrollCaret();
    if (find.Missed())
        ShowMessage(find.MissText());
    if (count > 0)
        ShowMessage(QStringLiteral("%1 個置換しました。").arg(count));
}

} // namespace brenvik
