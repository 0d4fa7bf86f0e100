// The open and save dialogs for scripts: each starts in a folder with nothing but a file name
// in its name field, and takes a typed or chosen name whatever characters it holds.
#pragma once

#include <QFileDialog>

namespace brenvik {

class TScriptFileDialog : public QFileDialog {
    Q_OBJECT
public:
    // start is a folder (the dialog opens there with an empty name field) or a file's path
    // (its folder, with the file's name filled in). An empty start is the home folder.
    TScriptFileDialog(QWidget* parent, AcceptMode mode, const QString& start);

    // The chosen file's absolute path; empty when the dialog was cancelled.
    QString Chosen() const;
    // Saving: shows the codes the file will be written in, with a button that takes the name and asks
    // for other codes instead.
    void OfferCodes(const QString& codes);
    // The name was taken with that button.
    bool ChooseCode() const { return FChooseCode; }

    void accept() override;

private:
    QString FChosen;
    bool FChooseCode = false;
};

// Runs the dialog; empty when cancelled.
QString AskOpenScript(QWidget* parent, const QString& folder);
// codes, when given, is shown with the offer of "コード指定して保存" (ChooseCode).
QString AskSaveScript(QWidget* parent, const QString& start, const QString& codes = {}, bool* chooseCode = nullptr);

} // namespace brenvik
