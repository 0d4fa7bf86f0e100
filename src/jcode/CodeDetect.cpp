// Character-code detection: a bounded binary pre-scan, then a walk that stops at the first decisive byte.
#include "jcode/CodeDetect.h"

#include "jcode/ByteSearch.h"
#include "jcode/Bytes.h"

#include <algorithm>

namespace brenvik {

using namespace jcode_detail;

namespace {

bool IsBinaryByte(std::uint8_t b)
{
    return b < 8 || b == 0xFF;
}

// The scan position and the verdict so far; rules consume bytes by moving `at`.
struct TScan {
    std::string_view text;
    std::size_t at = 0;
    JCode result = jcNone;

    std::uint8_t Next() { return ByteAt(text, at++); }
};

void ScanEscape(TScan& scan)
{
    const std::uint8_t kind = scan.Next();
    // JIS X 0201 kana, which 7-bit JIS writes for half-width katakana.
    if (kind == '(' && ByteAt(scan.text, scan.at) == 'I') {
        scan.result = jcJis;
        return;
    }
    if (kind != '$') {
        return;
    }
    const std::uint8_t final = scan.Next();
    if (final == 'B') {
        scan.result = jcJis;
    } else if (final == '@') {
        scan.result = jcOldJis;
    }
}

void ScanAfterSs2(TScan& scan)
{
    const std::uint8_t d = scan.Next();
    if (InRange(d, 0x40, 0x7E) || InRange(d, 0x80, 0xA0) || InRange(d, 0xE0, 0xFC)) {
        scan.result = jcSjis;
    } else if (InRange(d, 0xA1, 0xDF)) {
        scan.result = jcUndecided;
    }
}

// After a kana-range byte and a trail in 0xE0..0xEF: the run up to the next byte below 0x40 may still decide.
void ScanUndecidedRun(TScan& scan)
{
    while (scan.at < scan.text.size() && scan.result == jcUndecided) {
        const std::uint8_t b = scan.Next();
        if (b < 0x40) {
            return;
        }
        if (InRange(b, 0x81, 0x8D) || InRange(b, 0x8F, 0x9C)) {
            scan.result = jcSjis;
        } else if (InRange(b, 0xFD, 0xFE)) {
            scan.result = jcEuc;
        }
    }
}

void ScanAfterKanaByte(TScan& scan)
{
    const std::uint8_t d = scan.Next();
    if (InRange(d, 0xF0, 0xFE)) {
        scan.result = jcEuc;
    } else if (InRange(d, 0xA1, 0xDF)) {
        scan.result = jcUndecided;
    } else if (InRange(d, 0xE0, 0xEF)) {
        scan.result = jcUndecided;
        ScanUndecidedRun(scan);
    } else if (d <= 0x9F) {
        scan.result = jcSjis;
    }
}

void ScanAfterE0Lead(TScan& scan)
{
    const std::uint8_t d = scan.Next();
    if (InRange(d, 0x40, 0x7E) || InRange(d, 0x80, 0xA0)) {
        scan.result = jcSjis;
    } else if (InRange(d, 0xFD, 0xFE)) {
        scan.result = jcEuc;
    } else if (InRange(d, 0xA1, 0xFC)) {
        scan.result = jcUndecided;
    }
}

void ScanRule(TScan& scan)
{
    const std::uint8_t c = scan.Next();
    if (c == kEsc) {
        ScanEscape(scan);
    } else if (IsBinaryByte(c)) {
        scan.result = jcBinary;
    } else if (c <= 0x7F) {
        return;
    } else if (InRange(c, 0x81, 0x8D) || InRange(c, 0x8F, 0x9F)) {
        scan.result = jcSjis;
    } else if (c == kSs2) {
        ScanAfterSs2(scan);
    } else if (InRange(c, 0xA1, 0xDF)) {
        ScanAfterKanaByte(scan);
    } else if (InRange(c, 0xF0, 0xFE)) {
        scan.result = jcEuc;
    } else if (InRange(c, 0xE0, 0xEF)) {
        ScanAfterE0Lead(scan);
    }
}

} // namespace

JCode DetectJCode(std::string_view text)
{
    // No rule starts at the last byte: it is read only as the second byte of a pair.
    const std::size_t n = text.size();
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
    const std::size_t preScanEnd = n == 0 ? 0 : std::min(kBinaryScanLimit, n - 1);
    if (FindBinaryByte(bytes, 0, preScanEnd) < preScanEnd) {
        return jcBinary;
    }
    TScan scan {text};
    while ((scan.result == jcNone || scan.result == jcUndecided) && scan.at + 1 < n) {
        // Japanese text holds runs of rule bytes: the next one is tested before searching for it.
        if (!IsRuleStartByte(bytes[scan.at])) {
            scan.at = FindRuleStartByte(bytes, scan.at, n - 1);
        }
        if (scan.at + 1 < n) {
            ScanRule(scan);
        }
    }
    return scan.result;
}

RCode DetectRCode(std::string_view text)
{
    const std::size_t i = text.find_first_of("\r\n");
    if (i == std::string_view::npos) {
        return rcNone;
    }
    if (text[i] == '\n') {
        return rcLf;
    }
    return ByteAt(text, i + 1) == kLf ? rcCrLf : rcCr;
}

} // namespace brenvik
