// The file-level load and save rules on top of the string converters.
#include "jcode/LineCodec.h"

#include "support/LineBreaks.h"

#include <algorithm>
#include <cassert>

namespace brenvik {

void TJCodeVote::Add(std::string_view line)
{
    switch (DetectJCode(line)) {
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

TLineSource TJCodeVote::Source() const
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
    return TLineSource::lsEachLine; // a tie, or no line that counts
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

[[maybe_unused]] bool IsDocumentJCode(JCode jcode)
{
    return jcode == jcJis || jcode == jcEuc || jcode == jcSjis;
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
    }
}

// forEachLine(f) calls f for every line of the file in order; it is walked twice when the codes are detected.
template <class ForEachLine>
TStatedCodes DecodeLines(
    ForEachLine forEachLine, std::string_view head, std::optional<TStatedCodes> stated, const TLineSink& sink)
{
    std::string decoded;
    if (stated) {
        assert(IsDocumentJCode(stated->jcode) && stated->rcode >= rcCrLf && stated->rcode <= rcLf);
        forEachLine([&](std::string_view line) {
            decoded.clear();
            AppendConvertedFrom(line, stated->jcode, jcSjis, decoded);
            sink(decoded);
        });
        return *stated;
    }
    TJCodeVote vote;
    forEachLine([&](std::string_view line) { vote.Add(line); });
    const TLineSource source = vote.Source();
    forEachLine([&](std::string_view line) {
        if (source == TLineSource::lsKeep) {
            sink(line);
            return;
        }
        decoded.clear();
        AppendDecodedLine(line, source, decoded);
        sink(decoded);
    });
    return {vote.FileJCode(), DetectFileRCode(head)};
}

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

TStatedCodes DecodeFileTo(std::string_view bytes, std::optional<TStatedCodes> stated, const TLineSink& sink)
{
    return DecodeLines([&](auto&& onLine) { ForEachLine(bytes, onLine); }, bytes, stated, sink);
}

TDecodedText DecodeFileBytes(std::string_view bytes, std::optional<TStatedCodes> stated)
{
    return CollectLines(
        bytes.size() / 32, [&](const TLineSink& sink) { return DecodeFileTo(bytes, stated, sink); });
}

TDecodedText DecodeLoadedLines(
    std::span<const std::string_view> lines, std::string_view head, std::optional<TStatedCodes> stated)
{
    auto forEachLine = [&](auto&& onLine) {
        for (std::string_view line : lines) {
            onLine(line);
        }
    };
    return CollectLines(
        lines.size(), [&](const TLineSink& sink) { return DecodeLines(forEachLine, head, stated, sink); });
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

void AppendEncodedLine(std::string_view line, JCode target, RCode rcode, std::string& out)
{
    AppendConvertedFrom(line, DetectJCode(line), target, out, TKanjiEnd::keClose);
    out.append(LineTerminator(rcode));
}

std::string EncodeLinesForSave(std::span<const std::string> lines, JCode target, RCode rcode)
{
    std::size_t size = 0;
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    std::string out;
    out.reserve(size + size / 8);
    for (const std::string& line : lines) {
        AppendEncodedLine(line, target, rcode, out);
    }
    return out;
}

} // namespace brenvik
