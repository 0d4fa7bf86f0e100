// Cutting a byte text into lines at CR, LF or CR LF: the one line splitter of the program.
#pragma once

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

namespace brenvik {

// Finds the CR and LF bytes of a text with memchr, remembering the next of each, so a text is
// scanned about twice in all rather than byte by byte (find_first_of calls memchr per byte).
class TLineBreakFinder {
public:
    explicit TLineBreakFinder(std::string_view text)
        : FText(text)
        , FNextCr(Find('\r', 0))
        , FNextLf(Find('\n', 0))
    {
    }
    // Position of the first CR or LF at or after start, or npos.
    std::size_t Next(std::size_t start)
    {
        if (FNextCr < start)
            FNextCr = Find('\r', start);
        if (FNextLf < start)
            FNextLf = Find('\n', start);
        return std::min(FNextCr, FNextLf);
    }

private:
    std::size_t Find(char byte, std::size_t start) const
    {
        if (start >= FText.size())
            return std::string_view::npos;
        const void* found = std::memchr(FText.data() + start, byte, FText.size() - start);
        return found ? static_cast<std::size_t>(static_cast<const char*>(found) - FText.data())
                     : std::string_view::npos;
    }

    std::string_view FText;
    std::size_t FNextCr;
    std::size_t FNextLf;
};

// Calls visit(line) for each line of text; a final line break adds no empty line, and an
// empty text has no lines. NUL bytes are ordinary bytes.
template <typename Visit> void ForEachLine(std::string_view text, Visit&& visit)
{
    TLineBreakFinder finder(text);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = finder.Next(start);
        if (end == std::string_view::npos) {
            visit(text.substr(start));
            return;
        }
        visit(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
}

// Receives lines one by one; a producer calls its sink once per line, in order.
using TLineSink = std::function<void(std::string_view)>;
using TLineProducer = std::function<void(const TLineSink&)>;

// What a line break counts in byte offsets and lengths over the whole text (CR LF), whatever
// line break the file had.
constexpr int LineBreakBytes = 2;

inline bool EndsWithLineBreak(std::string_view text)
{
    return !text.empty() && (text.back() == '\r' || text.back() == '\n');
}

} // namespace brenvik
