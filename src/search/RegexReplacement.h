// The replacement text of an expression search, parsed once against the compiled pattern: $1..$9, ${name}
// (or ${12}), $& and the escapes \n (the given line break), \t, \\ and \$. Any other $ or \ is itself.
#pragma once

#include "search/RegexPattern.h"
#include "search/RegexSearch.h"

#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

class TRegexReplacement {
public:
    // A reference to a group the pattern does not have makes the replacement invalid, so that nothing is
    // replaced with it.
    TRegexReplacement(std::string_view replacement, const TRegexPattern& pattern, std::string_view lineBreak = "\r\n");

    bool Valid() const { return error_.empty(); }
    // "置換文字列の ${x} に当たるグループがありません" (UTF-8); the reference itself in its Shift_JIS bytes.
    const std::string& ErrorReference() const { return error_; }
    std::string Message(std::string_view referenceUtf8) const;

    // Appends the replacement of match (found in text) to out.
    void AppendTo(std::string& out, std::string_view text, const TRegexMatch& match) const;
    std::string Expand(std::string_view text, const TRegexMatch& match) const;

private:
    // Literal text, or the groups a reference may stand for (the last one that took part is used).
    struct TPiece {
        std::string Text;
        std::vector<int> Groups;
    };

    void AddText(std::string_view text);
    void AddGroups(std::vector<int> groups);

    std::vector<TPiece> pieces_;
    std::string error_;
};

} // namespace brenvik
