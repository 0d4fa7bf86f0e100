// Byte form of the Perl tokenizer's open constructs, as the row list's context table holds them.
#include "highlight/PERLOpenConstructs.h"

namespace brenvik {

namespace {

enum : unsigned char {
    kInBody = 1,
    kPod = 2,
    kPodEnds = 4,
    kData = 8,
    kQuote = 16,
    kSecondPart = 32,
    kAwaitingSecond = 64,
    kEscaped = 128,
};

void PutLength(std::string& out, std::size_t value)
{
    out += static_cast<char>((value >> 8) & 0xFF);
    out += static_cast<char>(value & 0xFF);
}

class TReader {
public:
    explicit TReader(std::string_view bytes)
        : FBytes(bytes)
    {
    }
    bool Ok() const { return FOk; }
    unsigned char Byte()
    {
        if (FPosition >= FBytes.size()) {
            FOk = false;
            return 0;
        }
        return static_cast<unsigned char>(FBytes[FPosition++]);
    }
    int Length()
    {
        const int high = Byte();
        return high << 8 | Byte();
    }
    std::string_view Take(std::size_t count)
    {
        if (FBytes.size() - FPosition < count) {
            FOk = false;
            return {};
        }
        const std::string_view taken = FBytes.substr(FPosition, count);
        FPosition += count;
        return taken;
    }
    bool AtEnd() const { return FPosition >= FBytes.size(); }

private:
    std::string_view FBytes;
    std::size_t FPosition = 0;
    bool FOk = true;
};

} // namespace

std::string TPerlOpenConstructs::Encode() const
{
    unsigned char flags = (InBody ? kInBody : 0) | (Pod ? kPod : 0) | (PodEndsWithLine ? kPodEnds : 0)
        | (DataSection ? kData : 0);
    if (QuoteOpen)
        flags |= kQuote | (Quote.SecondPart ? kSecondPart : 0) | (Quote.AwaitingSecond ? kAwaitingSecond : 0)
            | (Quote.Escaped ? kEscaped : 0);
    if (flags == 0 && HereDocuments.empty())
        return {};
    std::string out(1, static_cast<char>(flags));
    if (QuoteOpen) {
        out += Quote.Operator;
        out += static_cast<char>(Quote.Open);
        out += static_cast<char>(Quote.Close);
        PutLength(out, static_cast<std::size_t>(Quote.Depth));
    }
    if (DataSection)
        out += static_cast<char>(AfterEnd ? 1 : 0);
    for (const TPerlHereDocument& document : HereDocuments) {
        out += static_cast<char>((document.Interpolating ? 1 : 0) | (document.Indented ? 2 : 0));
        PutLength(out, document.Terminator.size());
        out += document.Terminator;
    }
    return out;
}

TPerlOpenConstructs TPerlOpenConstructs::Decode(std::string_view bytes)
{
    TPerlOpenConstructs open;
    if (bytes.empty())
        return open;
    TReader reader(bytes);
    const unsigned char flags = reader.Byte();
    open.InBody = (flags & kInBody) != 0;
    open.Pod = (flags & kPod) != 0;
    open.PodEndsWithLine = (flags & kPodEnds) != 0;
    open.DataSection = (flags & kData) != 0;
    open.QuoteOpen = (flags & kQuote) != 0;
    if (open.QuoteOpen) {
        open.Quote.Operator = static_cast<char>(reader.Byte());
        open.Quote.Open = reader.Byte();
        open.Quote.Close = reader.Byte();
        open.Quote.Depth = reader.Length();
        open.Quote.SecondPart = (flags & kSecondPart) != 0;
        open.Quote.AwaitingSecond = (flags & kAwaitingSecond) != 0;
        open.Quote.Escaped = (flags & kEscaped) != 0;
    }
    if (open.DataSection)
        open.AfterEnd = reader.Byte() != 0;
    while (reader.Ok() && !reader.AtEnd()) {
        TPerlHereDocument document;
        const unsigned char kind = reader.Byte();
        document.Interpolating = (kind & 1) != 0;
        document.Indented = (kind & 2) != 0;
        document.Terminator = std::string(reader.Take(static_cast<std::size_t>(reader.Length())));
        if (reader.Ok())
            open.HereDocuments.push_back(std::move(document));
    }
    return reader.Ok() ? open : TPerlOpenConstructs {};
}

} // namespace brenvik
