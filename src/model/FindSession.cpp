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
    FStopped = false;
    if (Expression())
        FExpression.Start(FSearch, FReplace, options);
    else
        FExpression.Clear();
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

std::optional<TSearchRange> TFindSession::FindNext()
{
    if (Expression())
        return FindExpression();
    TPatternScan scan(JoinedText(), FSearch, FOptions);
    const std::optional<TSearchRange> match = scan.Find(SelectionRange());
    if (match)
        Select(*match);
    return match;
}

std::optional<TSearchRange> TFindSession::FindExpression()
{
    const TRegexResult result = FExpression.Find(JoinedText(), SelectionRange(), FOptions.Has(TSearchFlags::Down));
    FStopped = result.Status == TRegexStatus::TooComplex;
    if (!result.Found())
        return std::nullopt;
    Select(result.Match.Range());
    return result.Match.Range();
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
        else if (!(match = FindNext())) {
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
    const TSearchRange selection = SelectionRange();
    if (Expression()) {
        const std::optional<TRegexMatch> match = FExpression.MatchAt(JoinedText(), selection);
        return match ? std::optional<TSearchRange>(match->Range()) : std::nullopt;
    }
    TPatternScan scan(JoinedText(), FSearch, FOptions);
    const std::optional<TSearchRange> match = scan.Forward(selection.Start);
    return match && *match == selection ? match : std::nullopt;
}

void TFindSession::ReplaceSelected(const TSearchRange& match)
{
    // The expansion reads the groups of the match, in the text before it changes.
    FDocument.Model().SetSelText(Expression() ? FExpression.Expansion(JoinedText()) : FReplace);
    // Backward, the next search starts before the replacement.
    if (!FOptions.Has(TSearchFlags::Down))
        FDocument.Model().SetSelStart(match.Start);
}

int TFindSession::ReplaceRestOfExpression(const TSearchRange* first)
{
    const std::string& text = JoinedText();
    const std::optional<TRegexMatch> firstMatch
        = first ? FExpression.MatchAt(text, *first) : std::optional<TRegexMatch>();
    TRegexReplaced replaced = FExpression.ReplaceAll(text, SelectionRange(), firstMatch, FOptions.Has(TSearchFlags::Down));
    FStopped = replaced.Status == TRegexStatus::TooComplex;
    if (replaced.Stretch.Count == 0) {
        FMissed = true;
        return 0;
    }
    TReplacedStretch& stretch = replaced.Stretch;
    FDocument.Model().ReplaceBytes(stretch.Start, stretch.End, std::move(stretch.Text), stretch.Caret);
    return stretch.Count;
}

int TFindSession::ReplaceRest(const TSearchRange* first)
{
    if (Expression())
        return ReplaceRestOfExpression(first);
    const std::string& text = JoinedText();
    TReplacedStretch stretch = ReplaceMatches(
        text, SelectionRange(), first ? std::optional<TSearchRange>(*first) : std::nullopt, FSearch, FReplace, FOptions);
    if (stretch.Count == 0) {
        FMissed = true;
        return 0;
    }
    FDocument.Model().ReplaceBytes(stretch.Start, stretch.End, std::move(stretch.Text), stretch.Caret);
    return stretch.Count;
}

} // namespace brenvik
