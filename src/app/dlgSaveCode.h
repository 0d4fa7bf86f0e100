// The dialog that states a file's character code and line-break code for opening or saving.
#pragma once

#include "jcode/JCodeTypes.h"

#include <QDialog>

class QAction;
class QButtonGroup;
class QGroupBox;
class QPlainTextEdit;
class QRadioButton;

namespace brenvik {

struct TCodePair {
    JCode jcode = jcSjis;
    RCode rcode = rcCrLf;
    bool bom = false; // UTF-8 only: the byte-order mark
    friend bool operator==(const TCodePair&, const TCodePair&) = default;
};

// Three platform presets, two UTF-8 presets (LF, without and with the mark) and a free combination
// from two groups; the groups are enabled exactly while "Others..." is checked.
class TdlgSaveCode : public QDialog {
    Q_OBJECT
public:
    TdlgSaveCode(const QString& fileName, bool saving, QWidget* parent = nullptr);

    // Checks the preset of the pair, or "Others..." with the group items of the pair (a code
    // the groups do not offer leaves its group at the first item).
    void Preset(TCodePair codes);
    TCodePair Choice() const;

    QPlainTextEdit* memFileName;
    QRadioButton* rdbWin;
    QRadioButton* rdbMac;
    QRadioButton* rdbUnix;
    QRadioButton* rdbUtf8;
    QRadioButton* rdbUtf8Bom;
    QRadioButton* rdbOther;
    QAction* actOther;
    QGroupBox* rdgJcode;
    QGroupBox* rdgRCode;

private:
    QButtonGroup* FJcodeItems;
    QButtonGroup* FRCodeItems;
    // "Others..." with UTF-8 keeps the mark of the pair preset.
    bool FPresetBom = false;
};

// Shows the dialog for fileName preset from codes; on OK stores the choice in codes and returns
// true. On Cancel codes keep their values.
bool ChooseCode(const QString& fileName, TCodePair& codes, bool saving, QWidget* parent = nullptr);

// The codes in the status bar's and the save dialog's words ("EUC LF", "UTF-8 BOM CRLF").
QString CodeText(JCode jcode, RCode rcode, bool bom);

} // namespace brenvik
