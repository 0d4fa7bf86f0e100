// A document's find session: the last accepted texts (Shift_JIS bytes), the option word, whether
// the hits are highlighted, and the whole text joined by CR LF kept until the text changes. Find
// next selects the match in the document's model, going round past the end (or the start) of the
// text; replace goes one match at a time through an answer callback and never goes round, and
// what is replaced without asking goes in as one edit. A search may be kept to a stretch of the
// text (the selection when it started): finds and replacements stay inside it until the text
// changes other than by the session's own replacements.
// With the RegExp option the texts are an expression and its replacement; an expression
// search that runs away stops, changing nothing, and MissText says so.
#pragma once

#include "model/FindExpression.h"
#include "search/SearchFlags.h"
#include "support/Prompts.h"
#include "search/SearchRange.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace brenvik {

class TScriptDocument;

class TFindSession {
public:
    explicit TFindSession(TScriptDocument& document);

    const std::string& SearchText() const { return FSearch; }
    const std::string& ReplaceText() const { return FReplace; }
    TSearchFlags Options() const { return FOptions; }
    bool Highlight() const { return FHighlight; }
    void SetHighlight(bool on) { FHighlight = on; }
    // A new search: the pattern, the replacement (its line breaks made CR LF) and the options.
    void Start(std::string search, std::string_view replacement, TSearchFlags options);
    // The next finds go down (or up) whatever the dialog said.
    void SetDirection(bool down);
    bool Expression() const { return FOptions.Has(TSearchFlags::RegExp); }
    // Keeps the search to the bytes [start, start + length) of the text; a selection that is the
    // whole stretch is searched from its start (its end going up).
    void SetScope(qint64 start, qint64 length);
    bool Scoped();

    // The whole text, lines joined by CR LF.
    const std::string& JoinedText();
    // Selects the next match from the selection in the direction of the options, going round
    // past the end (start) when there is none before it (Wrapped and WrapText say so); nothing
    // when there is none at all (MissText says so).
    std::optional<TSearchRange> FindNext();
    bool Wrapped() const { return FWrapped; }
    QString WrapText() const;
    QString MissText() const;

    // Asked before each replacement while the options say so; the match is selected.
    using TAsk = std::function<TAnswer(const TSearchRange& match)>;
    // The replace loop: from a selection that is itself a match, else from find next; returns the
    // number of replacements. Missed tells whether it ended at a match that was not there (or at
    // an expression search that stopped; MissText tells which).
    int Replace(const TAsk& ask);
    bool Missed() const { return FMissed; }
    QString ReplaceQuestion() const;

private:
    TSearchRange SelectionRange() const;
    // The text searched: the scope's bytes or the whole text; offsets of the view add Base().
    std::string_view SearchedText();
    std::int32_t Base() const { return FScope ? FScope->Start : 0; }
    // Where a search starts, in the searched text's offsets.
    TSearchRange StartRange();
    std::optional<TSearchRange> Search(bool wrap);
    void Select(const TSearchRange& match);
    int ReplaceRest(const TSearchRange* first);
    void ReplaceSelected(const TSearchRange& match);
    // The first match in text from where, by the engine the options name.
    std::optional<TSearchRange> FindIn(std::string_view text, const TSearchRange& where);
    std::optional<TSearchRange> SelectedMatch();
    TReplacedStretch ReplaceRestOfExpression(std::string_view text, const std::optional<TSearchRange>& first);

    TScriptDocument& FDocument;
    std::string FSearch;
    std::string FReplace;
    TSearchFlags FOptions;
    bool FHighlight = false;
    bool FMissed = false;
    // The last expression search stopped for its cost.
    bool FStopped = false;
    TFindExpression FExpression;
    bool FWrapped = false;
    std::optional<TSearchRange> FScope;
    std::uint64_t FScopeVersion = 0;
    std::string FJoined;
    std::uint64_t FJoinedVersion = 0;
    bool FJoinedValid = false;
};

} // namespace brenvik
