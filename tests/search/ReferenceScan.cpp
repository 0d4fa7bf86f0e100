// Straightforward candidate loop: trail map, positioning, word-start skipping, comparison with skips.
#include "ReferenceScan.h"

#include "search/CaseFolding.h"
#include "search/HankakuToZenkaku.h"
#include "search/ShiftJis.h"
#include "search/WordDelimiters.h"
#include "search/ZenkakuTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace brenvik::test {

namespace {

using Int = std::int64_t;

bool IsVoiceable(std::uint8_t byte)
{
    return byte == 0xB3 || (byte >= 0xB6 && byte <= 0xC4) || (byte >= 0xCA && byte <= 0xCE);
}

std::string WideString(std::uint16_t code)
{
    std::string out;
    if (code > 0xFF)
        out += static_cast<char>(code >> 8);
    out += static_cast<char>(code & 0xFF);
    return out;
}

class TReference {
public:
    TReference(std::string_view text, std::string_view pattern, TSearchFlags flags)
        : flags_(flags)
    {
        const auto zero = text.find('\0');
        len_ = static_cast<Int>(zero == std::string_view::npos ? text.size() : zero);
        text_.assign(text.substr(0, len_));
        text_.append(4, '\0');
        pattern_ = flags.Has(TSearchFlags::MatchCase) ? std::string(pattern) : UpperCasePattern(pattern);
        if (flags.Has(TSearchFlags::NoMatchZenkaku))
            pattern_ = HankakuToZenkaku(pattern_);
        plen_ = static_cast<Int>(pattern_.size());
        if (flags.Has(TSearchFlags::NoMatchZenkaku)) {
            for (std::size_t i = 0; static_cast<Int>(i) < plen_; ++charCount_)
                i += PatternLead(i) ? 2 : 1;
        }
        pattern_.append(2, '\0');
        trail_.assign(len_ + 1, false);
        for (Int i = 0; i < len_;) {
            if (IsLeadByte(At(i))) {
                trail_[i + 1] = true;
                i += 2;
            } else {
                ++i;
            }
        }
    }

    std::optional<TSearchRange> Scan(TSearchRange range)
    {
        const bool zenkaku = flags_.Has(TSearchFlags::NoMatchZenkaku);
        const bool wholeWord = flags_.Has(TSearchFlags::WholeWord);
        if (range.Start < 0 || range.Start > len_ || range.Length < 0 || plen_ == 0)
            return std::nullopt;
        Int start = range.Start;
        Int dir;
        Int remaining;
        if (flags_.Has(TSearchFlags::Down)) {
            dir = 1;
            start += range.Length;
            if (start < len_ && trail_[start])
                ++start;
            remaining = len_ - start - (zenkaku ? charCount_ : plen_);
            if (remaining < 0)
                return std::nullopt;
        } else {
            dir = -1;
            if (!zenkaku) {
                start -= plen_;
            } else {
                for (Int step = 0; step < charCount_; ++step) {
                    --start;
                    if (start > 0 && (trail_[start] || MergedMarkAt(start)))
                        --start;
                }
            }
            if (start >= 0 && trail_[start])
                --start;
            remaining = start;
        }
        if (start < 0 || start > len_ || remaining < 0)
            return std::nullopt;
        Int cur = start;
        while (remaining >= 0) {
            if (wholeWord && remaining > 0)
                SkipToWordStart(cur, remaining, dir);
            if (!wholeWord || IsWordStart(cur)) {
                Int covered = 0;
                if (Compare(cur, covered) && (!wholeWord || IsWordDelimiter(At(cur + covered))))
                    return TSearchRange {static_cast<std::int32_t>(cur), static_cast<std::int32_t>(covered)};
            }
            cur += dir;
            --remaining;
            if (cur >= 0 && cur < len_ && trail_[cur]) {
                cur += dir;
                --remaining;
            }
        }
        return std::nullopt;
    }

private:
    std::uint8_t At(Int i) const { return i >= 0 && i < len_ ? static_cast<std::uint8_t>(text_[i]) : 0; }
    std::uint8_t Pat(std::size_t i) const { return static_cast<std::uint8_t>(pattern_[i]); }
    bool PatternLead(std::size_t i) const { return IsLeadByte(Pat(i)) && static_cast<Int>(i) + 1 < plen_; }
    bool Delimiter(Int i) const { return IsWordDelimiter(At(i)); }

    // A mark that forms one character with the kana before it, as HankakuToZenkaku joins them.
    bool MergedMarkAt(Int i) const
    {
        const std::uint8_t mark = At(i);
        const std::uint8_t kana = At(i - 1);
        if ((mark != 0xDE && mark != 0xDF) || !IsVoiceable(kana) || trail_[i - 1])
            return false;
        return HankakuToZenkaku(std::string {static_cast<char>(kana), static_cast<char>(mark)}).size() == 2;
    }

