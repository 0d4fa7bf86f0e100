// Face names as the font system lists them.
#include "editor/FontFamilies.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>

namespace brenvik {

QString FamilyInUse(const QString& stored)
{
    if (QFontDatabase::families().contains(stored))
        return stored;
    QFont font(stored);
    font.setStyleHint(QFont::Monospace);
    return QFontInfo(font).family();
}

bool IsFixedPitchFamily(const QString& family)
{
    if (QFontDatabase::isFixedPitch(family))
        return true;
    const QFontMetrics metrics(QFont(family, 12));
    const int width = metrics.horizontalAdvance(QLatin1Char('0'));
    for (const QChar c : QStringLiteral("iWm._ "))
        if (metrics.horizontalAdvance(c) != width)
            return false;
    return width > 0;
}

QStringList GridFamilies(bool all)
{
    QStringList japanese;
    QStringList fixed;
    QStringList rest;
    for (const QString& family : QFontDatabase::families()) {
        if (family.startsWith(QLatin1Char('@')))
            continue;
        if (!IsFixedPitchFamily(family))
            rest.append(family);
        else if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese))
            japanese.append(family);
        else
            fixed.append(family);
    }
    if (!all)
        return japanese.isEmpty() ? fixed : japanese;
    return japanese + fixed + rest;
}

} // namespace brenvik
