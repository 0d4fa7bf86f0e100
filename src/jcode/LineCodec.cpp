// The file-level load and save rules on top of the string converters.
#include "jcode/LineCodec.h"

#include "jcode/ByteSearch.h"
#include "jcode/FileForms.h"
#include "jcode/KanjiFrequency.h"
#include "jcode/OwnChars.h"
#include "jcode/TextParts.h"
#include "jcode/Utf8Codec.h"
#include "support/LineBreaks.h"

#include <algorithm>
#include <cassert>

namespace brenvik {

void TJCodeVote::Add(std::string_view line)
{
    switch (DetectJCode(line)) {
    case jcUndecided:
        ++undecided_;
        if (countPairs_) {
            CountUndecidedPairs(line);
        }
        break;
    case jcJis:
    case jcOldJis:
        ++jis_;
        break;
    case jcEuc:
        ++euc_;
        break;
    case jcSjis:
        ++sjis_;
        break;
    default:
        break;
    }
}

void TJCodeVote::Merge(const TJCodeVote& other)
{
    jis_ += other.jis_;
    euc_ += other.euc_;
    sjis_ += other.sjis_;
    undecided_ += other.undecided_;
    pairs_ += other.pairs_;
    kanaPairs_ += other.kanaPairs_;
    commonPairs_ += other.commonPairs_;
}

std::optional<TLineSource> TJCodeVote::Winner() const
{
    if (jis_ > sjis_ && jis_ > euc_) {
        return TLineSource::lsJis;
    }
    if (euc_ > jis_ && euc_ > sjis_) {
        return TLineSource::lsEuc;
    }
    if (sjis_ > jis_ && sjis_ > euc_) {
        return TLineSource::lsKeep;
    }
    return std::nullopt;
}

// A tie, or no line that counts. Lines undecided between EUC and Shift_JIS would be left unconverted
// each on its own, so an EUC script whose kanji pairs are also valid Shift_JIS would open garbled:
// their bytes decide the whole file instead (JIS lines need their own).
bool TJCodeVote::TieDecidedByPairs() const
{
    return !Winner() && undecided_ > 0 && jis_ == 0;
}

bool TJCodeVote::NeedsPairs() const
{
    return !countPairs_ && TieDecidedByPairs();
}

TLineSource TJCodeVote::Source() const
{
    assert(!NeedsPairs());
    if (const std::optional<TLineSource> winner = Winner()) {
        return *winner;
    }
    if (TieDecidedByPairs()) {
        return UndecidedReadAsEuc() ? TLineSource::lsEuc : TLineSource::lsKeep;
    }
    return TLineSource::lsEachLine;
}

void TJCodeVote::CountUndecidedPairs(std::string_view line)
{
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(line.data());
    std::size_t i = 0;
    while (i < line.size()) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            ++i;
            continue;
        }
        if (b >= 0xA1 && b != 0xFF) {
            ++pairs_;
            const std::uint8_t trail = i + 1 < line.size() ? bytes[i + 1] : 0;
            if ((b == 0xA4 || b == 0xA5) && trail >= 0xA1 && trail <= 0xF6) {
                ++kanaPairs_;
            } else if (trail >= 0xA1 && IsCommonKanji(b & 0x7F, trail & 0x7F)) {
                ++commonPairs_;
            }
        }
        i += 2;
    }
}

bool TJCodeVote::UndecidedReadAsEuc() const
{
    // One pair in eight: ordinary EUC text has far more kana, half-width Shift_JIS text far fewer marks.
    // Without kana, one pair in two among the common kanji: half-width kana read as pairs hit them about
    // one time in ten.
    constexpr std::size_t kKanaShare = 8;
    constexpr std::size_t kCommonShare = 2;
    return (kanaPairs_ > 0 && kanaPairs_ * kKanaShare >= pairs_)
        || (commonPairs_ > 0 && commonPairs_ * kCommonShare >= pairs_);
}

JCode TJCodeVote::FileJCode() const
{
    switch (Source()) {
    case TLineSource::lsJis:
        return jcJis;
    case TLineSource::lsEuc:
        return jcEuc;
    default:
        return jcSjis;
    }
}

