// A history of search or replacement texts, newest first, each entry with the Shift_JIS bytes it
// stands for, so that a text taken from the editor is searched with its own bytes.
#pragma once

#include "jcode/DocumentChars.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace brenvik {

inline constexpr int HistoryMax = 32;
// An editor selection longer than this is not offered as the initial text.
inline constexpr int InitialTextMaxBytes = 1000;

struct THistoryEntry {
    QString Text;
    std::string Bytes; // empty: none known yet, the text is encoded when used
};

// Invariant: no two entries have the same text; at most HistoryMax entries.
class TSearchHistory {
public:
    TSearchHistory() = default;
    explicit TSearchHistory(const QStringList& texts);

    const std::vector<THistoryEntry>& Entries() const { return FEntries; }
    QStringList Texts() const;
    // Puts entry first; an entry with the same text leaves its place (keeping its bytes when
    // entry has none).
    void PutFirst(THistoryEntry entry);
    // The bytes stored with text, if any entry has them.
    std::optional<std::string> BytesOf(const QString& text) const;

private:
    std::vector<THistoryEntry> FEntries;
};

// The part of an editor selection offered as the initial search text: up to its first line
// break, nothing when that is longer than InitialTextMaxBytes.
std::string InitialSearchBytes(std::string_view selection);

// The first character of text that has no Shift_JIS form in the document (code page 932, or the
// document's own table: a UTF-8 script's characters without a code of their own), a lone
// surrogate counting as one; or none. And the message that names it.
std::optional<QString> FirstUnencodable(const QString& text, const TDocumentChars& chars);
QString UnencodableMessage(const QString& character);

} // namespace brenvik
