// The group "禁則処理" of the "エディタ" tab: the Japanese line-break rules of the wrap engine,
// the line-start and line-end rules (one switch, two character lists) and the hanging
// punctuation with its list, edited as text and kept as Shift_JIS.
#pragma once

#include <QGroupBox>

class QCheckBox;
class QLineEdit;

namespace brenvik {

class TEditorWrapOption;

class TKinsokuBox : public QGroupBox {
    Q_OBJECT
public:
    explicit TKinsokuBox(QWidget* parent = nullptr);

    void Load(const TEditorWrapOption& option);
    // True when storing would change option.
    bool Differs(const TEditorWrapOption& option) const;
    // A list holding a character without a Shift_JIS form keeps its old value.
    void Store(TEditorWrapOption& option) const;

    QCheckBox* cbxLeading;
    QLineEdit* edtFollowStr; // 行頭禁則: never at a row's start
    QLineEdit* edtLeadStr;   // 行末禁則: never at a row's end
    QCheckBox* cbxFollowPunctuation;
    QLineEdit* edtPunctuationStr;
};

} // namespace brenvik
