// The window's grep: 検索 > Grep... (Ctrl+G) runs the dialog, the run goes on off the user-interface thread
// while the panel fills, and a chosen hit opens here when it is this document, else in a new window at its
// line and column.
#pragma once

#include "app/GrepDialog.h"
#include "app/GrepHitModel.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>

namespace brenvik {

class TfrmMain;
class TGrepJob;
class TGrepPanel;

class TGrepCommands : public QObject {
public:
    // Binds actGrep and docks the panel at the bottom (shown when it was shown last time).
    explicit TGrepCommands(TfrmMain& window);
    ~TGrepCommands() override;

    TGrepPanel& Panel() const { return *FPanel; }
    // Starts a grep for request; one still running is cancelled first.
    void Start(const TGrepRequest& request);
    void Cancel();
    bool Running() const;
    // The hit in this document (selected) or in a new window.
    void OpenHit(const TGrepRow& row);

private:
    void Grep();
    void Arrived(const std::vector<TGrepFile>& files);
    void Finished(const TGrepTotals& totals);
    void ShowProgress();

    TfrmMain& FWindow;
    TGrepPanel* FPanel;
    std::unique_ptr<TGrepJob> FJob;
    QString FPattern;
    std::size_t FWalked = 0;
    std::size_t FDone = 0;
    std::size_t FHitFiles = 0;
    std::int64_t FHits = 0;
    bool FWalkOver = false;
    QElapsedTimer FClock;
};

} // namespace brenvik
