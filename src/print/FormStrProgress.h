// The progress window of a layout or a print job: caption, percentage, Cancel.
#pragma once

#include <QDialog>

#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace brenvik {

// Application-modal while shown, so that the setup form under it takes no clicks during a
// layout; its close box and Esc mean Cancel. The window appears when the work first lets
// events through, so a layout quicker than that shows no flash.
class TFormStrProgress : public QDialog {
    Q_OBJECT
public:
    // Events are let through at most this often (ms): per line would cost more than the layout.
    static constexpr int kEventInterval = 50;

    TFormStrProgress(QWidget* parent, const QString& caption);

    // When kEventInterval has passed since events last went through: sets the caption and
    // the bar to round(current / maximum * 100) (1 / 1 when maximum is 0), shows the window
    // and lets events through. Calls in between cost a clock reading.
    void UpdateProgress(const QString& caption, int maximum, int current);
    bool Cancelled() const { return FCancelled; }
    // Milliseconds from any fixed start, read by UpdateProgress; a steady clock unless a test
    // steps one of its own. The interval starts again from the new clock.
    void SetClock(std::function<qint64()> clock);

    QLabel* Label1;
    QProgressBar* ProgressBar1;
    QPushButton* Button1;

public slots:
    void reject() override;

private:
    bool FCancelled = false;
    std::function<qint64()> FClock;
    qint64 FEventsLetThrough = 0;
};

} // namespace brenvik
