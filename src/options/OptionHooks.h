// The two services of the desktop that the options dialog and the hyperlink label use: the
// font dialog and the shell that opens an address. Each is one replaceable function, so tests
// answer them without a desktop.
#pragma once

#include <QFont>
#include <QUrl>
#include <functional>

class QWidget;

namespace brenvik {

// Shows the font dialog on font; true (and font changed) when the user chose one.
using TFontChooser = std::function<bool(QWidget* parent, QFont& font)>;
// Asks the desktop to open target; false when nothing could open it.
using TTargetOpener = std::function<bool(const QUrl& target)>;

// The program's: TFontPickDialog, and QDesktopServices::openUrl.
TFontChooser& FontChooser();
TTargetOpener& TargetOpener();

} // namespace brenvik
