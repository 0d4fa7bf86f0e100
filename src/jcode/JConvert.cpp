// The whole-string converters: one linear pass each, appending to the output.
#include "jcode/JConvert.h"

#include "jcode/ByteSearch.h"
#include "jcode/Bytes.h"
#include "jcode/VendorRows.h"

namespace brenvik {

using namespace jcode_detail;

namespace {

constexpr std::string_view kEnterKanji = "\x1B$B";
constexpr std::string_view kLeaveKanji = "\x1B(J";

void AppendPair(std::string& out, TBytePair pair, std::uint8_t orMask = 0)
{
    out.push_back(static_cast<char>(pair[0] | orMask));
    out.push_back(static_cast<char>(pair[1] | orMask));
}

std::uint8_t At(std::string_view text, std::size_t i)
{
    return static_cast<std::uint8_t>(text[i]);
}

// Appends the run of bytes below 0x80 that starts at i; returns the index after it.
std::size_t AppendSevenBitRun(std::string_view text, std::size_t i, std::string& out)
{
    const std::size_t end = FindHighByte(reinterpret_cast<const std::uint8_t*>(text.data()), i, text.size());
    out.append(text.substr(i, end - i));
    return end;
}

constexpr std::uint8_t kShiftOut = 0x0E; // SO: half-width kana until SI
constexpr std::uint8_t kShiftIn = 0x0F;

bool IsJisControl(std::uint8_t b)
{
    return b == kEsc || b == kShiftOut || b == kShiftIn;
}

// Walks JIS text: escapes switch the mode, Roman bytes are copied, kanjiStep converts from i in kanji mode,
// returning the index after what it consumed, and kanaByte takes each byte of JIS X 0201 kana (after ESC ( I,
// or between SO and SI).
template <class KanjiStep, class KanaByte>
void WalkJis(std::string_view text, std::string& out, KanjiStep kanjiStep, KanaByte kanaByte)
{
    bool kanji = false;
    bool kana = false;
    bool shifted = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::uint8_t b = At(text, i);
        if (b == kEsc) {
            if (text.size() - i < 3) {
                out.append(text.substr(i)); // an escape cut short by the end is kept as it stands
                return;
            }
            const std::uint8_t kind = At(text, i + 1);
            if (kind == '$') {
                kanji = true;
                kana = false;
            } else if (kind == '(') {
                kanji = false;
                kana = At(text, i + 2) == 'I';
            }
            i += 3; // the next byte may start another escape
        } else if (b == kShiftOut || b == kShiftIn) {
            shifted = b == kShiftOut;
            ++i;
        } else if ((kana || shifted) && InRange(b, 0x21, 0x5F)) {
            kanaByte(b, out);
            ++i;
        } else if (kanji) {
            i = kanjiStep(text, i, out);
        } else {
            std::size_t end = i;
            while (end < text.size() && !IsJisControl(At(text, end))) {
                ++end;
            }
            out.append(text.substr(i, end - i));
            i = end;
        }
    }
}

// Walks Shift_JIS or EUC text towards JIS: bytes from 0x80 up are converted by highStep in kanji mode,
// the others copied in Roman mode. A lead byte with nothing after it is kept as it stands.
template <class NeedsTrail, class HighStep>
void WalkToJis(
    std::string_view text, std::string& out, TKanjiEnd end, NeedsTrail needsTrail, HighStep highStep)
{
    bool kanji = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::uint8_t b = At(text, i);
        if (b < 0x80) {
            if (kanji) {
                out.append(kLeaveKanji);
                kanji = false;
            }
            i = AppendSevenBitRun(text, i, out);
        } else if (i + 1 == text.size() && needsTrail(b)) {
            out.push_back(static_cast<char>(b));
            ++i;
        } else {
            if (!kanji) {
                out.append(kEnterKanji);
                kanji = true;
            }
            i = highStep(text, i, out);
        }
    }
    if (kanji && end == TKanjiEnd::keClose) {
        out.append(kLeaveKanji);
    }
}

