// The printer's own setup (the printer, paper, orientation, sides and colour) in a group of a
// settings file, so that the next print, in this copy of the program or another, starts from it.
#pragma once

#include <QString>

class QPrinter;
class QSettings;

namespace brenvik {

void WritePrinterSetup(QSettings& settings, const QString& group, const QPrinter& printer);
// Leaves what the group does not hold, and a printer that is no longer installed, as it was.
void ReadPrinterSetup(QSettings& settings, const QString& group, QPrinter& printer);

} // namespace brenvik
