// "指定行へ移動": a small dialog taking a line, or line:column, of the document.
#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;

namespace brenvik {

// A place in the document by its logical line and column, both from 1.
struct TLineTarget {
    int Line = 1;
    int Column = 1;
    friend bool operator==(const TLineTarget&, const TLineTarget&) = default;
};

// "12" or "12:5", blanks around, digits and colon half- or full-width; none for anything else.
std::optional<TLineTarget> ParseLineTarget(const QString& text);

class TGoToLineDialog : public QDialog {
    Q_OBJECT
public:
    // lineCount: the document's lines, shown as the range.
    TGoToLineDialog(int lineCount, QWidget* parent = nullptr);

    // Valid after OK.
    const TLineTarget& Target() const { return FTarget; }

    QLineEdit* edtLine;
    QLabel* lblMessage;

private:
    void Accept();

    TLineTarget FTarget;
};

// Runs the dialog modally; false on Cancel.
bool RunGoToLine(QWidget* parent, int lineCount, TLineTarget& target);

} // namespace brenvik