bool IsSjisKana(std::uint8_t b)
{
    return InRange(b, 0xA1, 0xDF);
}

bool IsJisByte(std::uint8_t b)
{
    return InRange(b, 0x21, 0x7E);
}

void AppendJisToSjis(std::string_view text, std::string& out)
{
    WalkJis(
        text, out,
        [](std::string_view t, std::size_t i, std::string& o) {
            // Only a pair of JIS bytes is a character: the arithmetic on other bytes could make a line break.
            if (i + 1 == t.size() || !IsJisByte(At(t, i)) || !IsJisByte(At(t, i + 1))) {
                o.push_back(t[i]);
                return i + 1;
            }
            AppendPair(o, JisToSjisCode(At(t, i), At(t, i + 1)));
            return i + 2;
        },
        [](std::uint8_t b, std::string& o) { o.push_back(static_cast<char>(b | 0x80)); });
}

void AppendJisToEuc(std::string_view text, std::string& out)
{
    WalkJis(
        text, out,
        [](std::string_view t, std::size_t i, std::string& o) {
            const std::uint8_t b = At(t, i);
            o.push_back(static_cast<char>(b <= 0x20 || b > 0x7E ? b : b | 0x80));
            return i + 1;
        },
        [](std::uint8_t b, std::string& o) {
            o.push_back(static_cast<char>(kSs2));
            o.push_back(static_cast<char>(b | 0x80));
        });
}

// The Shift_JIS of an EUC pair: the JIS arithmetic on both bytes, the vendor rows from lead 0xF5.
TBytePair EucPairToSjis(std::uint8_t lead, std::uint8_t trail)
{
    const auto a7 = static_cast<std::uint8_t>(lead & 0x7F);
    const auto b7 = static_cast<std::uint8_t>(trail & 0x7F);
    return lead >= 0xF5 ? JisToSjisCode(a7, b7) : JisCharToSjis(a7, b7);
}

constexpr std::uint8_t kEucFirst = 0xA1;
constexpr std::size_t kEucRow = 0xFE - kEucFirst + 1;

bool IsEucPairByte(std::uint8_t b)
{
    return InRange(b, kEucFirst, 0xFE);
}

// Every pair of EUC's two-byte area looked up rather than worked out: a converted EUC file is mostly
// such pairs.
const std::array<TBytePair, kEucRow * kEucRow>& EucPairTable()
{
    static const auto table = [] {
        std::array<TBytePair, kEucRow * kEucRow> pairs {};
        for (std::size_t lead = 0; lead < kEucRow; ++lead) {
            for (std::size_t trail = 0; trail < kEucRow; ++trail) {
                pairs[lead * kEucRow + trail] = EucPairToSjis(static_cast<std::uint8_t>(kEucFirst + lead),
                    static_cast<std::uint8_t>(kEucFirst + trail));
            }
        }
        return pairs;
    }();
    return table;
}

void AppendEucToSjis(std::string_view text, std::string& out)
{
    const auto& table = EucPairTable();
    // Shift_JIS is never longer than the EUC it comes from, so the output is written in place
    // of per-byte appends: this is the whole-file hot path of opening an EUC script.
    const std::size_t base = out.size();
    out.resize(base + text.size());
    char* const start = out.data() + base;
    char* p = start;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t n = text.size();
    auto putPair = [&](TBytePair pair) {
        *p++ = static_cast<char>(pair[0]);
        *p++ = static_cast<char>(pair[1]);
    };
    std::size_t i = 0;
    while (i < n) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            const std::size_t end = CopySevenBitRun(bytes, i, n, p);
            p += end - i;
            i = end;
        } else if (IsEucPairByte(b) && i + 1 < n) { // kanji and kana, tested first
            const std::uint8_t trail = bytes[i + 1];
            putPair(IsEucPairByte(trail) ? table[(b - kEucFirst) * kEucRow + (trail - kEucFirst)]
                                         : EucPairToSjis(b, trail));
            i += 2;
        } else if (b == 0x80 || b == 0xFF || i + 1 == n) {
            *p++ = static_cast<char>(b);
            ++i;
        } else if (b == kSs2) {
            *p++ = text[i + 1];
            i += 2;
        } else {
            putPair(EucPairToSjis(b, bytes[i + 1]));
            i += 2;
        }
    }
    out.resize(base + static_cast<std::size_t>(p - start));
}

