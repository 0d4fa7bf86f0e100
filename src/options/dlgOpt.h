// The options dialog of the main window ("設定"): the shared editor tabs over the main editor
// and its Perl colours, the tab and full-width-space marks, and the tab "その他" with the
// default codes for new files, settings of the variable explorer, and perl for the check and the CGI run.
#pragma once

#include "app/MainOptions.h"
#include "options/dlgOptionBase.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace brenvik {

class TPERLFountain;
class TRecoveryBackupTab;
class TfrmMain;

class TdlgOption : public TdlgOptionBase {
    Q_OBJECT
public:
    explicit TdlgOption(QWidget* parent = nullptr);

    // Loading steps 1 to 6 from the main window.
    void Load(const TfrmMain& owner);
    // Storing steps 1 to 8 into the live window, then its settings file; a failed write is
    // reported and the settings stay applied.
    void Store(TfrmMain& owner);

    TPERLFountain& PERLView() const { return *FPERLView; }
    TEditorMark& TabMark() { return FTabMark; }
    TEditorMark& DBSpaceMark() { return FDBSpaceMark; }

private:
    TEditedColor OwnColor(const char* name) override;
    void CreateOtherTab();
    void LoadCodes(JCode jcode, RCode rcode);
    void StoreCodes(TMainOptions& options) const;

    TPERLFountain* FPERLView;
    TEditorMark FTabMark;
    TEditorMark FDBSpaceMark;
    TMainOptions FLoaded;
    // Tab "表示色": the Perl tokenizer's fuller grammar (here-documents, quote-like operators, POD).
    QCheckBox* cbxPerlGrammar;

    // Tab "その他".
    QRadioButton* rdbWin;
    QRadioButton* rdbMac;
    QRadioButton* rdbUnix;
    QRadioButton* rdbOther;
    TRadioGroup* rdgJcode;
    TRadioGroup* rdgRCode;
    TRadioGroup* rdgListUpdate;
    TRadioGroup* rdgListDefaultSet;
    QCheckBox* cbxWheelOneRow;
    QSpinBox* speUndoLimit;
    // The check and the CGI run.
    QLineEdit* edtPerlPath;
    QSpinBox* speRunTimeLimit;
    // Tab "復元とバックアップ".
    TRecoveryBackupTab* FRecoveryBackup;
};

// The options runner of "設定(&O)": shows the dialog modally and stores it on OK. Its result
// is always false.
bool RunOptionDialog(TfrmMain& owner);

} // namespace brenvik
