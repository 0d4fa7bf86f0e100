// Decoding a file's lines to Shift_JIS on load (one code for the whole file, by majority) and encoding them
// on save.
#pragma once

#include "jcode/DocumentChars.h"
#include "jcode/JConvert.h"
#include "support/LineBreaks.h"

#include <cstdint>
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
    // A UTF-8 file's byte-order mark: kept as found on open, written on save when set.
    bool bom = false;
};

// Invariant: jcode is jcJis, jcEuc or jcSjis; rcode is 0..3 (checked by tests' CheckDecodedText).
struct TDecodedText {
    std::vector<std::string> Lines;
    JCode jcode = jcSjis;
    RCode rcode = rcNone;
};

// A line of a file's bytes, its break left out: [start, end). 32-bit offsets keep a mark per line of a
// large file small; files from kMarkableBytes up are not marked.
struct TLineSpan {
    std::uint32_t start = 0;
    std::uint32_t end = 0;
};
inline constexpr std::size_t kMarkableBytes = UINT32_MAX;

// How every line of a file is brought to Shift_JIS.
enum class TLineSource { lsJis, lsEuc, lsKeep, lsEachLine, lsUtf8 };

// Counts per-line detections and decides the code of the whole file. When no code wins and lines
// were left undecided between EUC and Shift_JIS, their bytes decide: hiragana and katakana (EUC leads
// 0xA4 and 0xA5) are the bulk of Japanese text in EUC, while in Shift_JIS those bytes are the rare
// half-width marks ､ and ･ followed by another kana; and an EUC text without kana is mostly common
// kanji (KanjiFrequency.h), which half-width kana runs read as pairs seldom are.
class TJCodeVote {
public:
    // Counting the pairs of undecided lines costs a walk over each; vpSkip leaves it out, for a first vote
    // that most files win without a tie.
    enum TPairs { vpCount, vpSkip };
    explicit TJCodeVote(TPairs pairs = vpCount)
        : countPairs_(pairs == vpCount)
    {
    }
    void Add(std::string_view line);
    // Add for every line of a file's bytes; walked is told how far the walk has come. Only lines holding a
    // byte that starts a detection rule count; marked, when given, receives them in order (text shorter
    // than kMarkableBytes).
    void AddLinesOf(std::string_view text, const std::function<void(const char*)>& walked = {},
        std::vector<TLineSpan>* marked = nullptr);
    // Adds the counts of a vote over other lines of the same file.
    void Merge(const TJCodeVote& other);
    bool operator==(const TJCodeVote&) const = default;
    JCode FileJCode() const;
    TLineSource Source() const;
    // Whether the pairs left uncounted would decide: the lines must be voted again with vpCount.
    bool NeedsPairs() const;

private:
    std::optional<TLineSource> Winner() const;
    bool TieDecidedByPairs() const;
    void CountUndecidedPairs(std::string_view line);
    bool UndecidedReadAsEuc() const;

    int jis_ = 0;
    int euc_ = 0;
    int sjis_ = 0;
    int undecided_ = 0;
    // Over the undecided lines read as EUC: double-byte pairs, and those that are hiragana or katakana.
    std::size_t pairs_ = 0;
    std::size_t kanaPairs_ = 0;
    std::size_t commonPairs_ = 0;
    bool countPairs_;
};

// AddLinesOf over text cut into parts (as TextPartBounds cuts it: count 0, one per processor) voted side by
// side; the same vote and marks as one walk.
TJCodeVote VoteFileLines(std::string_view text, TJCodeVote::TPairs pairs, std::vector<TLineSpan>* marked = nullptr,
    std::size_t parts = 0);

// Calls its argument for every line of a file in order; the decoder walks the lines twice.
using TLineWalk = std::function<void(const TLineSink&)>;

// A line as save sees it with what is known of its file: its form code (TFileForms; 0 for none) and
// whether the text ends after it without a line break.
using TFormedLineSink = std::function<void(std::string_view line, std::uint32_t form, bool endOfText)>;

// The editor's text as save sees it: each logical line in Shift_JIS, without its line break.
class TSaveLines {
public:
    virtual ~TSaveLines() = default;
    virtual void ForEachLine(const TLineSink& visit) const = 0;
    // The lines with their forms; lines that keep none give 0, and the last one is taken to end with a break.
    virtual void ForEachFormedLine(const TFormedLineSink& visit) const
    {
        ForEachLine([&](std::string_view line) { visit(line, 0, false); });
    }
    virtual std::size_t LineCount() const = 0;
    // The bytes of all lines together, breaks not counted.
    virtual std::size_t TextBytes() const = 0;
};