void AppendSjisToEuc(std::string_view text, std::string& out)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const std::uint8_t b = At(text, i);
        if (b < 0x80) {
            i = AppendSevenBitRun(text, i, out);
        } else if (IsSjisKana(b)) {
            out.push_back(static_cast<char>(kSs2));
            out.push_back(static_cast<char>(b));
            ++i;
        } else if (i + 1 == text.size()) {
            out.push_back(static_cast<char>(b));
            ++i;
        } else {
            AppendPair(out, SjisToJisCode(b, At(text, i + 1)), 0x80);
            i += 2;
        }
    }
}

void AppendEucToJis(std::string_view text, std::string& out, TKanjiEnd end)
{
    WalkToJis(
        text, out, end, [](std::uint8_t) { return true; },
        [](std::string_view t, std::size_t i, std::string& o) {
            if (At(t, i) == kSs2) {
                std::size_t position = i + 1;
                AppendPair(o, EucKanaToJis(t, position));
                return position - 1;
            }
            AppendPair(o,
                {static_cast<std::uint8_t>(At(t, i) & 0x7F), static_cast<std::uint8_t>(At(t, i + 1) & 0x7F)});
            return i + 2;
        });
}

// Shift_JIS to JIS in the escapes forms names; half-width kana stay half-width when forms has a kana form.
class TSjisToJis {
public:
    TSjisToJis(std::string& out, const TJisForms& forms)
        : out_(out)
        , forms_(forms)
    {
    }

    void Append(std::string_view text, TKanjiEnd end)
    {
        std::size_t i = 0;
        while (i < text.size()) {
            const std::uint8_t b = At(text, i);
            if (b < 0x80) {
                Enter(TMode::jmRoman);
                i = AppendSevenBitRun(text, i, out_);
            } else if (IsSjisKana(b) && forms_.kana != 0) {
                Enter(forms_.kana == 'S' ? TMode::jmShifted : TMode::jmKana);
                out_.push_back(static_cast<char>(b & 0x7F));
                ++i;
            } else if (i + 1 == text.size() && !IsSjisKana(b)) {
                out_.push_back(static_cast<char>(b)); // a lead byte with nothing after it is kept as it stands
                ++i;
            } else if (IsSjisKana(b)) {
                Enter(TMode::jmKanji);
                std::size_t position = i + 1;
                AppendPair(out_, SjisKanaToJis(text, position));
                i = position - 1;
            } else {
                Enter(TMode::jmKanji);
                AppendPair(out_, SjisToJisCode(b, At(text, i + 1)));
                i += 2;
            }
        }
        if (end == TKanjiEnd::keClose) {
            Enter(TMode::jmRoman);
        }
    }

private:
    enum class TMode { jmRoman, jmKanji, jmKana, jmShifted };

    void Enter(TMode mode)
    {
        if (mode == mode_) {
            return;
        }
        if (mode_ == TMode::jmShifted) {
            out_.push_back(static_cast<char>(kShiftIn));
        } else if (mode_ != TMode::jmRoman && (mode == TMode::jmRoman || mode == TMode::jmShifted)) {
            Escape('(', forms_.roman != 0 ? forms_.roman : 'J');
        }
        if (mode == TMode::jmKanji) {
            Escape('$', forms_.kanji != 0 ? forms_.kanji : 'B');
        } else if (mode == TMode::jmKana) {
            Escape('(', 'I');
        } else if (mode == TMode::jmShifted) {
            out_.push_back(static_cast<char>(kShiftOut));
        }
        mode_ = mode;
    }
    void Escape(char kind, char final)
    {
        out_.push_back(static_cast<char>(kEsc));
        out_.push_back(kind);
        out_.push_back(final);
    }

