// The keyword list's order and its comma text.
#include "model/ExplorerKeywords.h"

#include <algorithm>

namespace brenvik {

std::string AddKeyword(std::vector<std::string>& keywords, std::string_view text)
{
    const std::string keyword(text.substr(0, text.find('\r')));
    if (keyword.empty())
        return {};
    std::erase(keywords, keyword);
    keywords.insert(keywords.begin(), keyword);
    if (keywords.size() > size_t(kKeywordCapacity))
        keywords.resize(size_t(kKeywordCapacity));
    return keyword;
}

namespace {

bool NeedsQuotes(std::string_view item)
{
    return std::any_of(item.begin(), item.end(),
        [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ','; });
}

bool IsBlank(char c)
{
    return static_cast<unsigned char>(c) <= ' ' && c != '\0';
}

} // namespace

std::string CommaText(const std::vector<std::string>& items)
{
    if (items.size() == 1 && items.front().empty())
        return "\"\"";
    std::string text;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            text += ',';
        const std::string& item = items[i];
        if (!NeedsQuotes(item)) {
            text += item;
            continue;
        }
        text += '"';
        for (char c : item) {
            text += c;
            if (c == '"')
                text += '"';
        }
        text += '"';
    }
    return text;
}

std::vector<std::string> SplitCommaText(std::string_view text)
{
    std::vector<std::string> items;
    size_t i = 0;
    const auto skipBlanks = [&] {
        while (i < text.size() && IsBlank(text[i]))
            ++i;
    };
    skipBlanks();
    while (i < text.size()) {
        std::string item;
        if (text[i] == '"') {
            ++i;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        item += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                item += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && !IsBlank(text[i]))
                item += text[i++];
        }
        items.push_back(std::move(item));
        skipBlanks();
        if (i < text.size() && text[i] == ',') {
            ++i;
            skipBlanks();
            // A trailing comma leaves one empty item after it.
            if (i == text.size())
                items.emplace_back();
        }
    }
    return items;
}

} // namespace brenvik
