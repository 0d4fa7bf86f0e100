// Find next and the replace loop over a document's text.
#include "model/FindSession.h"

#include "jcode/SjisUnicode.h"
#include "model/ScriptDocument.h"
#include "search/PatternScan.h"
#include "search/ReplaceMatches.h"
#include "support/LineBreaks.h"
#include "text/EditorScreenStrings.h"

#include <algorithm>
#include <limits>

namespace brenvik {

namespace {

std::int32_t ClampedOffset(qint64 offset)
{
    return std::int32_t(std::clamp<qint64>(offset, 0, std::numeric_limits<std::int32_t>::max()));
}

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

} // namespace

TFindSession::TFindSession(TScriptDocument& document)
    : FDocument(document)
{
}

void TFindSession::Start(std::string search, std::string_view replacement, TSearchFlags options)
{
    FSearch = std::move(search);
    FReplace = WithCrLf(replacement);
    FOptions = options;
    FScope.reset();
    FStopped = false;
    if (Expression())
        FExpression.Start(FSearch, FReplace, options);
    else
        FExpression.Clear();
}

void TFindSession::SetScope(qint64 start, qint64 length)
{
    FScope = TSearchRange {ClampedOffset(start), ClampedOffset(length)};
    FScopeVersion = FDocument.Model().TextVersion();
}

bool TFindSession::Scoped()
{
    // An edit moved the text under the stretch: it no longer says which bytes were meant.
    if (FScope && FScopeVersion != FDocument.Model().TextVersion())
        FScope.reset();
    return FScope.has_value();
}

void TFindSession::SetDirection(bool down)
{
    FOptions = down ? FOptions.Bits() | TSearchFlags::Down : FOptions.Bits() & ~TSearchFlags::Down;
}

const std::string& TFindSession::JoinedText()
{
    const std::uint64_t version = FDocument.Model().TextVersion();
    if (!FJoinedValid || version != FJoinedVersion) {
        FJoined = FDocument.Model().Rows().Text();
        FJoinedVersion = version;
        FJoinedValid = true;
    }
    return FJoined;
}

TSearchRange TFindSession::SelectionRange() const
{
    const TEditorModel& model = FDocument.Model();
    return {ClampedOffset(model.SelStart()), ClampedOffset(model.SelLength())};
}

void TFindSession::Select(const TSearchRange& match)
{
    FDocument.Model().SetSelStart(match.Start);
    FDocument.Model().SetSelLength(match.Length);
}

std::string_view TFindSession::SearchedText()
{
    const std::string_view text = JoinedText();
    if (!Scoped())
        return text;
    return text.substr(std::min(size_t(FScope->Start), text.size()), size_t(FScope->Length));
}

TSearchRange TFindSession::StartRange()
{
    const std::int32_t length = std::int32_t(SearchedText().size());
    const TSearchRange selection = SelectionRange();
    const bool down = FOptions.Has(TSearchFlags::Down);
    if (FScope && selection == *FScope)
        return {down ? 0 : length, 0};
    const std::int32_t start = std::clamp(selection.Start - Base(), 0, length);
    return {start, std::clamp(selection.Length, 0, length - start)};
}

std::optional<TSearchRange> TFindSession::FindIn(std::string_view text, const TSearchRange& where)
{
    if (!Expression())
        return TPatternScan(text, FSearch, FOptions).Find(where);
    const TRegexResult result = FExpression.Find(text, where, FOptions.Has(TSearchFlags::Down));
    FStopped = result.Status == TRegexStatus::TooComplex;
    return result.Found() ? std::optional<TSearchRange>(result.Match.Range()) : std::nullopt;
}

std::optional<TSearchRange> TFindSession::Search(bool wrap)
{
    FWrapped = false;
    const std::string_view text = SearchedText();
    const bool down = FOptions.Has(TSearchFlags::Down);
    const TSearchRange from = StartRange();
    const TSearchRange end {down ? 0 : std::int32_t(text.size()), 0};
    std::optional<TSearchRange> match = FindIn(text, from);
    // A search that ran away is not tried again from the other end, nor one that began there.
    if (!match && wrap && !FStopped && from != end) {
        match = FindIn(text, end);
        FWrapped = match.has_value();
    }
    if (match) {
        match->Start += Base();
        Select(*match);
    }
    return match;
}

std::optional<TSearchRange> TFindSession::FindNext()
{
    return Search(true);
}

QString TFindSession::WrapText() const
{
    return FOptions.Has(TSearchFlags::Down) ? QStringLiteral("末尾まで検索しました。先頭から再検索しました")
                                            : QStringLiteral("先頭まで検索しました。末尾から再検索しました");
}

QString TFindSession::MissText() const
{
    if (FStopped)
        return QStringLiteral("検索を中断しました: 式が複雑すぎます");
    return QStringLiteral("検索文字列  ' ") + SjisToUnicode(FSearch, FDocument.Chars()) + QStringLiteral(" '")
        + QStringLiteral("は見つかりませんでした。");
}

QString TFindSession::ReplaceQuestion() const
{
    const TDocumentChars& chars = FDocument.Chars();
    return QStringLiteral(" ") + SjisToUnicode(FSearch, chars) + QStringLiteral(" ") + QStringLiteral("  を")
        + QStringLiteral("\r\n") + QStringLiteral(" ") + SjisToUnicode(FReplace, chars) + QStringLiteral(" ")
        + QStringLiteral("  に 置き換えますか？");
}

int TFindSession::Replace(const TAsk& ask)
{
    FMissed = false;
    FStopped = false;
    if (Expression() && !FExpression.CanReplace()) {
        FMissed = true;
        return 0;
    }
    // A selection that is itself a match is the first one replaced.
    std::optional<TSearchRange> first = SelectedMatch();
    int count = 0;
    for (;;) {
        const TSearchFlags options = FOptions;
        if (options.Has(TSearchFlags::ReplaceAll) && !options.Has(TSearchFlags::ReplaceConfirm))
            return count + ReplaceRest(first ? &*first : nullptr);
        std::optional<TSearchRange> match = first;
        first.reset();
        if (match)
            Select(*match);
        else if (!(match = Search(false))) {
            FMissed = true;
            return count;
        }
        if (options.Has(TSearchFlags::ReplaceConfirm)) {
            const TAnswer answer = ask(*match);
            if (answer == TAnswer::Cancel)
                return count;
            if (answer == TAnswer::No)
                continue;
            if (answer == TAnswer::All) {
                FOptions = (options.Bits() | TSearchFlags::ReplaceAll) & ~TSearchFlags::ReplaceConfirm;
                return count + ReplaceRest(&*match);
            }
        }
        ReplaceSelected(*match);
        ++count;
        if (!options.Has(TSearchFlags::ReplaceAll))
            return count;
    }
}

std::optional<TSearchRange> TFindSession::SelectedMatch()
{
    if (!FDocument.Model().HasSelection())
        return std::nullopt;
    const std::string_view text = SearchedText();
    const std::int32_t base = Base();
    TSearchRange selection = SelectionRange();
    selection.Start -= base;
    if (selection.Start < 0 || qint64(selection.Start) + selection.Length > qint64(text.size()))
        return std::nullopt;
    std::optional<TSearchRange> match;
    if (Expression()) {
        const std::optional<TRegexMatch> found = FExpression.MatchAt(text, selection);
        if (found)
            match = found->Range();
    } else {
        match = TPatternScan(text, FSearch, FOptions).Forward(selection.Start);
        if (match && *match != selection)
            match.reset();
    }
    if (match)
        match->Start += base;
    return match;
}

void TFindSession::ReplaceSelected(const TSearchRange& match)
{
    const bool scoped = Scoped();
    // The expansion reads the groups of the match, in the text before it changes.
    const std::string replacement = Expression() ? FExpression.Expansion(SearchedText()) : FReplace;
    FDocument.Model().SetSelText(replacement);
    // The stretch takes in the replacement: it still ends where its text ends.
    if (scoped)
        SetScope(FScope->Start, FScope->Length + qint64(replacement.size()) - match.Length);
    // Backward, the next search starts before the replacement.
    if (!FOptions.Has(TSearchFlags::Down))
        FDocument.Model().SetSelStart(match.Start);
}

TReplacedStretch TFindSession::ReplaceRestOfExpression(
    std::string_view text, const std::optional<TSearchRange>& first)
{
    const std::optional<TRegexMatch> firstMatch = first ? FExpression.MatchAt(text, *first) : std::nullopt;
    TRegexReplaced replaced = FExpression.ReplaceAll(text, StartRange(), firstMatch, FOptions.Has(TSearchFlags::Down));
    FStopped = replaced.Status == TRegexStatus::TooComplex;
    return std::move(replaced.Stretch);
}

int TFindSession::ReplaceRest(const TSearchRange* first)
{
    const std::string_view text = SearchedText();
    const std::int32_t base = Base();
    std::optional<TSearchRange> from;
    if (first)
        from = TSearchRange {first->Start - base, first->Length};
    TReplacedStretch stretch = Expression() ? ReplaceRestOfExpression(text, from)
                                            : ReplaceMatches(text, StartRange(), from, FSearch, FReplace, FOptions);
    if (stretch.Count == 0) {
        FMissed = true;
        return 0;
    }
    const qint64 grown = qint64(stretch.Text.size()) - (stretch.End - stretch.Start);
    FDocument.Model().ReplaceBytes(
        base + stretch.Start, base + stretch.End, std::move(stretch.Text), base + stretch.Caret);
    if (FScope) {
        // The stretch stays selected, as it was, with its replacements.
        SetScope(FScope->Start, FScope->Length + grown);
        FDocument.Model().SetSelStart(FScope->Start);
        FDocument.Model().SetSelLength(FScope->Length);
    }
    return stretch.Count;
}

} // namespace brenvik
