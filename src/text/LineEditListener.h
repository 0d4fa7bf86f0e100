// What is kept by logical line beside a row list (marks, for one) hears of every change of the
// lines through this interface, so that it can follow lines that move.
#pragma once

#include <string_view>

namespace brenvik {

class TLineEditListener {
public:
    virtual ~TLineEditListener() = default;
    // The whole lines from line first on that read before now read after: both texts are whole
    // logical lines, CR LF after each line that has a break (an edit or an undo step).
    virtual void LinesReplaced(int first, std::string_view before, std::string_view after) = 0;
    // The whole text was replaced (a load or a clear): nothing is known of where lines went.
    virtual void TextReplaced() = 0;
};

} // namespace brenvik
