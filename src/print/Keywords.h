// Header and footer templates: "%p", "%f", "%F", "%y", "%m", "%d", "%t".
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>

namespace brenvik {

struct TKeywordValues {
    int PageNumber = 1;
    QString FileName;
    QDateTime Now;
};

// A percent sign and the character after it become the keyword's value, or that character
// alone when it is no keyword ("%%" gives "%"); a final lone percent sign is copied. A keyword
// without a value drops one space beside it. "%t" is the local time in the desktop's long
// format, without a time zone.
QString ExpandKeywordTemplate(const QString& text, const TKeywordValues& values);

// The clock the keywords read; tests put a fixed one in its place (an empty function: the
// local clock again).
QDateTime PrintClockNow();
void SetPrintClock(std::function<QDateTime()> clock);

} // namespace brenvik
