// The font dialog and the shell opener as the program uses them.
#include "options/OptionHooks.h"

#include <QComboBox>
#include <QDesktopServices>
#include <QFontDatabase>
#include <QFontDialog>

namespace brenvik {

namespace {

bool ShowFontDialog(QWidget* parent, QFont& font)
{
    QFontDialog dialog(font, parent);
    dialog.setWindowTitle(QStringLiteral("フォントの設定"));
    dialog.setOptions(QFontDialog::MonospacedFonts | QFontDialog::DontUseNativeDialog);
    // The dialog has no call for its writing-system filter; its combo box is chosen by the
    // item's name, so the list starts with the faces that hold Japanese.
    const QString japanese = QFontDatabase::writingSystemName(QFontDatabase::Japanese);
    for (QComboBox* combo : dialog.findChildren<QComboBox*>()) {
        const int index = combo->findText(japanese);
        if (index >= 0)
            combo->setCurrentIndex(index);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    font = dialog.selectedFont();
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
