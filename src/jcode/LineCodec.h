// Decoding a file's lines to Shift_JIS on load (one code for the whole file, by majority) and encoding them
// on save.
#pragma once

#include "jcode/JConvert.h"

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brenvik {

// The first bytes of a file that decide its line-break code.
inline constexpr std::size_t kRCodeSampleSize = 1024;

// Codes named by the user instead of being detected (open with a chosen code).
struct TStatedCodes {
    JCode jcode = jcSjis;
    RCode rcode = rcCrLf;
};

// Invariant: jcode is jcJis, jcEuc or jcSjis; rcode is 0..3 (checked by tests' CheckDecodedText).
struct TDecodedText {
    std::vector<std::string> Lines;
    JCode jcode = jcSjis;
    RCode rcode = rcNone;
};

// How every line of a file is brought to Shift_JIS.
enum class TLineSource { lsJis, lsEuc, lsKeep, lsEachLine };

// Counts per-line detections and decides the code of the whole file.
class TJCodeVote {
public:
    void Add(std::string_view line);
    JCode FileJCode() const;
    TLineSource Source() const;

private:
    int jis_ = 0;
    int euc_ = 0;
    int sjis_ = 0;
};

using TLineSink = std::function<void(std::string_view)>;

// The load path on a file's bytes: splits them into lines, decides the codes (stated, or by the majority of
// line detections and from the first kRCodeSampleSize bytes) and hands each line, in Shift_JIS, to sink in
// order. Returns the document's jcode and rcode.
TStatedCodes DecodeFileTo(std::string_view bytes, std::optional<TStatedCodes> stated, const TLineSink& sink);
TDecodedText DecodeFileBytes(std::string_view bytes, std::optional<TStatedCodes> stated = std::nullopt);

// The same on lines already split; head holds the file's first bytes.
TDecodedText DecodeLoadedLines(std::span<const std::string_view> lines, std::string_view head,
    std::optional<TStatedCodes> stated = std::nullopt);

// The line-break code of a file: that of the first break within its first kRCodeSampleSize bytes.
RCode DetectFileRCode(std::string_view fileBytes);

// The terminator written for an RCode; a document without one (0) is written with CR LF, so lines never join.
std::string_view LineTerminator(RCode rcode);

// One Shift_JIS line converted from its own detected code to target, then its terminator.
void AppendEncodedLine(std::string_view line, JCode target, RCode rcode, std::string& out);

std::string EncodeLinesForSave(std::span<const std::string> lines, JCode target, RCode rcode);

} // namespace brenvik
