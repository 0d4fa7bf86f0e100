// One harness for every editor window that the benches open a script in, the program's main window and the
// peers' widgets alike, so that their figures are taken by the same code:
//
//   PROGRAM open FILE [--screenshot PNG]   load to first paint, peak memory of the load, resident size,
//                                          Enter in the middle line with repaint, repaint of the window,
//                                          then the subject's own figures
//   PROGRAM start FILE [--screenshot PNG]  process start to the first paint of the window holding the file
//
// The platform is QT_QPA_PLATFORM (offscreen when unset); the window is 900 x 700 pixels.
#pragma once

#include <QString>
#include <functional>
#include <memory>

class QWidget;

namespace brenvik::bench {

class TWindowSubject {
public:
    virtual ~TWindowSubject() = default;
    virtual QWidget& Window() = 0;
    virtual QWidget& Viewport() = 0;
    // The widget that takes the typed keys.
    virtual QWidget& KeyTarget() = 0;
    // Reads the file and puts its text in the window; false, with a message on stderr, when it cannot.
    virtual bool Open(const QString& path) = 0;
    // Caret at the start of the middle line, which is scrolled into view.
    virtual void GoToMiddleLine() = 0;
    virtual long long TextLength() const = 0;
    virtual void Undo() = 0;
    // Figures only this subject has (search, colouring), printed after the common ones.
    virtual void MeasureOwn() {}
};

struct TWindowMeasures {
    const char* LoadToFirstPaint;
    const char* PeakExtraRatio;
    const char* Resident;
    const char* StartToFirstPaint;
    const char* Enter;
    const char* Repaint;
};

using TSubjectFactory = std::function<std::unique_ptr<TWindowSubject>()>;

int RunWindowBench(int argc, char** argv, const TWindowMeasures& measures, const TSubjectFactory& make);

} // namespace brenvik::bench
