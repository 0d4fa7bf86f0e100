// The recent-files list in section "Hist" of the settings file, shared by every running copy.
#pragma once

#include <QStringList>

class QSettings;

namespace brenvik {

inline constexpr int kHistoryCapacity = 8;

// The entries "File0" .. in order, most recent first: at most kHistoryCapacity, none empty,
// none twice. A missing, malformed or huge "Count" reads as what is there, never more.
QStringList ReadHistory(QSettings& settings);

// Puts fileName at the top (removing any equal entry, compared exactly) and rewrites the
// section, so that surplus or stray keys go.
void AddHistory(QSettings& settings, const QString& fileName);

} // namespace brenvik
