// The editor's font dialog: a face and a size for the fixed grid. It opens on the face in use,
// lists the fixed-pitch faces with Japanese glyphs (a check box lists every face after them)
// and leaves the style to the colour items, so OK without a change changes nothing.
#pragma once

#include <QDialog>
#include <QFont>

class QCheckBox;
class QLabel;
class QListWidget;
class QSpinBox;

namespace brenvik {

class TFontPickDialog : public QDialog {
    Q_OBJECT
public:
    TFontPickDialog(const QFont& font, QWidget* parent = nullptr);

    // The given font with the chosen face and size; the face keeps its given name while the
    // choice is the face that name resolves to.
    QFont SelectedFont() const;

    QListWidget* lbxFamily;
    QSpinBox* speSize;
    QCheckBox* cbxAllFonts;
    QLabel* lblSample;

private:
    void FillFamilies();
    void ShowSample();

    QFont FFont;
    QString FInUse;
};

} // namespace brenvik
