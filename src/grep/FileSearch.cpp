// Searching one file's text: the load path's decision and decoding, then the matches walked once, the line
// breaks before each counted as the editor's rows count them.
#include "grep/FileSearch.h"

#include "jcode/CodeDetect.h"
#include "jcode/SjisUnicode.h"
#include "support/LineBreaks.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace brenvik {

namespace {

// The lines of the text as the matches reach them: the number and bounds of the line holding a position.
// Breaks are CR, LF or CR LF (one break), as the editor's rows count them; the breaks between two matches are
// counted in one branch-free pass rather than looked up line by line.
// The high bit of each byte of word that equals byte.
inline std::uint64_t BytesEqual(std::uint64_t word, std::uint8_t byte)
{
    constexpr std::uint64_t kLow = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (0x0101010101010101ULL * byte);
    return ~(((x & kLow) + kLow) | x | kLow);
}

// The number of bytes flagged in a mask of high bits (as BytesEqual gives): one multiply, where a popcount
// is a library call on the baseline x86-64 the program is built for.
inline std::size_t FlaggedBytes(std::uint64_t mask)
{
    return static_cast<std::size_t>(((mask >> 7) * 0x0101010101010101ULL) >> 56);
}

// The line breaks in [from, to): LF, CR and CR LF each count once. The byte at to exists (a match starts
// there), so a CR just before it sees what follows. Eight bytes at a time: a text of short lines would cost
// a call per line otherwise.
inline std::size_t CountBreaks(const unsigned char* bytes, std::size_t from, std::size_t to)
{
    std::size_t breaks = 0;
    std::size_t i = from;
    for (; i + 8 <= to; i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes + i, 8);
        const std::uint64_t lf = BytesEqual(word, '\n');
        const std::uint64_t cr = BytesEqual(word, '\r');
        if ((lf | cr) == 0)
            continue;
        // A CR followed by an LF in the same word is one break with it (little-endian: the next byte is the
        // next higher one); a CR in the last byte looks at the byte after the word.
        const std::uint64_t pairs = cr & (lf >> 8);
        const bool lastPair = (cr >> 63) != 0 && bytes[i + 8] == '\n';
        breaks += FlaggedBytes(lf) + FlaggedBytes(cr) - FlaggedBytes(pairs) - (lastPair ? 1 : 0);
    }
    for (; i < to; ++i)
        breaks += (bytes[i] == '\n') + (bytes[i] == '\r' && bytes[i + 1] != '\n');
    return breaks;
}

class TLineCursor {
public:
    explicit TLineCursor(std::string_view text)
        : text_(text)
    {
    }

    // Moves to the line holding pos (at or after the current line).
    void MoveTo(std::size_t pos)
    {
        if (pos <= End())
            return;
        const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data());
        line_ += static_cast<int>(CountBreaks(bytes, end_, pos));
        start_ = pos;
        while (start_ > 0 && bytes[start_ - 1] != '\n' && bytes[start_ - 1] != '\r')
            --start_;
        end_ = kUnknown;
    }
    int Line() const { return line_; }
    std::size_t Start() const { return start_; }
    std::size_t End()
    {
        if (end_ == kUnknown) {
            end_ = start_;
            while (end_ < text_.size() && text_[end_] != '\n' && text_[end_] != '\r')
                ++end_;
        }
        return end_;
    }

private:
    static constexpr std::size_t kUnknown = std::string_view::npos;
    std::string_view text_;
    std::size_t start_ = 0;
    std::size_t end_ = kUnknown;
    int line_ = 1;
};

// The hit's line in UTF-8, each match's bounds carried over: matches start and end between characters, so
// the pieces convert alone as they would together.
void ConvertHitLine(std::string_view line, const std::vector<std::pair<int, int>>& marks,
    const TDocumentChars& chars, TGrepHit& hit, bool& invalid)
{
    int from = 0;
    auto append = [&](int to) {
        const QString piece = SjisToUnicode(line.substr(from, to - from), chars);
        invalid = invalid || piece.contains(QChar(0xFFFD));
        hit.Text += piece.toUtf8().toStdString();
        from = to;
    };
    for (const auto& [start, end] : marks) {
        append(start);
        const int markStart = static_cast<int>(hit.Text.size());
        append(end);
        hit.Marks.emplace_back(markStart, static_cast<int>(hit.Text.size()));
    }
    append(static_cast<int>(line.size()));
}

