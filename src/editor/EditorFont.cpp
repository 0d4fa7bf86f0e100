// The editor's font as a stored setting: face, size, colour and style.
#include "editor/EditorFont.h"

#include <QFontDatabase>
#include <algorithm>

namespace brenvik {

QString TEditorFont::DefaultName()
{
    static const QString name = QFontDatabase::hasFamily(QStringLiteral("IPAGothic"))
        ? QStringLiteral("IPAGothic")
        : QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return name;
}

TEditorFont::TEditorFont(QObject* parent)
    : TNotifyPersistent(parent)
    , FName(DefaultName())
{
}

void TEditorFont::SetSize(int value)
{
    SetField(FSize, std::clamp(value, 1, 200));
}

QFont TEditorFont::ToQFont() const
{
    QFont font(FName, FSize);
    font.setStyleHint(QFont::Monospace);
    font.setBold((FStyle & fsBold) != 0);
    font.setItalic((FStyle & fsItalic) != 0);
    font.setUnderline((FStyle & fsUnderline) != 0);
    font.setStrikeOut((FStyle & fsStrikeOut) != 0);
    return font;
}

} // namespace brenvik
