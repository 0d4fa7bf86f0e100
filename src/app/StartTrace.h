// Where the start-up time goes, for the benchmark of an installed copy (bench/install/start.sh).
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <functional>

class QWidget;

namespace brenvik {

// Off unless BRENVIK_START_TRACE holds the CLOCK_REALTIME nanoseconds at which the program was
// launched. Then every step is printed to stderr as "start<TAB>step<TAB>milliseconds since the
// launch<TAB>milliseconds of processor time used", and the program quits after the first paint of
// the editor. The processor time tells the program's own work apart from waiting for a busy machine. Work a later step does
// anyway (the font list, the settings file) can be done on its own step to tell its cost apart;
// the start-up as a whole stays the same.
class TStartTrace : public QObject {
public:
    TStartTrace();
    bool Enabled() const { return FLaunchNs >= 0; }
    void Mark(const char* step) const;
    void Prime(const char* step, const std::function<void()>& work) const;
    // Marks "first_paint" when widget is first painted, then quits the application.
    void WatchFirstPaint(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    long long FLaunchNs = -1;
};

} // namespace brenvik
