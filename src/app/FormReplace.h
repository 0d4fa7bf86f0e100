// The replace dialog "置換": the find dialog's controls, the replacement field with its own
// history, the replace-all button and the confirmation check box.
#pragma once

#include "app/FindDialog.h"

namespace brenvik {

class TFormReplace : public TFindDialog {
    Q_OBJECT
public:
    // The dialog's result when it ends by "すべて置換(&A)".
    static constexpr int ResultAll = QDialog::Accepted + 1;

    explicit TFormReplace(QWidget* parent = nullptr);

    const std::string& ReplaceText() const { return FReplaceText; }
    // Replace or ReplaceAll, from the button that ended the dialog.
    TSearchFlags ButtonFlags() const { return FButtonFlags; }
    // The option bits, the button flags and ReplaceConfirm.
    TSearchFlags Flags() const;

    void btnOKClick() override;
    void btnAllClick();

    QLabel* Label2;
    QComboBox* ComboBox2;
    QPushButton* btnAll;
    QCheckBox* chkReplaceConfirm;

protected:
    bool AcceptFields() override;
    void LoadFields(TSearchStore& store) override;
    void SaveFields(TSearchStore& store) override;

private:
    std::string FReplaceText;
    TSearchHistory FReplaceHistory;
    TSearchFlags FButtonFlags;
};

} // namespace brenvik