    bool IsWordStart(Int i) const { return !Delimiter(i) && (i == 0 || Delimiter(i - 1)); }

    void SkipToWordStart(Int& cur, Int& remaining, Int dir) const
    {
        auto move = [&] {
            if (remaining == 0)
                return false;
            cur += dir;
            --remaining;
            return true;
        };
        if (dir > 0) {
            if (!Delimiter(cur) && (cur == 0 || Delimiter(cur - 1)))
                return;
            while (!Delimiter(cur) && move()) { }
            while (Delimiter(cur) && move()) { }
        } else {
            while (Delimiter(cur) && move()) { }
            while (!Delimiter(cur) && move()) { }
            if (Delimiter(cur)) {
                cur -= dir;
                ++remaining;
            }
        }
        if (cur >= 0 && cur <= len_ && trail_[cur]) {
            cur += dir;
            --remaining;
        }
    }

    // The full-width form of the single-byte text character at k; extra tells that a mark went with it.
    std::string Wide(Int k, bool& extra) const
    {
        extra = false;
        if (IsVoiceable(At(k)) && (At(k + 1) == 0xDE || At(k + 1) == 0xDF)) {
            const std::string pair {static_cast<char>(At(k)), static_cast<char>(At(k + 1))};
            const std::string wide = HankakuToZenkaku(pair);
            if (wide.size() == 2) {
                extra = true;
                return wide;
            }
        }
        return WideString(ZenkakuTable[At(k)]);
    }

    bool Compare(Int cur, Int& covered) const
    {
        const bool matchCase = flags_.Has(TSearchFlags::MatchCase);
        const bool zenkaku = flags_.Has(TSearchFlags::NoMatchZenkaku);
        std::size_t pi = 0;
        Int ti = 0;
        Int skip = 0;
        for (;;) {
            const Int k = cur + ti + skip;
            if (k >= len_)
                return false;
            const bool patLead = PatternLead(pi);
            const bool txtLead = IsLeadByte(At(k)) && k + 1 < len_;
            const auto patChar = static_cast<std::uint16_t>(patLead ? Pat(pi) << 8 | Pat(pi + 1) : Pat(pi));
            const auto txtChar = static_cast<std::uint16_t>(At(k) << 8 | At(k + 1));
            bool extra = false;
            bool match;
            if (zenkaku) {
                if (txtLead) {
                    match = patLead
                        && (matchCase ? txtChar == patChar : SameDoubleByteNoCase(patChar, txtChar));
                } else {
                    std::string wide = Wide(k, extra);
                    if (!matchCase && wide.size() == 2) {
                        const auto code = static_cast<std::uint16_t>(
                            static_cast<std::uint8_t>(wide[0]) << 8 | static_cast<std::uint8_t>(wide[1]));
                        if (code >= 0x8281 && code <= 0x829A)
                            wide = WideString(code - 0x21);
                    }
                    match = wide == pattern_.substr(pi, patLead ? 2 : 1);
                }
            } else if (txtLead) {
                match = patLead && (matchCase ? txtChar == patChar : SameDoubleByteNoCase(patChar, txtChar));
            } else {
                match = !patLead && Pat(pi) == (matchCase ? At(k) : UpperCaseTable[At(k)]);
            }
            if (match) {
                ti += txtLead || extra ? 2 : 1;
                pi += patLead ? 2 : 1;
                if (static_cast<Int>(pi) >= plen_) {
                    covered = ti + skip;
                    return true;
                }
                continue;
            }
            if (ti == 0)
                return false;
            if (flags_.Has(TSearchFlags::IncludeCRLF) && (At(k) == 0x0D || At(k) == 0x0A)) {
                skip += 1;
            } else if (flags_.Has(TSearchFlags::IncludeSpace) && (At(k) == 0x09 || At(k) == 0x20)) {
                skip += 1;
            } else if (flags_.Has(TSearchFlags::IncludeSpace) && At(k) == 0x81 && k + 1 < len_
                && At(k + 1) == 0x40) {
                skip += 2;
            } else {
                return false;
            }
        }
    }

    TSearchFlags flags_;
    std::string text_;
    std::string pattern_;
    Int len_ = 0;
    Int plen_ = 0;
    Int charCount_ = 0;
    std::vector<bool> trail_;
};

} // namespace

std::optional<TSearchRange> ReferenceScan(
    std::string_view text, TSearchRange range, std::string_view pattern, TSearchFlags flags)
{
    TReference reference(text, pattern, flags);
    return reference.Scan(range);
}

} // namespace brenvik::test
