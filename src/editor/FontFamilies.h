// Face names as the font system lists them. A stored name may be one the list does not hold
// (fontconfig lists IPAGothic as "IPAゴシック" in a Japanese session) or a face that is not
// installed; the dialogs show and select the face actually used.
#pragma once

#include <QString>
#include <QStringList>

namespace brenvik {

// The listed family a stored face name resolves to, as the editor would draw with it.
QString FamilyInUse(const QString& stored);

// Faces for the fixed grid: the fixed-pitch faces with Japanese glyphs, sorted (when there are
// none, the other fixed-pitch faces); with all, followed by every other face. Vertical-writing
// faces ("@...") are never listed.
QStringList GridFamilies(bool all);

// True when the face's half-width characters all have one width, whatever the font system
// says of its pitch (IPAGothic is listed as proportional for its full-width glyphs).
bool IsFixedPitchFamily(const QString& family);

} // namespace brenvik
