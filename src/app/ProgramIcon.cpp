// The icon, from the PNGs the build renders from dist/icons/brenvik.svg into the resource ":/icons".
#include "app/ProgramIcon.h"

#include <QDirIterator>

namespace brenvik {

QIcon ProgramIcon()
{
    QIcon icon;
    QDirIterator files(QStringLiteral(":/icons"), QDir::Files);
    while (files.hasNext())
        icon.addFile(files.next());
    return icon;
}

} // namespace brenvik
