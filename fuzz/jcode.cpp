// The first code to meet a file's bytes: code detection, the per-line vote, decoding from every code and
// the UTF-8 check and decoder, on arbitrary bytes.
//   - nothing reads outside the bytes (the sanitizers) and every code stays in its range;
//   - the vote over parts side by side equals one walk, marks included;
//   - every decode, detected or stated, hands over exactly one line per line of the file: nothing is lost;
//   - a file taken for UTF-8 decodes as valid sequences from end to end;
//   - a converter from a code to itself changes nothing.
#include "FuzzCheck.h"

#include "jcode/LineCodec.h"
#include "jcode/Utf8Codec.h"
#include "support/LineBreaks.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace brenvik;
using fuzz::Require;

namespace {

std::size_t CountLines(std::string_view bytes)
{
    std::size_t lines = 0;
    ForEachLine(bytes, [&](std::string_view) { ++lines; });
    return lines;
}

void CheckDetection(std::string_view bytes)
{
    const JCode jcode = DetectJCode(bytes);
    Require(jcode >= jcNone && jcode <= jcUndecided, "DetectJCode gives a code of a text");
    const RCode rcode = DetectRCode(bytes);
    Require(rcode >= rcNone && rcode <= rcLf, "DetectRCode gives a line-break code");
    Require(DetectFileRCode(bytes) >= rcNone && DetectFileRCode(bytes) <= rcLf, "DetectFileRCode in range");
    for (const JCode code : {jcJis, jcEuc, jcSjis}) {
        Require(
            ConvertJCodeFrom(bytes, code, code) == bytes, "a conversion to the same code changes nothing");
        ConvertJCode(bytes, code);
    }
    for (auto convert : {JisToSjis, JisToEuc, EucToSjis, EucToJis, SjisToJis, SjisToEuc})
        convert(bytes);
}

void CheckVote(std::string_view bytes)
{
    for (const auto pairs : {TJCodeVote::vpCount, TJCodeVote::vpSkip}) {
        std::vector<TLineSpan> walkMarks;
        TJCodeVote walk(pairs);
        walk.AddLinesOf(bytes, {}, &walkMarks);
        const JCode jcode = walk.FileJCode();
        Require(
            jcode == jcJis || jcode == jcEuc || jcode == jcSjis, "the vote decides JIS, EUC or Shift_JIS");
        for (const TLineSpan& mark : walkMarks)
            Require(mark.start <= mark.end && mark.end <= bytes.size(), "a marked line lies inside the file");
        // Parts of one byte each are the most cuts a small file can take.
        for (const std::size_t parts : {std::size_t {2}, std::size_t {3}}) {
            std::vector<TLineSpan> partMarks;
            Require(VoteFileLines(bytes, pairs, &partMarks, parts) == walk, "parts vote as one walk");
            Require(partMarks.size() == walkMarks.size(), "parts mark the lines one walk marks");
            for (std::size_t i = 0; i < partMarks.size(); ++i)
                Require(partMarks[i].start == walkMarks[i].start && partMarks[i].end == walkMarks[i].end,
                    "parts mark the lines one walk marks");
        }
    }
}

void CheckUtf8(std::string_view bytes)
{
    if (!IsUtf8File(bytes))
        return;
    for (std::size_t i = 0; i < bytes.size();) {
        char32_t c = 0;
        const std::size_t length = DecodeUtf8At(bytes, i, c);
        Require(length > 0 && i + length <= bytes.size(), "a UTF-8 file is valid sequences from end to end");
        Require(c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF), "a UTF-8 character is a scalar value");
        i += length;
    }
    const TDecodedText decoded = DecodeFileBytes(bytes);
    Require(decoded.jcode == jcUtf8, "a UTF-8 file opens as UTF-8");
}

void CheckDecoded(std::string_view bytes, std::optional<TStatedCodes> stated)
{
    TDocumentChars chars;
    std::size_t lines = 0;
    const TStatedCodes codes = DecodeFileTo(
        bytes, stated,
        [&](std::string_view line) {
            Require(line.find_first_of("\r\n") == std::string_view::npos, "a decoded line holds no break");
            ++lines;
        },
        &chars);
    Require(lines == CountLines(bytes), "every line of the file is decoded");
    Require(codes.jcode == jcJis || codes.jcode == jcEuc || codes.jcode == jcSjis || codes.jcode == jcUtf8,
        "a decoded file has the code of a document");
    Require(codes.rcode >= rcNone && codes.rcode <= rcLf, "a decoded file has a line-break code");
    if (stated)
        Require(codes.jcode == stated->jcode, "stated codes are kept");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    CheckDetection(bytes);
    CheckVote(bytes);
    CheckUtf8(bytes);
    CheckDecoded(bytes, std::nullopt);
    for (const JCode jcode : {jcJis, jcEuc, jcSjis, jcUtf8})
        CheckDecoded(bytes, TStatedCodes {jcode, rcLf, false});
    return 0;
}
