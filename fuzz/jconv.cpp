// brenvik-jconv's conversion of a file's bytes to each target, on arbitrary bytes.
//   - the block converter gives the bytes of opening the file and saving it in the target (the lines
//     decoded and encoded one by one), whole or cut into parts converted side by side;
//   - converting the output back gives the same lines where the codes allow, which is for lines made only
//     of tab, 0x20..0x7E and double-byte characters of the standard rows (leads 81..9F and E0..EA, trails
//     40..FC but 7F), and besides, through EUC, half-width kana (A1..DF); through UTF-8, every character
//     with a code page 932 character whose code comes back as itself. Other lines (control bytes, lone
//     lead bytes, vendor rows with two codes, half-width kana through JIS, which become full width) are
//     left out of the round trip.
#include "FuzzCheck.h"

#include "jcode/Cp932Table.h"
#include "jcode/FileTranscode.h"
#include "support/LineBreaks.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using namespace brenvik;
using fuzz::Require;

namespace {

bool IsStandardLead(std::uint8_t b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEA);
}

bool IsTrail(std::uint8_t b)
{
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

bool KeptByUtf8(std::uint8_t lead, std::uint8_t trail)
{
    const auto code = static_cast<TSjisCode>(lead << 8 | trail);
    const char32_t c = Cp932ToUnicode(code);
    return c != kNoChar && UnicodeToCp932(c) == code;
}

// Whether a line of Shift_JIS comes back through target unchanged (see the head of this file).
bool RoundTrips(std::string_view line, JCode target)
{
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto b = static_cast<std::uint8_t>(line[i]);
        if (b == '\t' || (b >= 0x20 && b <= 0x7E))
            continue;
        if (b >= 0xA1 && b <= 0xDF && target != jcJis)
            continue;
        if (i + 1 >= line.size())
            return false;
        const auto trail = static_cast<std::uint8_t>(line[i + 1]);
        const bool kept = target == jcUtf8 ? KeptByUtf8(b, trail) : IsStandardLead(b) && IsTrail(trail);
        if (!kept)
            return false;
        ++i;
    }
    return true;
}

std::string Transcoded(std::string_view bytes, TLineSource source, JCode target, RCode rcode,
    const std::vector<TLineSpan>* marked, std::size_t parts)
{
    std::string out;
    TranscodeFileBytes(
        bytes, source, target, rcode,
        [&](std::string_view block) {
            Require(!block.empty(), "no empty block is written");
            out.append(block);
        },
        marked, parts);
    return out;
}

void CheckRoundTrip(const std::vector<std::string>& lines, JCode target, RCode rcode)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines) {
        if (RoundTrips(line, target))
            kept.push_back(line);
    }
    const std::string image = EncodeLinesForSave(kept, target, rcode);
    const TDecodedText back = DecodeFileBytes(image, TStatedCodes {target, rcode, false});
    Require(back.Lines == kept, "lines the codes allow come back from the target");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<TLineSpan> marked;
    const TLoadDecision decision = DecideFileLoad(bytes, std::nullopt, {}, &marked);
    const TDecodedText opened = DecodeFileBytes(bytes);
    for (const JCode target : {jcSjis, jcEuc, jcJis, jcUtf8}) {
        for (const RCode rcode : {rcCrLf, rcCr, rcLf}) {
            if (decision.source != TLineSource::lsUtf8 && target != jcUtf8) {
                const std::string saved = EncodeLinesForSave(opened.Lines, target, rcode);
                Require(Transcoded(bytes, decision.source, target, rcode, &marked, 0) == saved,
                    "the block converter writes what open and save write");
                Require(Transcoded(bytes, decision.source, target, rcode, nullptr, 1 + size % 3) == saved,
                    "the block converter in parts writes what open and save write");
            }
            CheckRoundTrip(opened.Lines, target, rcode);
        }
    }
    return 0;
}