namespace {

// Codes that may be stated on open: the document codes, and the 1978 JIS escape read as JIS.
[[maybe_unused]] bool IsStatedJCode(JCode jcode)
{
    return jcode == jcJis || jcode == jcOldJis || jcode == jcEuc || jcode == jcSjis || jcode == jcUtf8;
}

void AppendDecodedLine(std::string_view line, TLineSource source, std::string& out)
{
    switch (source) {
    case TLineSource::lsJis:
        AppendConvertedFrom(line, jcJis, jcSjis, out);
        break;
    case TLineSource::lsEuc:
        AppendConvertedFrom(line, jcEuc, jcSjis, out);
        break;
    case TLineSource::lsKeep:
        out.append(line);
        break;
    case TLineSource::lsEachLine:
        AppendConvertedFrom(line, DetectJCode(line), jcSjis, out);
        break;
    case TLineSource::lsUtf8:
        // UTF-8 lines go through a TUtf8Decoder, which keeps the document's characters.
        assert(!"UTF-8 line decoded without its document");
        out.append(line);
        break;
    }
}

} // namespace

void TJCodeVote::AddLinesOf(
    std::string_view text, const std::function<void(const char*)>& walked, std::vector<TLineSpan>* marked)
{
    // A line without a byte that starts a detection rule detects as plain text and counts for
    // nothing, so only the lines around such bytes are cut out and detected.
    assert(!marked || text.size() < kMarkableBytes);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    std::size_t at = 0; // a line start, or the break before one
    while (at < text.size()) {
        const std::size_t hit = jcode_detail::FindRuleStartByte(bytes, at, text.size());
        if (hit == text.size()) {
            break;
        }
        const std::size_t start = jcode_detail::FindLineStart(bytes, at, hit);
        const std::size_t end = jcode_detail::FindLineBreakByte(bytes, hit, text.size());
        Add(text.substr(start, end - start));
        if (marked) {
            marked->push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end)});
        }
        if (walked) {
            walked(text.data() + end);
        }
        at = end;
    }
}

TJCodeVote VoteFileLines(std::string_view text, TJCodeVote::TPairs pairs, std::vector<TLineSpan>* marked,
    std::size_t parts)
{
    const std::vector<std::size_t> bounds = TextPartBounds(text, parts);
    std::vector<TJCodeVote> votes(bounds.size() - 1, TJCodeVote(pairs));
    // Part 0 marks straight into marked; the others into their own lists, joined after it.
    std::vector<std::vector<TLineSpan>> laterMarks(votes.size());
    ForEachTextPart(bounds, [&](std::size_t index, std::size_t from, std::size_t to) {
        std::vector<TLineSpan>* partMarks = marked;
        if (marked && index > 0) {
            partMarks = &laterMarks[index];
            partMarks->reserve((to - from) / 16);
        }
        votes[index].AddLinesOf(text.substr(from, to - from), {}, partMarks);
    });
    for (std::size_t index = 1; index < votes.size(); ++index) {
        votes.front().Merge(votes[index]);
        if (marked) {
            const auto base = static_cast<std::uint32_t>(bounds[index]);
            for (const TLineSpan& span : laterMarks[index]) {
                marked->push_back({span.start + base, span.end + base});
            }
        }
    }
    return votes.front();
}

namespace {

TLoadDecision StatedDecision(const TStatedCodes& stated)
{
    assert(IsStatedJCode(stated.jcode) && stated.rcode >= rcCrLf && stated.rcode <= rcLf);
    const bool jis = stated.jcode == jcJis || stated.jcode == jcOldJis;
    const TLineSource source = jis ? TLineSource::lsJis
        : stated.jcode == jcEuc    ? TLineSource::lsEuc
        : stated.jcode == jcUtf8   ? TLineSource::lsUtf8
                                   : TLineSource::lsKeep;
    // The document keeps JIS as 2: the 1978 escape is only ever read.
    return {source, {jis ? jcJis : stated.jcode, stated.rcode, stated.bom}};
}

TLoadDecision VotedDecision(const TJCodeVote& vote, std::string_view head)
{
    return {vote.Source(), {vote.FileJCode(), DetectFileRCode(head)}};
}

} // namespace

TLoadDecision DecideLoad(const TLineWalk& walk, std::string_view head, std::optional<TStatedCodes> stated)
{
    if (stated) {
        return StatedDecision(*stated);
    }
    TJCodeVote vote;
    walk([&](std::string_view line) { vote.Add(line); });
    return VotedDecision(vote, head);
}

