// The main window's start-up, settings file and shut-down.
#include "app/frmMain.h"

#include "app/DiskWatch.h"
#include "app/DockPanels.h"
#include "app/ExplorerPanel.h"
#include "app/FileHistory.h"
#include "app/GrepCommands.h"
#include "app/LineMarks.h"
#include "app/ProgramFolder.h"
#include "app/RecoveryKeeper.h"
#include "app/RestorePos.h"
#include "app/ScriptRunCommands.h"
#include "app/SettingsFile.h"
#include "app/WindowParts.h"
#include "app/frmPrint.h"
#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorRuler.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "text/EditorWrapOption.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QListView>
#include <QLabel>
#include <QPlainTextEdit>

namespace brenvik {

namespace {
const QString kPanelSection = QStringLiteral("Panel");

QListView* NewList(const char* name, QWidget* parent)
{
    auto* list = new QListView(parent);
    list->setObjectName(QLatin1String(name));
    return list;
}

} // namespace

TfrmMain::TfrmMain(TUserPrompts* prompts, QWidget* parent)
    : QMainWindow(parent)
    , FPrompts(prompts ? prompts : &FDialogs)
    , PERLFountain(std::make_unique<TPERLFountain>())
    , edrMain(new TEditor(this))
    , RestorePos(new TRestorePos(this))
{
    setObjectName(QStringLiteral("frmMain"));
    setAcceptDrops(true);
    edrMain->setObjectName(QStringLiteral("edrMain"));
    edrMain->SetDocument(FDocument);
    FDocument.Side().SetFolder(ProgramFolder() + QStringLiteral("/ini"));
    setCentralWidget(edrMain);
    resize(900, 700);
    RestorePos->SetKeyName(QStringLiteral("Vessan.Orlu\\BV03\\Window"));

    ConfigurePERLFountain(*PERLFountain);
    ConfigureEditor();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateMoveCommands();
    lbxSubRoutine = NewList("lbxSubRoutine", this);
    lbxVariable = NewList("lbxVariable", this);
    lbxArrangement = NewList("lbxArrangement", this);
    lbxAssocArr = NewList("lbxAssocArr", this);
    lbxKeyWord = NewList("lbxKeyWord", this);
    memMemo = new QPlainTextEdit(this);
    memMemo->setObjectName(QStringLiteral("memMemo"));
    FPanels = new TDockPanels(*this, {lbxSubRoutine, lbxVariable, lbxArrangement, lbxAssocArr, lbxKeyWord}, memMemo);
    CreateStatusBar();
    ReadSettings();
    FExplorer = new TExplorerPanel(*this, {lbxSubRoutine, lbxVariable, lbxArrangement, lbxAssocArr, lbxKeyWord}, memMemo);
    FGrep = new TGrepCommands(*this);
    edrMain->SetFountain(PERLFountain.get());
    FDocument.SetCodes({FOptions.DefaultJCode, FOptions.DefaultRCode});
    PERLFountain->SetTrailBytesEscape(FDocument.WrittenInShiftJis());
    edrMain->installEventFilter(this);
    edrMain->viewport()->installEventFilter(this);
    memMemo->installEventFilter(this);
    // Text the editor refused (no Shift_JIS form) is reported where hints go.
    connect(edrMain, &TEditor::InputRefused, this, [this](const QString& message) { ShowMessage(message); });
    RestorePos->Restore();
    UpdateTitle();
    CreateBuilderParts();
    FScriptRun = new TScriptRunCommands(*this);
    CreateRecoveryParts();
    edrMain->OnDrawLine = [this](TEditor* editor, const std::string& text, int x, int y, int row, const QRect& rect,
                              bool selected) { DrawOverRow(*editor, text, x, y, row, rect, selected); };

    // "Idle" is the moment the event loop is about to wait; the handler changes only what
    // differs, so what it does never wakes the loop again.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
        [this] { RunCommand([this] { IdleUpdate(); }); });
}

void TfrmMain::DrawOverRow(
    TEditor& editor, const std::string& text, int x, int y, int row, const QRect& rect, bool selected) const
{
    // Called from the editor's paint event: nothing may escape it. Search and keyword hits
    // first, the tab and full-width-space marks over them.
    try {
        FExplorer->Highlighter().Paint(
            editor, *PERLFountain->SearchStr(), *PERLFountain->KeyWordStr(), text, x, y, row, rect, selected);
        DrawLineMarks(editor, row, x, rect, selected,
            {FOptions.TabMarkVisible, FOptions.TabMarkColor, FOptions.DBSpaceMarkVisible, FOptions.DBSpaceMarkColor});
    } catch (...) {
    }
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
    // New settings wrap by the Japanese line-break rules; stored settings keep their choice.
    edrMain->WrapOption()->SetLeading(true);
    edrMain->WrapOption()->SetFollowPunctuation(true);
    edrMain->Ruler()->SetVisible(true);
    edrMain->Leftbar()->SetVisible(true);
    edrMain->Leftbar()->SetShowNumber(true);
}

void TfrmMain::ReadSettings()
{
    TSettingsFile settings;
    settings.ReadOptions(FOptions);
    edrMain->SetUndoListMax(FOptions.UndoLimit);
    settings.ReadEditor(*edrMain, QStringLiteral("edrMain"));
    settings.ReadComponent(*PERLFountain, TSettingsFile::PropertySection, QStringLiteral("PERLFountain"));
    ReadPrinterSettings(settings);
    // The lists and the memo beside the editor show its stored font and colours from the start.
    ApplyEditorLook(*edrMain, ExplorerViews());
}

bool TfrmMain::WriteSettings()
{
    // One settings object, synced once; "Hist" belongs to AddHistory and is never written here,
    // so the history another copy wrote meanwhile survives.
    TSettingsFile settings;
    WriteViewSettings(settings);
    FPanels->ForEachPanel([&](const QString& name, bool shown) {
        settings.SetValue(kPanelSection + QLatin1Char('/') + name, shown ? 1 : 0);
    });
    return settings.SyncOrTell(*FPrompts, this);
}

void TfrmMain::WriteViewSettings(TSettingsFile& settings) const
{
    settings.WriteEditor(*edrMain, QStringLiteral("edrMain"));
    settings.WriteComponent(*PERLFountain, TSettingsFile::PropertySection, QStringLiteral("PERLFountain"));
    settings.WriteOptions(FOptions);
}

bool TfrmMain::WriteViewSettings()
{
    TSettingsFile settings;
    WriteViewSettings(settings);
    return settings.SyncOrTell(*FPrompts, this);
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (FFirstShown)
        return;
    FFirstShown = true;
    FPanels->ApplyLayout(FOptions.ListDefaultSet);
    // The panels' layout asks for room of its own; on a small screen (or at a large scale) the
    // window still fits.
    FitIntoScreenOnceFramed(*this);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // Whatever goes wrong here, the close is refused rather than the text lost.
    event->ignore();
    RunCommand([&] {
        if (!SaveIfAsked())
            return;
        FRecovery->Discard();
        FExplorer->WriteChangedSideFile();
        WriteSettings();
        RestorePos->Save();
        FClosing = true;
        event->accept();
    });
}

} // namespace brenvik