// The file's text in Shift_JIS: its own bytes when they need no conversion, else the decoded lines joined by
// CR LF in decoded.
std::string_view DecodedText(
    std::string_view bytes, TLineSource source, std::string& decoded, TDocumentChars& chars)
{
    if (source == TLineSource::lsKeep)
        return bytes;
    decoded.clear();
    decoded.reserve(bytes.size());
    bool first = true;
    DecodeDecidedLines([&](const TLineSink& sink) { ForEachLine(bytes, sink); }, source,
        [&](std::string_view line) {
            if (!first)
                decoded += "\r\n";
            decoded += line;
            first = false;
        },
        &chars, bytes);
    return decoded;
}

} // namespace

bool LooksBinary(std::string_view bytes)
{
    return DetectJCode(bytes.substr(0, std::min(bytes.size(), kBinaryScanLimit))) == jcBinary
        || std::memchr(bytes.data(), '\0', bytes.size()) != nullptr;
}

void SearchFileBytes(std::string_view bytes, const TGrepMatcher& matcher, const TFileSearchOptions& options,
    TGrepFile& file, std::string& decoded, const std::atomic<bool>* cancel)
{
    // The first bytes first: a file without the pattern's bytes is done before the NUL bytes of the rest
    // are looked for (it has no match either way).
    const std::string_view head = bytes.substr(0, std::min(bytes.size(), kBinaryScanLimit));
    if (!options.SearchBinary && DetectJCode(head) == jcBinary) {
        file.Outcome = TGrepFile::goBinary;
        return;
    }
    if (!matcher.MayMatch(bytes))
        return;
    if (!options.SearchBinary && LooksBinary(bytes)) {
        file.Outcome = TGrepFile::goBinary;
        return;
    }
    const TLoadDecision decision = DecideFileLoad(bytes, options.Code);
    file.Code = decision.codes.jcode;
    file.Bom = decision.codes.bom;
    TDocumentChars chars;
    const std::string_view text = DecodedText(bytes, decision.source, decoded, chars);

    TLineCursor lines(text);
    // The line of the hit being gathered: its bounds in text and its matches in its bytes.
    std::string_view hitLine;
    std::vector<std::pair<int, int>> marks;
    auto finishHit = [&] {
        if (marks.empty())
            return;
        TGrepHit& hit = file.Hits.back();
        bool invalid = false;
        ConvertHitLine(hitLine, marks, chars, hit, invalid);
        if (invalid && file.FirstInvalidLine == 0)
            file.FirstInvalidLine = hit.Line;
        marks.clear();
    };
    int currentLine = 0;
    file.Message = matcher.ForEachMatch(text, [&](TSearchRange match) {
        if (cancel && cancel->load(std::memory_order_relaxed))
            return false;
        const auto start = static_cast<std::size_t>(match.Start);
        lines.MoveTo(start);
        const std::size_t lineStart = lines.Start();
        if (lines.Line() != currentLine) {
            finishHit();
            currentLine = lines.Line();
            ++file.MatchedLines;
            if (options.Mode == TGrepMode::gmFileNames)
                return false;
            if (options.Mode == TGrepMode::gmCount)
                return true;
            hitLine = text.substr(lineStart, lines.End() - lineStart);
            file.Hits.push_back({currentLine, static_cast<int>(start - lineStart) + 1, match.Length, {}, {}});
        }
        if (options.Mode == TGrepMode::gmLines) {
            // A match running over the line's end is marked up to it.
            const std::size_t end = std::min(start + static_cast<std::size_t>(match.Length), lines.End());
            marks.emplace_back(static_cast<int>(start - lineStart), static_cast<int>(end - lineStart));
        }
        return true;
    });
    finishHit();
}

} // namespace brenvik
