// The keyword search over NUL-separated pieces of the text.
#include "model/KeywordSearch.h"

#include "search/FindPattern.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace brenvik {

namespace {

constexpr std::uint16_t kForward = TSearchFlags::Down | TSearchFlags::MatchCase | TSearchFlags::IncludeCRLF;
constexpr std::uint16_t kBackward = TSearchFlags::MatchCase | TSearchFlags::IncludeCRLF;

struct TPiece {
    std::int64_t Start = 0;
    std::int64_t End = 0; // the NUL after it, or the text's end
};

std::vector<TPiece> PiecesBetweenNuls(std::string_view text)
{
    std::vector<TPiece> pieces;
    std::int64_t start = 0;
    const auto size = static_cast<std::int64_t>(text.size());
    while (start <= size) {
        const void* nul = std::memchr(text.data() + start, 0, size_t(size - start));
        const std::int64_t end = nul ? static_cast<const char*>(nul) - text.data() : size;
        pieces.push_back({start, end});
        start = end + 1;
    }
    return pieces;
}

// In one piece, selection in the piece's own offsets.
std::optional<TSearchRange> FindInPiece(std::string_view text, const TPiece& piece, TSearchRange selection,
    std::string_view keyword, bool forward)
{
    TSearchRange range = selection;
    const std::string_view view = text.substr(size_t(piece.Start), size_t(piece.End - piece.Start));
    if (!FindPattern(view, range, keyword, forward ? kForward : kBackward))
        return std::nullopt;
    range.Start += static_cast<std::int32_t>(piece.Start);
    return range;
}

std::optional<TSearchRange> FindFrom(std::string_view text, const std::vector<TPiece>& pieces,
    TSearchRange selection, std::string_view keyword, bool forward)
{
    // The piece holding the selection's start; the selection is cut to it.
    const auto holding = std::find_if(
        pieces.begin(), pieces.end(), [&](const TPiece& piece) { return selection.Start <= piece.End; });
    if (holding == pieces.end())
        return std::nullopt;
    const auto index = static_cast<size_t>(holding - pieces.begin());
    const TPiece& piece = *holding;
    const std::int64_t start = std::max<std::int64_t>(selection.Start, piece.Start);
    const std::int64_t length = std::min<std::int64_t>(selection.Length, piece.End - start);
    const TSearchRange local {
        std::int32_t(start - piece.Start), std::int32_t(std::max<std::int64_t>(0, length))};
    if (auto found = FindInPiece(text, piece, local, keyword, forward))
        return found;
    if (forward) {
        for (size_t i = index + 1; i < pieces.size(); ++i)
            if (auto found = FindInPiece(text, pieces[i], {0, 0}, keyword, true))
                return found;
    } else {
        for (size_t i = index; i-- > 0;) {
            const TSearchRange end {std::int32_t(pieces[i].End - pieces[i].Start), 0};
            if (auto found = FindInPiece(text, pieces[i], end, keyword, false))
                return found;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<TSearchRange> FindKeyword(
    std::string_view text, TSearchRange selection, std::string_view keyword, bool forward)
{
    if (keyword.empty())
        return std::nullopt;
    const std::vector<TPiece> pieces = PiecesBetweenNuls(text);
    if (auto found = FindFrom(text, pieces, selection, keyword, forward))
        return found;
    const TSearchRange restart = forward ? TSearchRange {0, 0} : TSearchRange {std::int32_t(text.size()), 0};
    return FindFrom(text, pieces, restart, keyword, forward);
}

std::optional<int> KeywordScrollTop(int caretRow, int topRow, int visibleRows)
{
    const int offset = caretRow - topRow;
    if (offset < visibleRows / 5 || offset > visibleRows * 4 / 5)
        return std::max(0, caretRow - visibleRows / 3);
    return std::nullopt;
}

} // namespace brenvik
