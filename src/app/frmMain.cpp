// The main window: one script in the editor edrMain, highlighted as Perl.
#include "frmMain.h"

#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorRuler.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "jcode/ScriptFile.h"
#include "text/EditorStrings.h"

#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QStatusBar>
#include <new>

namespace brenvik {

TfrmMain::TfrmMain(QWidget* parent)
    : QMainWindow(parent)
    , PERLFountain(std::make_unique<TPERLFountain>())
    , edrMain(new TEditor(this))
{
    setObjectName("frmMain");
    edrMain->setObjectName("edrMain");
    setWindowTitle(QStringLiteral("Brenvik"));
    setCentralWidget(edrMain);
    ConfigurePERLFountain(*PERLFountain);
    ConfigureEditor();
    edrMain->SetFountain(PERLFountain.get());
    // Refused input is told in the status bar (the status panel's first home).
    connect(edrMain, &TEditor::InputRefused, this,
        [this](const QString& message) { statusBar()->showMessage(message, 10000); });
    resize(900, 700);
}

TfrmMain::~TfrmMain()
{
    // The editor refers to the fountain: let it go first.
    delete edrMain;
}

void TfrmMain::ConfigureEditor()
{
    TEditorCaret& caret = *edrMain->Caret();
    caret.SetFreeCaret(false);
    caret.SetKeepCaret(true);
    caret.SetInTab(false);
    caret.SetNextLine(true);
    caret.SetLockScroll(true);
    caret.SetTabSpaceCount(4);
    caret.SetAutoIndent(true);
    caret.SetBackSpaceUnIndent(true);
    caret.SetPrevSpaceIndent(true);
    caret.SetSoftTab(false);
    caret.SetTabIndent(true);
    edrMain->Ruler()->SetVisible(true);
    edrMain->Leftbar()->SetVisible(true);
    edrMain->Leftbar()->SetShowNumber(true);
}

bool TfrmMain::LoadFile(const QString& fileName)
{
    QString reason;
    try {
        TDecodedText text = LoadScriptFile(QFile::encodeName(fileName).toStdString());
        edrMain->setUpdatesEnabled(false);
        edrMain->Lines().Assign(text.Lines);
        if (edrMain->WordWrap()) {
            edrMain->SetWordWrap(false);
            edrMain->SetWordWrap(true);
        }
        edrMain->SetModified(false);
        edrMain->SetRowCol(0, 0);
        edrMain->setUpdatesEnabled(true);
        FFileName = fileName;
        return true;
    } catch (const EScriptFileError& error) {
        reason = QString::fromLocal8Bit(error.Reason());
    } catch (const std::bad_alloc&) {
        reason = QStringLiteral("メモリが足りません。");
    } catch (const std::exception& error) {
        reason = QString::fromLocal8Bit(error.what());
    }
    edrMain->setUpdatesEnabled(true);
    const QString message = QFileInfo::exists(fileName)
        ? QStringLiteral("ファイル「%1」を開けませんでした。\n%2").arg(fileName, reason)
        : QStringLiteral("ファイル「%1」が見つかりません。").arg(fileName);
    QMessageBox::warning(this, QStringLiteral("Brenvik"), message);
    return false;
}

} // namespace brenvik
