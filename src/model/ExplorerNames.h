// The four name lists of the explorer, built from the script by the editor's Perl tokenizer:
// scalars, arrays and hashes without their sigil, and the names that follow "sub". Names are
// bytes, unique by bytes; a sorted list follows the locale's case-sensitive order (then bytes),
// an unsorted one the order of first appearance.
#pragma once

#include "model/ExplorerLines.h"

#include <QLocale>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace brenvik {

class TEditorScreenStrings;
class TFountain;
class TFountainParser;

enum TExplorerList : int { elSubRoutine = 0, elVariable = 1, elArrangement = 2, elAssocArr = 3 };
constexpr int kExplorerListCount = 4;

using TExplorerNames = std::array<std::vector<std::string>, kExplorerListCount>;
using TExplorerSorted = std::array<bool, kExplorerListCount>;

// Sorts names in place by the locale's case-sensitive collation, equal keys by bytes.
void SortNames(std::vector<std::string>& names, const QLocale& locale = QLocale::system());

// Unique names in the order of their first appearance.
class TNameSet {
public:
    void Add(std::string_view name);
    std::vector<std::string> Take();
    size_t Size() const { return FOrder.size(); }

private:
    struct THash {
        using is_transparent = void;
        size_t operator()(std::string_view text) const { return std::hash<std::string_view> {}(text); }
    };
    std::unordered_set<std::string, THash, std::equal_to<>> FSeen;
    std::vector<std::string> FOrder;
};

// One rebuild, run in one go (Run) or in slices (RunFor) between other work. It reads the
// rows as they stand when it runs: whoever changes the text starts a new build. The states
// table (optional) is refilled as the lines are read.
class TExplorerBuild {
public:
    // A fountain that is not the Perl one gives empty lists.
    TExplorerBuild(const TEditorScreenStrings& rows, TFountain* fountain, const TExplorerSorted& sorted,
        TExplorerStates* states = nullptr);
    ~TExplorerBuild();
    TExplorerBuild(const TExplorerBuild&) = delete;
    TExplorerBuild& operator=(const TExplorerBuild&) = delete;

    // Reads lines until the end or until microseconds have passed; true when done.
    bool RunFor(std::int64_t microseconds);
    void Run() { RunFor(-1); }
    bool Done() const;
    // The lists, sorted as asked; call once, when done.
    TExplorerNames TakeNames();

private:
    TExplorerLineReader FLines;
    std::unique_ptr<TFountainParser> FParser;
    TExplorerSorted FSorted;
    TExplorerStates* FStates;
    std::array<TNameSet, kExplorerListCount> FSets;
    RowTokenState FState;
    int FRow = 0;
    int FLine = 0;
};

// Builds the lists in one go.
TExplorerNames BuildExplorerNames(const TEditorScreenStrings& rows, TFountain* fountain,
    const TExplorerSorted& sorted, TExplorerStates* states = nullptr);

} // namespace brenvik
