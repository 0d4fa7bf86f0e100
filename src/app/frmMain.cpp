// The main window's start-up, settings file and shut-down.
#include "app/frmMain.h"

#include "app/ExplorerState.h"
#include "app/FileHistory.h"
#include "app/LineMarks.h"
#include "app/ProgramFolder.h"
#include "app/RestorePos.h"
#include "app/WindowParts.h"
#include "app/frmPrint.h"
#include "editor/Editor.h"
#include "editor/EditorCaret.h"
#include "editor/EditorLeftbar.h"
#include "editor/EditorRuler.h"
#include "highlight/ConfiguredFountains.h"
#include "highlight/PERLFountain.h"
#include "support/IniStorage.h"
#include "text/EditorWrapOption.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QDockWidget>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSettings>

namespace brenvik {

namespace {
const QString kPropertySection = QStringLiteral("property");
const QString kPanelSection = QStringLiteral("Panel");
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
    setCentralWidget(edrMain);
    resize(900, 700);
    RestorePos->SetKeyName(QStringLiteral("Vessan.Orlu\\BV03\\Window"));

    ConfigurePERLFountain(*PERLFountain);
    ConfigureEditor();
    CreateActions();
    CreateMenus();
    CreateToolBar();
    CreateMoveCommands();
    CreatePanels();
    CreateStatusBar();
    ReadSettings();
    CreateExplorer();
    edrMain->SetFountain(PERLFountain.get());
    SetDocumentJCode(FOptions.DefaultJCode);
    FRCode = FOptions.DefaultRCode;
    edrMain->installEventFilter(this);
    edrMain->viewport()->installEventFilter(this);
    memMemo->installEventFilter(this);
    // Text the editor refused (no Shift_JIS form) is reported where hints go.
    connect(edrMain, &TEditor::InputRefused, this, [this](const QString& message) { FStatusPanels[5]->setText(message); });
    RestorePos->Restore();
    UpdateTitle();
    CreateBuilderParts();
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
        FExplorer->Highlighter.Paint(
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

QString TfrmMain::SettingsFile() const
{
    return SettingsFileName();
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
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    FOptions.Read(settings);
    edrMain->SetUndoListMax(FOptions.UndoLimit);
    ReadEditorProperties(*edrMain, settings, kPropertySection, QStringLiteral("edrMain"));
    ReadComponentFromIni(*PERLFountain, settings, kPropertySection, QStringLiteral("PERLFountain"));
    ReadPrinterSettings(settings);
}

bool TfrmMain::WriteSettings()
{
    // One settings object, synced once; "Hist" belongs to AddHistory and is never written here,
    // so the history another copy wrote meanwhile survives.
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    WriteViewSettings(settings);
    settings.beginGroup(kPanelSection);
    for (QDockWidget* panel : {pnlSubRoutine, pnlVariable, pnlArrangement, pnlAssocArr, pnlKeyWord, pnlMemo, pnlTab})
        settings.setValue(panel->objectName(), PanelShown(panel) ? 1 : 0);
    settings.endGroup();
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    FPrompts->ShowError(this, QStringLiteral("設定ファイル「%1」に書き込めませんでした。").arg(SettingsFile()));
    return false;
}

void TfrmMain::WriteViewSettings(QSettings& settings) const
{
    WriteEditorProperties(*edrMain, settings, kPropertySection, QStringLiteral("edrMain"));
    WriteComponentToIni(*PERLFountain, settings, kPropertySection, QStringLiteral("PERLFountain"));
    FOptions.Write(settings);
}

bool TfrmMain::WriteViewSettings()
{
    QSettings settings(SettingsFile(), QSettings::IniFormat);
    WriteViewSettings(settings);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

void TfrmMain::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (FFirstShown)
        return;
    FFirstShown = true;
    ApplyLayout(FOptions.ListDefaultSet);
}

void TfrmMain::closeEvent(QCloseEvent* event)
{
    // Whatever goes wrong here, the close is refused rather than the text lost.
    event->ignore();
    RunCommand([&] {
        if (!SaveIfAsked())
            return;
        WriteChangedSideFile();
        WriteSettings();
        RestorePos->Save();
        FClosing = true;
        event->accept();
    });
}

} // namespace brenvik
