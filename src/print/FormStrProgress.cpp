// The progress window.
#include "print/FormStrProgress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <chrono>
#include <cmath>

namespace brenvik {

TFormStrProgress::TFormStrProgress(QWidget* parent, const QString& caption)
    : QDialog(parent)
    , Label1(new QLabel(caption, this))
    , ProgressBar1(new QProgressBar(this))
    , Button1(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("FormStrProgress"));
    setWindowTitle(QStringLiteral("TStringsPrinter"));
    setWindowModality(Qt::ApplicationModal);
    setFixedSize(373, 91);
    Label1->setObjectName(QStringLiteral("Label1"));
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    Button1->setObjectName(QStringLiteral("Button1"));
    Label1->setGeometry(16, 8, 341, 18);
    ProgressBar1->setGeometry(16, 30, 341, 20);
    ProgressBar1->setRange(0, 100);
    ProgressBar1->setValue(0);
    Button1->setGeometry(282, 58, 75, 25);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TFormStrProgress::reject);
    SetClock([] {
        using namespace std::chrono;
        return qint64(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
    });
}

void TFormStrProgress::SetClock(std::function<qint64()> clock)
{
    FClock = std::move(clock);
    FEventsLetThrough = FClock();
}

void TFormStrProgress::UpdateProgress(const QString& caption, int maximum, int current)
{
    if (FClock() - FEventsLetThrough < kEventInterval)
        return;
    // A progress bar repaints at once on every new value (3 ms each on a busy machine, a
    // quarter of the layout): the window takes its values only when it can be seen to change.
    if (Label1->text() != caption)
        Label1->setText(caption);
    const int percent = maximum > 0 ? int(std::lround(current * 100.0 / maximum)) : 100;
    if (ProgressBar1->value() != percent)
        ProgressBar1->setValue(percent);
    if (!isVisible())
        show();
    QApplication::processEvents();
    FEventsLetThrough = FClock();
}

void TFormStrProgress::reject()
{
    // The window stays until the layout has stopped; the layout reads the flag.
    FCancelled = true;
}

} // namespace brenvik
