// A file's lines as found, and writing them back so.
#include "jcode/FileForms.h"

#include "jcode/Utf8Codec.h"

#include <algorithm>

namespace brenvik {

namespace {

// A form code: bit 0 set for every line read from a file, bits 1-2 its break, bits 3-31 one more than the
// index of its kept bytes (0 when its text encodes to them).
constexpr std::uint32_t kRead = 1;
constexpr int kEndShift = 1;
constexpr int kKeptShift = 3;

RCode EndOf(std::uint32_t form)
{
    return static_cast<RCode>((form >> kEndShift) & 3);
}

// Bytes below 0x80 other than the JIS shifts encode to themselves in every code.
bool PlainSevenBit(std::string_view line)
{
    return std::none_of(line.begin(), line.end(), [](char c) {
        const auto b = static_cast<std::uint8_t>(c);
        return b >= 0x80 || b == 0x1B || b == 0x0E || b == 0x0F;
    });
}

} // namespace

RCode BreakAfter(std::string_view bytes, std::string_view found)
{
    const auto at = static_cast<std::size_t>(found.data() + found.size() - bytes.data());
    if (at >= bytes.size()) {
        return rcNone;
    }
    if (bytes[at] == '\n') {
        return rcLf;
    }
    return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? rcCrLf : rcCr;
}

void TFileForms::Add(std::string_view found, std::string_view text, RCode end, const TDocumentChars& chars)
{
    // The byte-order mark is the save's to write, not the first line's.
    if (first_ && codes_.jcode == jcUtf8 && codes_.bom && found.starts_with(kUtf8Bom)) {
        found.remove_prefix(kUtf8Bom.size());
    }
    first_ = false;
    std::uint32_t form = kRead | static_cast<std::uint32_t>(end) << kEndShift;
    if (codes_.jcode == jcJis) {
        NoteJisForms(found, jis_);
    } else if (codes_.jcode == jcUtf8) {
        stray_ += CountUtf8(found).invalid;
    }
    bool same = found == text && (codes_.jcode == jcSjis || PlainSevenBit(found));
    if (!same) {
        std::string encoded;
        AppendEncodedText(text, codes_.jcode, encoded, &chars, jis_);
        same = encoded == found;
    }
    if (!same) {
        kept_.emplace_back(found);
        form |= static_cast<std::uint32_t>(kept_.size()) << kKeptShift;
    }
    lineForms_.push_back(form);
}

void TFileForms::AppendLine(std::string_view text, std::uint32_t form, bool endOfText, const TStatedCodes& codes,
    const TDocumentChars& chars, std::string& out) const
{
    if (const std::uint32_t kept = form >> kKeptShift; kept != 0) {
        out.append(kept_[kept - 1]);
    } else {
        AppendEncodedText(text, codes.jcode, out, &chars, jis_);
    }
    RCode end = form != 0 ? EndOf(form) : codes.rcode;
    if (endOfText) {
        // A last line typed after the file's final break ends as the document's lines do.
        if (!finalBreak_) {
            return;
        }
        end = codes.rcode;
    }
    out.append(LineTerminator(end == rcNone ? codes.rcode : end));
}

} // namespace brenvik
