// Parsing walks characters, so that a trail byte 0x5C or 0x24 is never read as \ or $.
#include "search/RegexReplacement.h"

#include "support/LeadByte.h"

#include <algorithm>

namespace brenvik {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::size_t CharSize(std::string_view text, std::size_t pos)
{
    return IsLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

} // namespace

TRegexReplacement::TRegexReplacement(std::string_view replacement, const TRegexPattern& pattern, std::string_view lineBreak)
{
    const int groupCount = pattern.GroupCount();
    std::size_t pos = 0;
    while (pos < replacement.size() && error_.empty()) {
        const char c = replacement[pos];
        const char next = pos + 1 < replacement.size() ? replacement[pos + 1] : '\0';
        if (c == '\\' && (next == 'n' || next == 't' || next == '\\' || next == '$')) {
            AddText(next == 'n' ? lineBreak : next == 't' ? "\t" : std::string_view(&replacement[pos + 1], 1));
            pos += 2;
        } else if (c == '$' && IsDigit(next)) {
            const int number = next - '0';
            if (number > groupCount)
                error_ = replacement.substr(pos, 2);
            AddGroups({number});
            pos += 2;
        } else if (c == '$' && next == '&') {
            AddGroups({0});
            pos += 2;
        } else if (c == '$' && next == '{') {
            const std::size_t close = replacement.find('}', pos + 2);
            const std::string_view name = close == std::string_view::npos
                ? std::string_view()
                : replacement.substr(pos + 2, close - pos - 2);
            const bool numeric = !name.empty() && std::all_of(name.begin(), name.end(), IsDigit);
            std::vector<int> groups;
            if (numeric && name.size() <= 4 && std::stoi(std::string(name)) <= groupCount)
                groups = {std::stoi(std::string(name))};
            else if (!numeric)
                groups = pattern.GroupNumbers(name);
            if (groups.empty()) {
                error_ = replacement.substr(pos, close == std::string_view::npos ? std::string_view::npos : close + 1 - pos);
                break;
            }
            AddGroups(std::move(groups));
            pos = close + 1;
        } else {
            const std::size_t size = CharSize(replacement, pos);
            AddText(replacement.substr(pos, size));
            pos += size;
        }
    }
    if (!error_.empty())
        pieces_.clear();
}

void TRegexReplacement::AddText(std::string_view text)
{
    if (pieces_.empty() || !pieces_.back().Groups.empty())
        pieces_.emplace_back();
    pieces_.back().Text += text;
}

void TRegexReplacement::AddGroups(std::vector<int> groups)
{
    pieces_.push_back({{}, std::move(groups)});
}

std::string TRegexReplacement::Message(std::string_view referenceUtf8) const
{
    return "置換文字列の " + std::string(referenceUtf8) + " に当たるグループがありません";
}

void TRegexReplacement::AppendTo(std::string& out, std::string_view text, const TRegexMatch& match) const
{
    for (const TPiece& piece : pieces_) {
        out += piece.Text;
        // Of groups sharing a name, the last one that took part.
        for (auto group = piece.Groups.rbegin(); group != piece.Groups.rend(); ++group) {
            if (*group >= static_cast<int>(match.Groups.size()) || match.Groups[*group].first < 0)
                continue;
            const auto [start, end] = match.Groups[*group];
            out.append(text.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(end - start)));
            break;
        }
    }
}

std::string TRegexReplacement::Expand(std::string_view text, const TRegexMatch& match) const
{
    std::string out;
    AppendTo(out, text, match);
    return out;
}

} // namespace brenvik
