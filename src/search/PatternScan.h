// One pattern prepared against one text, scanned from any number of places: the search engine's
// candidate loop, kept alive so that a run of searches (replace-all, a highlight) prepares the
// pattern, samples the text and probes trail bytes once.
#pragma once

#include "search/AnchorScan.h"
#include "search/PatternMatcher.h"
#include "search/SearchAnchor.h"
#include "search/SearchFlags.h"
#include "search/SearchRange.h"
#include "search/SearchText.h"
#include "search/TrailProbe.h"

#include <optional>
#include <string_view>

namespace brenvik {

// Every byte of the view is text, zero bytes included (they are delimiters and never match). The view
// must outlive the scan.
class TPatternScan {
public:
    TPatternScan(std::string_view text, std::string_view pattern, TSearchFlags flags);
    TPatternScan(const TPatternScan&) = delete;
    TPatternScan& operator=(const TPatternScan&) = delete;

    bool PatternEmpty() const { return matcher_.Empty(); }
    std::int64_t TextLength() const { return text_.Length(); }

    // The engine's search from a selection in the direction of the flags; none for an empty pattern or a
    // selection outside the text.
    std::optional<TSearchRange> Find(TSearchRange selection);
    // The first match starting at from or after it.
    std::optional<TSearchRange> Forward(std::int64_t from);
    // The last match whose start lies a pattern's extent (characters when widths are ignored) before from.
    std::optional<TSearchRange> Backward(std::int64_t from);

private:
    std::int64_t StepBackCharacter(std::int64_t pos);
    bool IsWordStart(std::int64_t pos) const;
    std::optional<TSearchRange> TryCandidate(std::int64_t pos);
    std::optional<TSearchRange> TryStarts(std::int64_t first, std::int64_t last);
    std::optional<TSearchRange> TryStartsBackward(std::int64_t last, std::int64_t first);

    TSearchText text_;
    TPatternMatcher matcher_;
    TTrailProbe probe_;
    TSearchAnchor anchor_;
    TAnchorScan anchorScan_;
    bool down_;
    bool wholeWord_;
    bool zenkaku_;
};

} // namespace brenvik