// TSaveLines over lines held in a vector.
class TVectorSaveLines : public TSaveLines {
public:
    explicit TVectorSaveLines(std::span<const std::string> lines)
        : lines_(lines)
    {
    }
    void ForEachLine(const TLineSink& visit) const override;
    std::size_t LineCount() const override { return lines_.size(); }
    std::size_t TextBytes() const override;

private:
    std::span<const std::string> lines_;
};

// How a file's lines are brought to Shift_JIS, and the document's codes that follow.
struct TLoadDecision {
    TLineSource source = TLineSource::lsKeep;
    TStatedCodes codes;
};

// The stated codes, or the vote of a pass over the lines and the line break within head (lines walked are never
// taken for UTF-8: only a whole file is).
TLoadDecision DecideLoad(const TLineWalk& walk, std::string_view head, std::optional<TStatedCodes> stated);
// The same on a file's bytes, where a file that IsUtf8File is UTF-8 before any vote; marked, when given,
// receives the lines the vote detected (nothing for stated codes or UTF-8): every other line is plain 7-bit
// text.
TLoadDecision DecideFileLoad(std::string_view bytes, std::optional<TStatedCodes> stated,
    const std::function<void(const char*)>& walked = {}, std::vector<TLineSpan>* marked = nullptr);
// A second pass: every line in Shift_JIS to sink; lines kept as they are go to it as the walk's views. UTF-8
// lines fill chars, the document's table of its own characters (bytes is the whole file, for the codes of
// the user-defined area it uses itself).
void DecodeDecidedLines(const TLineWalk& walk, TLineSource source, const TLineSink& sink,
    TDocumentChars* chars = nullptr, std::string_view bytes = {});

// The load path on lines walked by walk; head holds the file's first bytes for the line-break code.
TStatedCodes DecodeLinesTo(
    const TLineWalk& walk, std::string_view head, std::optional<TStatedCodes> stated, const TLineSink& sink);

// The load path on a file's bytes: splits them into lines, decides the codes (stated, or by the majority of
// line detections and from the first kRCodeSampleSize bytes) and hands each line, in Shift_JIS, to sink in
// order. Returns the document's jcode and rcode; a UTF-8 file fills chars.
TStatedCodes DecodeFileTo(std::string_view bytes, std::optional<TStatedCodes> stated, const TLineSink& sink,
    TDocumentChars* chars = nullptr);
TDecodedText DecodeFileBytes(std::string_view bytes, std::optional<TStatedCodes> stated = std::nullopt);

// The same on lines already split; head holds the file's first bytes.
TDecodedText DecodeLoadedLines(std::span<const std::string_view> lines, std::string_view head,
    std::optional<TStatedCodes> stated = std::nullopt);

// The line-break code of a file: that of the first break within its first kRCodeSampleSize bytes.
RCode DetectFileRCode(std::string_view fileBytes);

// The terminator written for an RCode; a document without one (0) is written with CR LF, so lines never join.
std::string_view LineTerminator(RCode rcode);

// One line of the editor's text converted from Shift_JIS to target, then its terminator. A line that
// detects as binary is written as it is (for EUC and JIS). UTF-8 takes the document's own characters from
// chars.
void AppendEncodedLine(std::string_view line, JCode target, RCode rcode, std::string& out,
    const TDocumentChars* chars = nullptr);
// The same without the terminator, JIS written with the escapes jis names.
void AppendEncodedText(std::string_view line, JCode target, std::string& out, const TDocumentChars* chars = nullptr,
    const TJisForms& jis = {});

// A line of a file decoded as source says and encoded to target, then its terminator: open and save
// joined, converting once where one of the codes is Shift_JIS. decoded is scratch space.
void AppendTranscodedLine(std::string_view line, TLineSource source, JCode target, RCode rcode,
    std::string& decoded, std::string& out);

// Receives bytes block by block, in order.
using TBlockSink = std::function<void(std::string_view)>;

// The bytes of a save handed to write in blocks of about kSaveBlockBytes (a longer line in one block): a
// buffer that stays in the cache is reused, where an image of the whole file would cost a page fault
// every 4 KB. UTF-8 starts with the byte-order mark when codes say so.
inline constexpr std::size_t kSaveBlockBytes = std::size_t {1} << 18;
// forms, when given, writes each line in the form its file had (TFileForms::AppendLine).
class TFileForms;
void EncodeFileBlocks(const TSaveLines& lines, const TStatedCodes& codes, const TDocumentChars& chars,
    const TBlockSink& write, const TFileForms* forms = nullptr);

// The same bytes as one file image, built in one buffer allocated once.
std::string EncodeFileImage(const TSaveLines& lines, JCode target, RCode rcode);
std::string EncodeFileImage(const TSaveLines& lines, const TStatedCodes& codes, const TDocumentChars& chars);
std::string EncodeLinesForSave(std::span<const std::string> lines, JCode target, RCode rcode);

} // namespace brenvik
