// Marks on logical lines, of several kinds (the user's bookmarks, the lines a syntax check
// found wrong), drawn in the editor's left bar. Marks follow their lines through edits and undo:
// lines put in or taken out above a mark move it; a line taken out takes its mark with it; a line
// only edited keeps its mark; a load or a clear of the whole text drops every mark.
#pragma once

#include "text/LineEditListener.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace brenvik {

class TEditorScreenStrings;

enum class TMarkKind : std::uint8_t {
    Bookmark,
    SyntaxError,
};
constexpr int kMarkKindCount = 2;

// Invariant: each kind's lines are ascending, unique and >= 0.
class TMarkedLines final : public TLineEditListener {
public:
    TMarkedLines() = default;
    ~TMarkedLines() override;
    TMarkedLines(const TMarkedLines&) = delete;
    TMarkedLines& operator=(const TMarkedLines&) = delete;

    // Follows the lines of rows from now on (none: null); marks are kept.
    void Attach(TEditorScreenStrings* rows);

    // Lines are 0-based logical lines.
    const std::vector<int>& Lines(TMarkKind kind) const { return FLines[Index(kind)]; }
    // Replaces the marks of kind; lines may come in any order, repeated; negative ones and, when
    // attached, those past the last line are dropped.
    void SetLines(TMarkKind kind, std::vector<int> lines);
    bool Has(TMarkKind kind, int line) const;
    // Marks line when unmarked, else unmarks it; returns whether it is marked now.
    bool Toggle(TMarkKind kind, int line);
    void Clear(TMarkKind kind);
    // One bit (1 << kind) for each kind marking line.
    unsigned KindsAt(int line) const;
    bool Empty() const;

    // The nearest marked line after (before) line, going round past the end (start); line itself
    // only when it is the only mark. None without marks of kind.
    std::optional<int> Next(TMarkKind kind, int line) const;
    std::optional<int> Previous(TMarkKind kind, int line) const;

    // Run after SetLines, Toggle and Clear change something (edits move marks with the rows,
    // and the rows' repaint shows them).
    std::function<void()> OnChange;

    // TLineEditListener.
    void LinesReplaced(int first, std::string_view before, std::string_view after) override;
    void TextReplaced() override;

private:
    static std::size_t Index(TMarkKind kind) { return static_cast<std::size_t>(kind); }
    void Changed();

    TEditorScreenStrings* FRows = nullptr;
    std::array<std::vector<int>, kMarkKindCount> FLines;
};

} // namespace brenvik
