// What the find and replace dialogs share: the search field with its history, the direction,
// the option check boxes, the buttons, loading and saving through TSearchStore, and accepting.
#pragma once

#include "app/SearchHistory.h"
#include "search/RegexPattern.h"
#include "search/SearchFlags.h"

#include <QDialog>

#include <initializer_list>
#include <memory>
#include <string>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QVBoxLayout;

namespace brenvik {

class TSearchStore;

// What a dialog run hands to the window: texts as Shift_JIS bytes and the flags word.
struct TFindRequest {
    std::string Search;
    std::string Replacement;
    TSearchFlags Flags;
    bool InSelection = false; // find and replace all inside the editor's selection only
};

class TFindDialog : public QDialog {
    Q_OBJECT
public:
    ~TFindDialog() override;

    // The accepted search text compiled with the options; null unless the expression option is on.
    const TRegexPattern* Expression() const { return FExpression.get(); }

    // The text offered first (the editor's selection), as Shift_JIS bytes.
    void SetInitialText(const std::string& bytes) { FInitialText = bytes; }
    // The document's own characters, through which typed texts become bytes and back.
    void SetDocumentChars(const TDocumentChars& chars) { FChars = chars; }
    // Accepted by OK; empty until then.
    const std::string& SearchText() const { return FSearchText; }
    // The option and direction bits of the controls.
    TSearchFlags OptionFlags() const;

    void FormShow();
    virtual void btnOKClick();

    QLabel* Label1;
    QComboBox* ComboBox1;
    QPushButton* btnOK;
    QPushButton* btnCancel;
    QGroupBox* RadioGroup1;
    QRadioButton* rdbUp;
    QRadioButton* rdbDown;
    QPushButton* btnHelp;
    QGroupBox* GroupBox1;
    QCheckBox* chkMatchCase;
    QCheckBox* chkWholeWord;
    QCheckBox* chkNoMatchZenkaku;
    QCheckBox* chkIncludeCRLF;
    // The texts are a regular expression and its replacement; the skips of chkIncludeCRLF do not apply.
    QCheckBox* chkRegExp;
    // Not kept between runs: a selection is rarely the same twice.
    QCheckBox* chkInSelection;
    // Why OK was refused; hidden while there is nothing to say.
    QLabel* lblMessage;

protected:
    TFindDialog(const QString& title, QSize clientSize, const QString& help, QWidget* parent);

    // Each field's text becomes its accepted text and goes to the top of its history; false
    // (with the reason shown) when a text cannot be searched for.
    virtual bool AcceptFields();
    virtual void LoadFields(TSearchStore& store);
    virtual void SaveFields(TSearchStore& store);
    // Accepts the fields and saves everything, then ends the dialog with result; false when a
    // field was refused (the dialog stays open).
    bool AcceptWith(int result);
    bool TakeField(QComboBox* box, TSearchHistory& history, std::string& accepted);
    // Shows why OK was refused and puts the focus in the field at fault.
    void Refuse(const QString& message, QComboBox* box);
    // An editable field over a history, named name.
    QComboBox* HistoryBox(const char* name);
    static void ShowHistory(QComboBox* box, const TSearchHistory& history);
    void SetTabOrder(std::initializer_list<QWidget*> widgets);

    void showEvent(QShowEvent* event) override;

    QGridLayout* FFields;
    QVBoxLayout* FButtons;
    QVBoxLayout* FOptions;
    TDocumentChars FChars;

private:
    void ShowHelp();

    QString FHelp;
    QSize FClientSize;
    std::string FInitialText;
    std::string FSearchText;
    TSearchHistory FSearchHistory;
    std::unique_ptr<TRegexPattern> FExpression;
};

// Runs a dialog modally with the initial text; the texts and flags it accepted go to request.
// False unless it ended with OK (or All) and every text it asks for is non-empty.
bool SearchDialogRun(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request);
bool ReplaceDialogRun(QWidget* parent, const std::string& initial, const TDocumentChars& chars, TFindRequest& request);

} // namespace brenvik
