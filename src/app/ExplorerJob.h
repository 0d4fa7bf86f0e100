// The background rebuild of the explorer lists: after a quiet spell following changes
// ("ListUpdate" 2) or at once (Enter with "ListUpdate" 1), it reads the script in slices of
// at most 2 ms between events, starts again when the text changes, and hands over the lists
// when it is through.
#pragma once

#include "model/ExplorerLines.h"
#include "model/ExplorerNames.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <memory>

namespace brenvik {

class TEditorScreenStrings;
class TFountain;

class TExplorerJob : public QObject {
    Q_OBJECT
public:
    static constexpr int kQuietMs = 300;
    static constexpr int kSliceUs = 2000;

    // source gives the rows, the fountain and the sort flags at the moment a pass starts;
    // done receives the lists and the line-start states read on the way.
    struct TSource {
        const TEditorScreenStrings* Rows = nullptr;
        TFountain* Fountain = nullptr;
        TExplorerSorted Sorted {};
    };
    TExplorerJob(std::function<TSource()> source, std::function<void(TExplorerNames, TExplorerStates)> done,
        QObject* parent = nullptr);
    ~TExplorerJob() override;

    // A pass after the quiet spell (restarted by each call), or one starting now.
    void StartQuiet();
    void StartNow();
    // The text changed: a pass under way or waiting starts over (after the quiet spell when
    // it was waiting for one).
    void TextChanged();
    void Cancel();
    bool Active() const;

private:
    void Begin();
    void Slice();

    std::function<TSource()> FSource;
    std::function<void(TExplorerNames, TExplorerStates)> FDone;
    QTimer FQuiet;
    QTimer FSlice;
    std::unique_ptr<TExplorerStates> FStates;
    std::unique_ptr<TExplorerBuild> FBuild;
};

} // namespace brenvik
