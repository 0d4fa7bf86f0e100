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
            result += QLocale().toString(values.Now.time(), QLocale::LongFormat);
            break;
        default:
            result += key;
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
