// The user's expression turned into the library's: line breaks, anchors and the dot made to mean the
// document's lines whatever their line end, and the literal characters widened to their case and width forms.
#pragma once

#include "search/RegexOptions.h"

#include <string>
#include <string_view>

namespace brenvik {

struct TRewrittenExpression {
    std::string Pattern;
    // False when the expression closes more groups than it opens or ends in a lone backslash; it is then
    // left for the library to refuse as it stands, since wrapping it would change the library's reason.
    bool Balanced = true;
};

// Outside classes: \n (and \r\n, and a line break typed into the pattern) matches one line break of any kind
// (CR LF, CR or LF); . matches anything but CR and LF; ^ and $ anchor at line starts and ends, never between
// the CR and LF of one break; \Z allows any final break. Inside a class \n stands for CR and LF. With a case
// or width option, every literal character (escaped punctuation and \Q..\E included) becomes the atom of
// its forms; classes and the other escapes stay as written.
TRewrittenExpression RewriteExpression(std::string_view pattern, TRegexOptions options);

} // namespace brenvik
