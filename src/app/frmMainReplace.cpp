// TfrmMain's replace command: the replace dialog, then find and replace one match at a time,
// asking when the options say so; what is replaced without asking goes in as one edit.
#include "app/frmMain.h"

#include "app/FindDialog.h"
#include "editor/Editor.h"
#include "editor/EditorCharset.h"
#include "search/PatternScan.h"
#include "search/ReplaceMatches.h"
#include "support/LineBreaks.h"

#include <QLabel>

namespace brenvik {

namespace {

// The text as the rows will hold it: every line break CR LF, so that byte counts agree.
std::string WithCrLf(std::string_view text)
{
    std::string result;
    bool first = true;
    ForEachLine(text, [&](std::string_view line) {
        if (!first)
            result += "\r\n";
        result += line;
        first = false;
    });
    if (EndsWithLineBreak(text))
        result += "\r\n";
    return result;
}

QString ReplaceQuestion(const std::string& search, const std::string& replacement, const TDocumentChars& chars)
{
    return QStringLiteral(" ") + TEditorCharset::ToUnicode(search, chars) + QStringLiteral(" ") + QStringLiteral("  を")
        + QStringLiteral("\r\n") + QStringLiteral(" ") + TEditorCharset::ToUnicode(replacement, chars) + QStringLiteral(" ")
        + QStringLiteral("  に 置き換えますか？");
}

} // namespace

void TfrmMain::Replace()
{
    edrMain->setFocus();
    TFindRequest request;
    if (!FPrompts->RunReplace(this, InitialSearchText(), edrMain->DocumentChars(), request)) {
        if (!request.Search.empty() && request.Replacement.empty())
            ShowMessage(QStringLiteral("置換後の文字列が空です。"));
        return;
    }
    FFind.SearchText = request.Search;
    FFind.ReplaceText = WithCrLf(request.Replacement);
    FFind.Options = request.Flags;
    SetSearchHighlight(true);
    if (edrMain->ReadOnly()) {
        ShowMessage(QStringLiteral("読み取り専用のため置換できません。"));
        return;
    }
    const int count = ReplaceLoop();
    if (count > 0)
        ShowMessage(QStringLiteral("%1 個置換しました。").arg(count));
}

int TfrmMain::ReplaceLoop()
{
    // A selection that is itself a match is the first one replaced.
    std::optional<TSearchRange> first;
    if (edrMain->HasSelection()) {
        const TSearchRange selection = SelectionRange();
        TPatternScan scan(JoinedText(), FFind.SearchText, FFind.Options);
        const std::optional<TSearchRange> match = scan.Forward(selection.Start);
        if (match && *match == selection)
            first = match;
    }
    int count = 0;
    for (;;) {
        const TSearchFlags options = FFind.Options;
        if (options.Has(TSearchFlags::ReplaceAll) && !options.Has(TSearchFlags::ReplaceConfirm))
            return count + ReplaceRest(first ? &*first : nullptr);
        std::optional<TSearchRange> match = first;
        first.reset();
        if (match)
            SelectMatch(*match);
        else if (FindNext())
            match = SelectionRange();
        else
            return count;
        if (options.Has(TSearchFlags::ReplaceConfirm)) {
            const QRect caret(edrMain->viewport()->mapToGlobal(edrMain->CaretRect().topLeft()), edrMain->CaretRect().size());
            const TAnswer answer = FPrompts->AskReplace(
                this, ReplaceQuestion(FFind.SearchText, FFind.ReplaceText, edrMain->DocumentChars()), caret, edrMain->RowHeight());
            if (answer == TAnswer::Cancel)
                return count;
            if (answer == TAnswer::No)
                continue;
            if (answer == TAnswer::All) {
                FFind.Options = (options.Bits() | TSearchFlags::ReplaceAll) & ~TSearchFlags::ReplaceConfirm;
                return count + ReplaceRest(&*match);
            }
        }
        ReplaceSelected(*match);
        ++count;
        if (!options.Has(TSearchFlags::ReplaceAll))
            return count;
    }
}

void TfrmMain::ReplaceSelected(const TSearchRange& match)
{
    edrMain->SetSelText(FFind.ReplaceText);
    // Backward, the next search starts before the replacement.
    if (!FFind.Options.Has(TSearchFlags::Down))
        edrMain->SetSelStart(match.Start);
    edrMain->ScrollCaret();
}

int TfrmMain::ReplaceRest(const TSearchRange* first)
{
    const std::string& text = JoinedText();
    TReplacedStretch stretch = ReplaceMatches(text, SelectionRange(),
        first ? std::optional<TSearchRange>(*first) : std::nullopt, FFind.SearchText, FFind.ReplaceText, FFind.Options);
    if (stretch.Count == 0) {
        ReportMiss();
        return 0;
    }
    edrMain->Model().ReplaceBytes(stretch.Start, stretch.End, std::move(stretch.Text), stretch.Caret);
    edrMain->ScrollCaret();
    return stretch.Count;
}

} // namespace brenvik
