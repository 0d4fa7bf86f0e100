// The quoting rules of the builder's four forms.
#include "app/PrintStatements.h"

#include "support/DoubleByte.h"
#include "support/LineBreaks.h"

#include <algorithm>

namespace brenvik {

namespace {

constexpr std::string_view kCrLf = "\r\n";

constexpr bool IsTrailByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

// How one line is quoted for one form.
struct TQuoting {
    char Quote = 0; // escaped unless the user escaped it already; 0: none
    bool LiteralBackslashes = false; // every ASCII backslash doubled (single quotes)
    bool GuardArrays = false; // a trail byte "@" must not start an array name
    bool CloseOddRun = false; // a line ending in an odd run of backslashes gets one more
};

constexpr TQuoting kDoubleQuoted {'"', false, true, true};
constexpr TQuoting kSingleQuoted {'\'', true, false, false};
constexpr TQuoting kHereDouble {0, false, true, true};

// After a trail byte "@" Perl would read an array name unless a lead byte, a blank or the end
// of the line follows.
bool ArraySafeAt(std::string_view line, std::size_t i)
{
    if (i >= line.size())
        return true;
    const auto byte = static_cast<unsigned char>(line[i]);
    return byte == ' ' || byte == '\t' || IsLeadByte(byte);
}

std::string Quoted(std::string_view line, const TQuoting& rules)
{
    std::string out;
    out.reserve(line.size() + 8);
    int run = 0; // ASCII backslashes right before the current byte
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        if (IsLeadByte(byte) && i + 1 < line.size() && IsTrailByte(static_cast<unsigned char>(line[i + 1]))) {
            const char trail = line[++i];
            out += line[i - 1];
            out += trail;
            run = 0;
            if (trail == '\\')
                out += '\\'; // 83 5C 5C: Perl prints 83 5C
            else if (trail == '@' && rules.GuardArrays && !ArraySafeAt(line, i + 1))
                out += "\\Q\\E"; // ends the name before it starts, without a warning
            continue;
        }
        if (byte == '\\') {
            out += rules.LiteralBackslashes ? "\\\\" : "\\";
            ++run;
            continue;
        }
        if (rules.Quote != 0 && line[i] == rules.Quote && (rules.LiteralBackslashes || run % 2 == 0))
            out += '\\';
        out += line[i];
        run = 0;
    }
    if (rules.CloseOddRun && run % 2 == 1)
        out += '\\';
    return out;
}

void AppendLine(std::string& text, std::string_view alignment, std::string_view line)
{
    text += alignment;
    text += line;
    text += kCrLf;
}

} // namespace

std::vector<std::string> BuilderLines(std::string_view text)
{
    std::vector<std::string> lines;
    ForEachLine(text, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
}

std::string HereDocTerminator(const std::vector<std::string>& body)
{
    std::string terminator = "EOM";
    for (int n = 1; std::find(body.begin(), body.end(), terminator) != body.end(); ++n)
        terminator = "EOM" + std::to_string(n);
    return terminator;
}

std::string PrintStatements(
    const std::vector<std::string>& lines, TPrintForm form, std::string_view alignment)
{
    std::string text;
    if (lines.empty())
        return text;
    if (form == TPrintForm::pfHereDouble || form == TPrintForm::pfHereSingle) {
        std::vector<std::string> body;
        body.reserve(lines.size());
        for (const std::string& line : lines)
            body.push_back(form == TPrintForm::pfHereDouble ? Quoted(line, kHereDouble) : line);
        const std::string terminator = HereDocTerminator(body);
        const char quote = form == TPrintForm::pfHereDouble ? '"' : '\'';
        AppendLine(text, {}, "print <<" + (quote + terminator) + quote + ";");
        for (const std::string& line : body)
            AppendLine(text, {}, line);
        AppendLine(text, {}, terminator);
        return text;
    }
    const bool single = form == TPrintForm::pfSingleQuoted;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string body = Quoted(lines[i], single ? kSingleQuoted : kDoubleQuoted);
        // Single quotes know no "\n": the line break is a double-quoted string of its own.
        AppendLine(text, i == 0 ? std::string_view {} : alignment,
            single ? "print '" + body + "' . \"\\n\" ;" : "print \"" + body + "\\n\" ;");
    }
    return text;
}

} // namespace brenvik