TLoadDecision DecideFileLoad(std::string_view bytes, std::optional<TStatedCodes> stated,
    const std::function<void(const char*)>& walked, std::vector<TLineSpan>* marked)
{
    if (stated) {
        TLoadDecision decision = StatedDecision(*stated);
        decision.codes.bom = decision.source == TLineSource::lsUtf8 && bytes.starts_with(kUtf8Bom);
        return decision;
    }
    // Only when no Shift_JIS or EUC reading is near: UTF-8 with a few stray bytes (kept as they are).
    if (IsUtf8File(bytes) || IsNearUtf8File(bytes)) {
        return {TLineSource::lsUtf8, {jcUtf8, DetectFileRCode(bytes), bytes.starts_with(kUtf8Bom)}};
    }
    // A walk that is followed (the editor's open, which gives back the pages walked) goes in order;
    // otherwise the parts of a large file are voted side by side.
    auto voteLines = [&](TJCodeVote::TPairs pairs, std::vector<TLineSpan>* lines) {
        if (!walked) {
            return VoteFileLines(bytes, pairs, lines);
        }
        TJCodeVote vote(pairs);
        vote.AddLinesOf(bytes, walked, lines);
        return vote;
    };
    TJCodeVote vote = voteLines(TJCodeVote::vpSkip, marked);
    if (vote.NeedsPairs()) {
        vote = voteLines(TJCodeVote::vpCount, nullptr);
    }
    return VotedDecision(vote, bytes);
}

void DecodeDecidedLines(const TLineWalk& walk, TLineSource source, const TLineSink& sink,
    TDocumentChars* chars, std::string_view bytes)
{
    if (source == TLineSource::lsKeep) {
        walk(sink);
        return;
    }
    std::string decoded;
    if (source == TLineSource::lsUtf8) {
        TDocumentChars scratch;
        TUtf8Decoder decoder(chars ? *chars : scratch);
        decoder.ReserveUsedCodes(bytes);
        walk([&](std::string_view line) {
            decoded.clear();
            decoder.AppendLine(line, decoded);
            sink(decoded);
        });
        return;
    }
    walk([&](std::string_view line) {
        decoded.clear();
        AppendDecodedLine(line, source, decoded);
        sink(decoded);
    });
}

TStatedCodes DecodeLinesTo(
    const TLineWalk& walk, std::string_view head, std::optional<TStatedCodes> stated, const TLineSink& sink)
{
    const TLoadDecision decision = DecideLoad(walk, head, stated);
    DecodeDecidedLines(walk, decision.source, sink);
    return decision.codes;
}

namespace {

TDecodedText CollectLines(
    std::size_t expectedLines, const std::function<TStatedCodes(const TLineSink&)>& decode)
{
    TDecodedText text;
    text.Lines.reserve(expectedLines);
    const TStatedCodes codes = decode([&](std::string_view line) { text.Lines.emplace_back(line); });
    text.jcode = codes.jcode;
    text.rcode = codes.rcode;
    return text;
}

} // namespace

TStatedCodes DecodeFileTo(
    std::string_view bytes, std::optional<TStatedCodes> stated, const TLineSink& sink, TDocumentChars* chars)
{
    const TLoadDecision decision = DecideFileLoad(bytes, stated);
    DecodeDecidedLines(
        [&](const TLineSink& onLine) { ForEachLine(bytes, onLine); }, decision.source, sink, chars, bytes);
    return decision.codes;
}

TDecodedText DecodeFileBytes(std::string_view bytes, std::optional<TStatedCodes> stated)
{
    return CollectLines(
        bytes.size() / 32, [&](const TLineSink& sink) { return DecodeFileTo(bytes, stated, sink); });
}

TDecodedText DecodeLoadedLines(
    std::span<const std::string_view> lines, std::string_view head, std::optional<TStatedCodes> stated)
{
    auto walk = [&](const TLineSink& onLine) {
        for (std::string_view line : lines) {
            onLine(line);
        }
    };
    return CollectLines(
        lines.size(), [&](const TLineSink& sink) { return DecodeLinesTo(walk, head, stated, sink); });
}

RCode DetectFileRCode(std::string_view fileBytes)
{
    return DetectRCode(fileBytes.substr(0, std::min(fileBytes.size(), kRCodeSampleSize)));
}

std::string_view LineTerminator(RCode rcode)
{
    switch (rcode) {
    case rcCr:
        return "\r";
    case rcLf:
        return "\n";
    default:
        return "\r\n";
    }
}

void AppendTranscodedLine(
    std::string_view line, TLineSource source, JCode target, RCode rcode, std::string& decoded, std::string& out)
{
    assert(source != TLineSource::lsUtf8);
    if (target == jcSjis) {
        AppendDecodedLine(line, source, out);
        out.append(LineTerminator(rcode));
    } else if (source == TLineSource::lsKeep) {
        AppendEncodedLine(line, target, rcode, out);
    } else {
        decoded.clear();
        AppendDecodedLine(line, source, decoded);
        AppendEncodedLine(decoded, target, rcode, out);
    }
}

