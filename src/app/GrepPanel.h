// The grep panel, docked at the bottom of the window: the progress line with its cancel button, and the hits
// listed as they arrive. Enter or a double click on a hit asks for it to be opened.
#pragma once

#include "app/GrepHitModel.h"

#include <QDockWidget>

class QLabel;
class QPushButton;
class QTreeView;

namespace brenvik {

class TGrepPanel : public QDockWidget {
    Q_OBJECT
public:
    explicit TGrepPanel(QWidget* parent);

    TGrepHitModel& Hits() { return model_; }
    QTreeView* View() const { return view_; }
    QLabel* Progress() const { return progress_; }
    QPushButton* CancelButton() const { return cancel_; }

signals:
    void HitChosen(const brenvik::TGrepRow& row);
    void CancelAsked();

private:
    TGrepHitModel model_;
    QLabel* progress_;
    QPushButton* cancel_;
    QTreeView* view_;
};

} // namespace brenvik
