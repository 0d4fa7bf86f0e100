// A compiled regular expression over Shift_JIS text (Perl syntax with named groups), compiled once for its
// pattern and options and then searched any number of times (see TRegexSearch).
#pragma once

#include "search/RegexOptions.h"

#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct re_pattern_buffer;

namespace brenvik {

// Why an expression was refused: the library's reason and the character where it went wrong.
struct TRegexError {
    // The library's words; a group name in them is in the pattern's Shift_JIS bytes.
    std::string Reason;
    // 1-based character of the pattern where the error shows (a double-byte character counts once); 0 when
    // the whole pattern is at fault.
    int Column = 0;
    bool TooLong = false;

    // "正規表現が正しくありません: <reason>（<n> 文字目）" in UTF-8, given the reason made UTF-8 by the caller.
    std::string Message(std::string_view reasonUtf8) const;
};

class TRegexPattern {
public:
    // Longer patterns are refused before the library sees them.
    static constexpr std::size_t MaxPatternBytes = 10'000;

    TRegexPattern(std::string_view pattern, TRegexOptions options);
    ~TRegexPattern();
    TRegexPattern(const TRegexPattern&) = delete;
    TRegexPattern& operator=(const TRegexPattern&) = delete;

    bool Valid() const { return regex_ != nullptr; }
    const TRegexError& Error() const { return error_; }
    const std::string& Source() const { return source_; }
    TRegexOptions Options() const { return options_; }

    // Capturing groups, named ones included (numbered in order of their opening parenthesis).
    int GroupCount() const;
    // The numbers of the groups with this name, in order; empty when there is none.
    std::vector<int> GroupNumbers(std::string_view name) const;

    // For TRegexSearch.
    re_pattern_buffer* Library() const { return regex_; }

private:
    std::string source_;
    TRegexOptions options_;
    re_pattern_buffer* regex_ = nullptr;
    TRegexError error_;
};

} // namespace brenvik
