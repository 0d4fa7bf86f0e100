// Keyword expansion of header and footer templates.
#include "print/Keywords.h"

#include <QLocale>

namespace brenvik {

namespace {

std::function<QDateTime()>& Clock()
{
    static std::function<QDateTime()> clock;
    return clock;
}

// The name after the last "/" or "\": scripts may come with either separator.
QString FilePart(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(cut + 1);
}

// The desktop's long time format without its time-zone field: the time printed is local.
QString LocalTime(const QTime& time)
{
    const QLocale locale;
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString kept;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (quoted || c != QLatin1Char('t'))
            kept += c;
    }
    return locale.toString(time, kept.trimmed());
}

} // namespace

QString ExpandKeywordTemplate(const QString& text, const TKeywordValues& values)
{
    QString result;
    result.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('%') || i + 1 == text.size()) {
            result += c;
            continue;
        }
        const QChar key = text[++i];
        const qsizetype before = result.size();
        switch (key.unicode()) {
        case 'p':
            result += QString::number(values.PageNumber);
            break;
        case 'f':
            result += values.FileName;
            break;
        case 'F':
            result += FilePart(values.FileName);
            break;
        case 'y':
            result += QString::number(values.Now.date().year());
            break;
        case 'm':
            result += QString::number(values.Now.date().month());
            break;
        case 'd':
            result += QString::number(values.Now.date().day());
            break;
        case 't':
            result += LocalTime(values.Now.time());
            break;
        default:
            result += key;
        }
        // A keyword with no value (no file name yet) takes one space beside it along, so that
        // "%F %y/%m/%d" prints no stray space.
        if (result.size() == before) {
            if (result.endsWith(QLatin1Char(' ')))
                result.chop(1);
            else if (i + 1 < text.size() && text[i + 1] == QLatin1Char(' '))
                ++i;
        }
    }
    return result;
}

QDateTime PrintClockNow()
{
    return Clock() ? Clock()() : QDateTime::currentDateTime();
}

void SetPrintClock(std::function<QDateTime()> clock)
{
    Clock() = std::move(clock);
}

} // namespace brenvik
