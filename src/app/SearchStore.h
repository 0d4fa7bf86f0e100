// The find and replace dialogs' memory between runs: options, direction and the two histories,
// in the per-user settings store both dialogs share.
#pragma once

#include <QString>
#include <QStringList>

#include <memory>

class QSettings;

namespace brenvik {

struct TSearchOptions {
    bool MatchCase = false;
    bool WholeWord = false;
    bool NoMatchZenkaku = false;
    bool IncludeCRLF = false;
    bool Down = true;
    bool RegExp = false;
    friend bool operator==(const TSearchOptions&, const TSearchOptions&) = default;
};

// A missing or unreadable store, or a value that is not one the dialogs write, reads as the
// defaults: "1" alone is checked, anything but "0" is down, a history keeps its first 32
// non-empty entries.
class TSearchStore {
public:
    static constexpr const char* SearchItems = "SearchItems";
    static constexpr const char* ReplaceItems = "ReplaceItems";

    TSearchStore();
    ~TSearchStore();

    TSearchOptions ReadOptions() const;
    void WriteOptions(const TSearchOptions& options);
    QStringList ReadItems(const char* section) const;
    // Entries holding a line break are not stored: they would come back as two.
    void WriteItems(const char* section, const QStringList& items);
    void Sync();

private:
    std::unique_ptr<QSettings> FSettings;
};

// The stored form of a history: each entry followed by CR LF; and back.
QString JoinItems(const QStringList& items);
QStringList SplitItems(const QString& text);

} // namespace brenvik
