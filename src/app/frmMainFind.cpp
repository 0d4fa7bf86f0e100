// TfrmMain's find commands: the find dialog, find next in either direction, the search
// highlight, and the joined text they search.
#include "app/frmMain.h"

#include "app/ExplorerState.h"
#include "app/FindDialog.h"
#include "app/SearchHistory.h"
#include "editor/Editor.h"
#include "editor/EditorCharset.h"
#include "search/PatternScan.h"
#include "text/EditorScreenStrings.h"

#include <QAction>
#include <QLabel>

#include <algorithm>
#include <limits>

namespace brenvik {

namespace {

std::int32_t ClampedOffset(qint64 offset)
{
    return std::int32_t(std::clamp<qint64>(offset, 0, std::numeric_limits<std::int32_t>::max()));
}

} // namespace

void TfrmMain::CreateFindCommands()
{
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
    AddRule("actFindViewOFF", [this] { return FFind.Highlight; });
}

const std::string& TfrmMain::JoinedText()
{
    const std::uint64_t version = edrMain->Model().TextVersion();
    if (!FJoinedValid || version != FJoinedVersion) {
        FJoinedText = edrMain->ListRows().Text();
        FJoinedVersion = version;
        FJoinedValid = true;
    }
    return FJoinedText;
}

std::string TfrmMain::InitialSearchText() const
{
    return InitialSearchBytes(edrMain->SelText());
}

TSearchRange TfrmMain::SelectionRange() const
{
    return {ClampedOffset(edrMain->SelStart()), ClampedOffset(edrMain->SelLength())};
}

void TfrmMain::SetSearchHighlight(bool on)
{
    FFind.Highlight = on;
    FExplorer->Highlighter.SetSearch(FFind.SearchText, FFind.Options, on);
    edrMain->viewport()->update();
}

void TfrmMain::Find()
{
    TFindRequest request;
    if (!FPrompts->RunFind(this, InitialSearchText(), edrMain->DocumentChars(), request))
        return;
    FFind.SearchText = request.Search;
    FFind.Options = request.Flags;
    SetSearchHighlight(true);
    FindNext();
}

void TfrmMain::FindForward()
{
    if (FFind.SearchText.empty()) {
        Find();
        return;
    }
    FFind.Options = FFind.Options.Bits() | TSearchFlags::Down;
    FindNext();
}

void TfrmMain::FindBackward()
{
    if (FFind.SearchText.empty()) {
        Find();
        return;
    }
    FFind.Options = FFind.Options.Bits() & ~TSearchFlags::Down;
    FindNext();
}

void TfrmMain::FindViewOff()
{
    SetSearchHighlight(false);
}

void TfrmMain::SelectMatch(const TSearchRange& match)
{
    edrMain->SetSelStart(match.Start);
    edrMain->SetSelLength(match.Length);
    edrMain->ScrollCaret();
}

void TfrmMain::ReportMiss()
{
    ShowMessage(QStringLiteral("検索文字列  ' ") + TEditorCharset::ToUnicode(FFind.SearchText, edrMain->DocumentChars())
        + QStringLiteral(" '") + QStringLiteral("は見つかりませんでした。"));
}

bool TfrmMain::FindNext()
{
    edrMain->setFocus();
    TPatternScan scan(JoinedText(), FFind.SearchText, FFind.Options);
    const std::optional<TSearchRange> match = scan.Find(SelectionRange());
    if (!match) {
        ReportMiss();
        return false;
    }
    SelectMatch(*match);
    return true;
}

} // namespace brenvik
