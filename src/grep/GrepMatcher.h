// What grep searches a file's text with: the literal engine or the expression layer, behind one call.
#pragma once

#include "search/SearchRange.h"

#include <functional>
#include <string>
#include <string_view>

namespace brenvik {

class TGrepMatcher {
public:
    virtual ~TGrepMatcher() = default;
    // Calls found for every match in text (a file's Shift_JIS text, its lines apart by CR, LF or CR LF),
    // first to last and not overlapping, until found returns false. Several threads call it at once. Returns
    // why the matches stopped before the text's end (in Japanese), empty when they did not.
    virtual std::string ForEachMatch(std::string_view text, const std::function<bool(TSearchRange)>& found) const = 0;
    // A quick look at a file's own bytes before any decoding: false only when no reading of them in any code
    // can hold a match, so that the file needs no further work.
    virtual bool MayMatch(std::string_view /*bytes*/) const { return true; }
};

} // namespace brenvik
