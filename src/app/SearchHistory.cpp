// History entries, the initial text and the check that a typed text can be searched.
#include "app/SearchHistory.h"

#include "jcode/SjisUnicode.h"

#include <QStringList>

#include <algorithm>

namespace brenvik {

TSearchHistory::TSearchHistory(const QStringList& texts)
{
    for (auto it = texts.rbegin(); it != texts.rend(); ++it)
        PutFirst({*it, {}});
}

QStringList TSearchHistory::Texts() const
{
    QStringList texts;
    for (const THistoryEntry& entry : FEntries)
        texts.append(entry.Text);
    return texts;
}

void TSearchHistory::PutFirst(THistoryEntry entry)
{
    const auto same = [&entry](const THistoryEntry& other) { return other.Text == entry.Text; };
    const auto found = std::find_if(FEntries.begin(), FEntries.end(), same);
    if (found != FEntries.end() && entry.Bytes.empty())
        entry.Bytes = found->Bytes;
    std::erase_if(FEntries, same);
    FEntries.insert(FEntries.begin(), std::move(entry));
    while (FEntries.size() > std::size_t(HistoryMax))
        FEntries.pop_back();
}

std::optional<std::string> TSearchHistory::BytesOf(const QString& text) const
{
    for (const THistoryEntry& entry : FEntries)
        if (entry.Text == text && !entry.Bytes.empty())
            return entry.Bytes;
    return std::nullopt;
}

std::string InitialSearchBytes(std::string_view selection)
{
    const std::size_t lineEnd = selection.find_first_of("\r\n");
    const std::string_view line = selection.substr(0, lineEnd);
    if (line.size() > std::size_t(InitialTextMaxBytes))
        return {};
    return std::string(line);
}

std::optional<QString> FirstUnencodable(const QString& text, const TDocumentChars& chars)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype units = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate() ? 2 : 1;
        const QString character = text.mid(i, units);
        // A lone surrogate is refused here: the encoder would keep it back as the start of a
        // pair and drop it without an error.
        if (character[0].isSurrogate() && units == 1)
            return character;
        if (!UnicodeToSjis(character, chars))
            return character;
        i += units - 1;
    }
    return std::nullopt;
}

QString UnencodableMessage(const QString& character)
{
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                : char32_t(character[0].unicode());
    const QString shown = character.size() == 1 && character[0].isSurrogate() ? QString() : character;
    return QStringLiteral("「%1」(U+%2) は Shift_JIS で表せないため、検索・置換に使えません。")
        .arg(shown, QString::number(uint(code), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

} // namespace brenvik