void AppendEncodedLine(
    std::string_view line, JCode target, RCode rcode, std::string& out, const TDocumentChars* chars)
{
    AppendEncodedText(line, target, out, chars);
    out.append(LineTerminator(rcode));
}

void AppendEncodedText(
    std::string_view line, JCode target, std::string& out, const TDocumentChars* chars, const TJisForms& jis)
{
    // The editor's text is Shift_JIS whatever the file was: every line converts from there.
    if (target == jcUtf8) {
        static const TDocumentChars kNone;
        AppendSjisToUtf8(line, chars ? *chars : kNone, out);
        return;
    }
    std::string shared;
    if (chars) {
        line = WithSharedCodes(line, *chars, shared);
    }
    if (target == jcSjis || DetectJCode(line) == jcBinary) {
        out.append(line);
    } else {
        AppendConvertedFrom(line, jcSjis, target, out, TKanjiEnd::keClose, jis);
    }
}

namespace {

// What converting a line from Shift_JIS to target can add to its length: a half-width kana gains
// its single-shift byte or becomes a two-byte character, and a JIS run of non-ASCII bytes gains
// its two escapes.
std::size_t GrowthBound(std::string_view line, JCode target)
{
    constexpr std::size_t kEscapesPerRun = 6;
    std::size_t growth = 0;
    bool inHighRun = false;
    for (const char c : line) {
        const auto b = static_cast<std::uint8_t>(c);
        growth += b >= 0xA1 && b <= 0xDF;
        if (target == jcJis && b >= 0x80 && !inHighRun) {
            growth += kEscapesPerRun;
        }
        inHighRun = b >= 0x80;
    }
    return growth;
}

} // namespace

namespace {

// Every line encoded onto out with its terminator, after the byte-order mark when one is asked for;
// afterLine is called after each line.
template <class AfterLine>
void EncodeLines(const TSaveLines& lines, const TStatedCodes& codes, const TDocumentChars& chars, std::string& out,
    AfterLine afterLine)
{
    if (codes.jcode == jcUtf8 && codes.bom) {
        out.append(kUtf8Bom);
    }
    lines.ForEachLine([&](std::string_view line) {
        AppendEncodedLine(line, codes.jcode, codes.rcode, out, &chars);
        afterLine();
    });
}

} // namespace

void EncodeFileBlocks(const TSaveLines& lines, const TStatedCodes& codes, const TDocumentChars& chars,
    const TBlockSink& write, const TFileForms* forms)
{
    std::string out;
    out.reserve(2 * kSaveBlockBytes);
    auto writeFull = [&] {
        if (out.size() >= kSaveBlockBytes) {
            write(out);
            out.clear();
        }
    };
    if (forms) {
        if (codes.jcode == jcUtf8 && codes.bom) {
            out.append(kUtf8Bom);
        }
        lines.ForEachFormedLine([&](std::string_view line, std::uint32_t form, bool endOfText) {
            forms->AppendLine(line, form, endOfText, codes, chars, out);
            writeFull();
        });
    } else {
        EncodeLines(lines, codes, chars, out, writeFull);
    }
    if (!out.empty()) {
        write(out);
    }
}

std::string EncodeFileImage(const TSaveLines& lines, const TStatedCodes& codes, const TDocumentChars& chars)
{
    const JCode target = codes.jcode;
    std::size_t size = lines.TextBytes() + lines.LineCount() * LineTerminator(codes.rcode).size() + kUtf8Bom.size();
    if (target == jcEuc || target == jcJis) {
        lines.ForEachLine([&](std::string_view line) { size += GrowthBound(line, target); });
    } else if (target == jcUtf8) {
        lines.ForEachLine([&](std::string_view line) { size += Utf8GrowthBound(line); });
    }
    std::string out;
    out.reserve(size);
    [[maybe_unused]] const char* const buffer = out.data();
    EncodeLines(lines, codes, chars, out, [] {});
    assert(out.data() == buffer); // the bound held: the image was never moved
    return out;
}

std::string EncodeFileImage(const TSaveLines& lines, JCode target, RCode rcode)
{
    return EncodeFileImage(lines, {target, rcode, false}, TDocumentChars());
}

void TVectorSaveLines::ForEachLine(const TLineSink& visit) const
{
    for (const std::string& line : lines_) {
        visit(line);
    }
}

std::size_t TVectorSaveLines::TextBytes() const
{
    std::size_t bytes = 0;
    for (const std::string& line : lines_) {
        bytes += line.size();
    }
    return bytes;
}

std::string EncodeLinesForSave(std::span<const std::string> lines, JCode target, RCode rcode)
{
    return EncodeFileImage(TVectorSaveLines(lines), target, rcode);
}

} // namespace brenvik
