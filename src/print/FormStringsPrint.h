// The print setup form: edits a copy of the caller's strings printer and starts printing or
// a preview; the caller's printer takes the copy only when the form closes with OK.
#pragma once

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace brenvik {

class TPrintLines;
class TRadioGroup;
class TStringsPrinter;

class TFormStringsPrint : public QDialog {
    Q_OBJECT
public:
    // lines (not owned, may be null) are what the print and preview buttons print.
    TFormStringsPrint(QWidget* parent, const TStringsPrinter& source, const TPrintLines* lines);

    TStringsPrinter* StringsPrinter1;

    QLabel* Label5;  // printer name
    QLabel* Label6;  // orientation
    QLabel* Label12; // paper
    QPushButton* Button4;
    QComboBox* ComboBox1;
    QComboBox* ComboBox2;
    QSpinBox* SpinEdit1;
    QSpinBox* SpinEdit2;
    QSpinBox* SpinEdit3;
    QSpinBox* SpinEdit4;
    QSpinBox* SpinEdit5;
    QSpinBox* SpinEdit6;
    QSpinBox* SpinEdit7;
    QSpinBox* SpinEdit8;
    QLabel* lblStartPage;
    QLabel* lblLastPage;
    TRadioGroup* RadioGroup1;
    TRadioGroup* RadioGroup2;
    TRadioGroup* RadioGroup3;
    TRadioGroup* RadioGroup4;
    TRadioGroup* RadioGroup5;
    QCheckBox* CheckBox1;
    QLineEdit* Edit1;
    QLineEdit* Edit2;
    QPushButton* Button5;
    QPushButton* Button6;
    QPushButton* Button1;
    QPushButton* Button2;
    QPushButton* Button3;

    // The keyword help shown by "Help".
    static QString KeywordHelp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreateControls();
    void ArrangeControls();
    void ConnectControls();
    void ConnectPageSpin(QSpinBox* spin, int fallback, void (TStringsPrinter::*setter)(int));
    // Loads every control from StringsPrinter1 in the order that keeps FirstPageNumber.
    void Load();
    void ShowPrinter();
    void ApplyRange(int index);
    void Print();
    void Preview();

    const TPrintLines* FLines;
};

// Runs the setup form on printer; true when it closed with OK (OK, or a finished print),
// and printer then holds the form's settings. Without a printer nothing happens.
bool RunStringsPrintSetup(QWidget* parent, TStringsPrinter* printer, const TPrintLines* lines);

} // namespace brenvik
