// "CGI として実行": the small form of a local request (method, query, fields, POST body, cookie,
// PATH_INFO, extra environment lines), filled with the script's last values.
#pragma once

#include "perlrun/CgiRequest.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QTableWidget;

namespace brenvik {

class TCgiRunDialog : public QDialog {
    Q_OBJECT
public:
    explicit TCgiRunDialog(QWidget* parent = nullptr);

    void SetForm(const TCgiForm& form);
    // The form as filled in; rows without a name and a value are left out.
    TCgiForm Form() const;

    QComboBox* cbxMethod;
    QLineEdit* edtQuery;
    QTableWidget* grdFields;
    QPlainTextEdit* memBody;
    QLineEdit* edtCookie;
    QLineEdit* edtPathInfo;
    QPlainTextEdit* memEnvironment;

private:
    void AddRow(const QString& name = {}, const QString& value = {});
};

} // namespace brenvik