    std::string& out_;
    const TJisForms& forms_;
    TMode mode_ = TMode::jmRoman;
};

void AppendSjisToJis(std::string_view text, std::string& out, TKanjiEnd end, const TJisForms& forms = {})
{
    TSjisToJis(out, forms).Append(text, end);
}

bool IsJis(JCode code)
{
    return code == jcJis || code == jcOldJis;
}

template <class Append> std::string Converted(std::string_view text, Append append)
{
    std::string out;
    out.reserve(text.size() + text.size() / 4);
    append(text, out);
    return out;
}

} // namespace

std::string JisToSjis(std::string_view text)
{
    return Converted(text, AppendJisToSjis);
}

std::string JisToEuc(std::string_view text)
{
    return Converted(text, AppendJisToEuc);
}

std::string EucToSjis(std::string_view text)
{
    return Converted(text, AppendEucToSjis);
}

std::string EucToJis(std::string_view text)
{
    return Converted(
        text, [](std::string_view t, std::string& o) { AppendEucToJis(t, o, TKanjiEnd::keStay); });
}

std::string SjisToJis(std::string_view text)
{
    return Converted(
        text, [](std::string_view t, std::string& o) { AppendSjisToJis(t, o, TKanjiEnd::keStay); });
}

std::string SjisToEuc(std::string_view text)
{
    return Converted(text, AppendSjisToEuc);
}

void NoteJisForms(std::string_view text, TJisForms& forms)
{
    for (std::size_t i = text.find_first_of("\x1B\x0E"); i != std::string_view::npos;
         i = text.find_first_of("\x1B\x0E", i + 1)) {
        const std::uint8_t kind = ByteAt(text, i + 1);
        const auto final = static_cast<char>(ByteAt(text, i + 2));
        if (At(text, i) == kShiftOut) {
            forms.kana = forms.kana != 0 ? forms.kana : 'S';
        } else if (kind == '$' && (final == 'B' || final == '@') && forms.kanji == 0) {
            forms.kanji = final;
        } else if (kind == '(' && (final == 'B' || final == 'J') && forms.roman == 0) {
            forms.roman = final;
        } else if (kind == '(' && final == 'I' && forms.kana == 0) {
            forms.kana = 'I';
        }
    }
}

void AppendConvertedFrom(
    std::string_view text, JCode source, JCode target, std::string& out, TKanjiEnd end, const TJisForms& forms)
{
    if (source < jcJis || source == target || source == jcUndecided) {
        out.append(text);
    } else if (target == jcJis && source == jcEuc) {
        AppendEucToJis(text, out, end);
    } else if (target == jcJis && source == jcSjis) {
        AppendSjisToJis(text, out, end, forms);
    } else if (target == jcEuc && IsJis(source)) {
        AppendJisToEuc(text, out);
    } else if (target == jcEuc && source == jcSjis) {
        AppendSjisToEuc(text, out);
    } else if (target == jcSjis && IsJis(source)) {
        AppendJisToSjis(text, out);
    } else if (target == jcSjis && source == jcEuc) {
        AppendEucToSjis(text, out);
    } else {
        out.append(text);
    }
}

std::string ConvertJCodeFrom(std::string_view text, JCode source, JCode target)
{
    return Converted(
        text, [&](std::string_view t, std::string& o) { AppendConvertedFrom(t, source, target, o); });
}

std::string ConvertJCode(std::string_view text, JCode target)
{
    return ConvertJCodeFrom(text, DetectJCode(text), target);
}

} // namespace brenvik
