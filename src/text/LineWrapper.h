// Cutting one logical line into display rows by the wrap width and the Japanese line-break rules.
#pragma once

#include "text/ColumnModel.h"
#include "text/RowAttribute.h"

#include <functional>
#include <string>
#include <string_view>

namespace brenvik {

class TEditorWrapOption;

class TLineWrapper {
public:
    using Output = std::function<void(std::string_view row, TRowAttribute attribute)>;

    TLineWrapper(const TEditorWrapOption& option, int tabWidth);

    // Emits the rows of line (no line breaks in it): raWrapped for all but the last, which is
    // raBreak; a line that exactly fills its last row ends with an empty raBreak row unless
    // FollowRetMark lets the break follow the full row.
    void Wrap(std::string_view line, const Output& output) const;
    int CountRows(std::string_view line) const;

private:
    // Bytes of the first row of text, whose attribute string reaches the wrap width.
    std::size_t BreakAt(std::string_view text, const std::string& attributes) const;

    const TEditorWrapOption& FOption;
    TColumnLayout FLayout;
};

} // namespace brenvik
