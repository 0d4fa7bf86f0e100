// The font dialog and the shell opener as the program uses them.
#include "options/OptionHooks.h"
#include "options/FontPickDialog.h"

#include <QDesktopServices>

namespace brenvik {

namespace {

bool ShowFontDialog(QWidget* parent, QFont& font)
{
    TFontPickDialog dialog(font, parent);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.SelectedFont();
    return true;
}

} // namespace

TFontChooser& FontChooser()
{
    static TFontChooser chooser = ShowFontDialog;
    return chooser;
}

TTargetOpener& TargetOpener()
{
    static TTargetOpener opener = [](const QUrl& target) { return QDesktopServices::openUrl(target); };
    return opener;
}

} // namespace brenvik
