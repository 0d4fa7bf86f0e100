// The main window: one script in the editor edrMain, its codes, the settings file, the
// commands, the explorer panels and the status bar. One document per process.
#pragma once

#include "app/MainOptions.h"
#include "app/UserPrompts.h"
#include "model/DiskStamp.h"
#include "model/ExplorerNames.h"
#include "model/ScriptDocument.h"

#include <QDateTime>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QListView;
class QMenu;
class QPlainTextEdit;
class QToolButton;

namespace brenvik {

class TEditor;
class TFindCommands;
class TGrepCommands;
class TDiskWatch;
class TDockPanels;
class TExplorerPanel;
class TPERLFountain;
class TRecoveryKeeper;
class TRestorePos;
class TScriptRunCommands;
struct TRecoveryEntry;
class TSettingsFile;
class TStringsPrinter;
class TfrmPrint;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // prompts (not owned) answers the dialogs; null: the real ones.
    explicit TfrmMain(TUserPrompts* prompts = nullptr, QWidget* parent = nullptr);
    ~TfrmMain() override;

    TEditor& Editor() const { return *edrMain; }
    TScriptDocument& Document() { return FDocument; }
    const TScriptDocument& Document() const { return FDocument; }
    const TMainOptions& Options() const { return FOptions; }
    QAction* Action(const QString& name) const;
    QString StatusPanelText(int panel) const;
    // Status panel 5, where hints, misses, counts and refusals are told.
    void ShowMessage(const QString& text);

    // Reads a script into the document after the checks and questions: by detection, or from the
    // stated codes; a failure is reported and leaves the window as it was.
    bool LoadFile(const QString& fileName, JCode jcode, RCode rcode, bool stated);
    bool LoadFile(const QString& fileName) { return LoadFile(fileName, FOptions.DefaultJCode, FOptions.DefaultRCode, false); }
    // Writes the document after asking what a code would lose; on success the document takes the
    // name and codes.
    bool SaveFile(const QString& fileName, JCode jcode, RCode rcode, bool bom = false,
        TWriteForms forms = TWriteForms::wfAsFound);
    // Yes, No or Cancel; No at once when nothing changed.
    TAnswer QuerySave();
    // Asks, then saves on Yes; true when the command may go on (No, or Yes and saved).
    bool SaveIfAsked();
    void AddHistory(const QString& fileName);
    // position, when given, goes before the file as "+LINE:COL".
    bool OpenElsewhere(const QString& fileName = QString(), const QString& position = QString());
    TDockPanels& Panels() const { return *FPanels; }
    // The update handlers of the commands, the status bar and the title; run when the event
    // loop is about to wait.
    void IdleUpdate();

    // The file commands (also bound to the actions).
    void FileNew();
    void FileOpen();
    void FileOpenClose();
    void FileOpenCode();
    bool FileSave();
    bool FileSaveAs();
    bool FileSaveCode();

    // Options dialog and about box: what they read and apply, and their commands, which come
    // from a library above this one (bound by the program's entry).
    TPERLFountain& PerlFountain() const { return *PERLFountain; }
    // Takes new "Option" values and repaints the marks drawn over the text.
    void SetOptions(const TMainOptions& options);
    // The five explorer lists and the memo.
    QList<QWidget*> ExplorerViews() const;
    // Writes the editor properties, the Perl colours and "Option" in one pass; false, and the
    // failure told in an error box, when the settings file could not be written.
    bool WriteViewSettings();
    // Runs handler (through the window's error backstop) when the action fires.
    void BindCommand(const char* name, std::function<void()> handler);

    // Find and replace over the document's find session.
    TFindCommands& FindCommands() const { return *FFindCommands; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    struct TUpdateRule {
        QAction* Action;
        std::function<bool()> Enabled;
        std::function<bool()> Checked; // empty: not checkable
    };

    // After a load or a save: the history, the title, the side file, note (when any) in panel 5 and
    // the lists.
    void ShowDocument(const QString& note);

    // Printing, in frmMainPrint.cpp.
    void ReadPrinterSettings(TSettingsFile& settings);
    void FilePrint();
    TStringsPrinter* StringsPrinter1 = nullptr;

    // Start-up, in frmMain.cpp.
    void ConfigureEditor();
    // The editor's OnDrawLine: what the window paints over each row.
    void DrawOverRow(
        TEditor& editor, const std::string& text, int x, int y, int row, const QRect& rect, bool selected) const;
    void ReadSettings();
    bool WriteSettings();
    void WriteViewSettings(TSettingsFile& settings) const;
    // Commands, menus, tool bar and popup, in frmMainActions.cpp.
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QAction* AddAction(const char* name, const char* caption, const char* shortcut, const char* hint);
    void AddRule(const char* name, std::function<bool()> enabled, std::function<bool()> checked = {});
    // The caret moves and their menu places, in frmMainMoves.cpp; after the menus are made.
    void CreateMoveCommands();
    void CreateBookmarkCommands();
    void RunCommand(const std::function<void()>& command);
    bool MemoFocused() const;
    // Status bar, title, wrap and history, in frmMainStatus.cpp.
    void CreateStatusBar();
    void UpdateStatusBar();
    void UpdateTitle();
    void FollowWindowWidth();
    void UpdateHistoryMenus();
    void OpenHistoryEntry(const QString& fileName);
    // Opening where the document model says: here when the window is empty, else elsewhere.
    void OpenHereOrElsewhere(const QString& fileName);
    // After asking to save, the file the user picks to load in this window; empty: none.
    QString FileToReplaceDocument();
    QString DocumentFolder() const;

    TDialogPrompts FDialogs;
    TUserPrompts* FPrompts;
    std::unique_ptr<TPERLFountain> PERLFountain;
    // Before the editor, which shows it and is deleted first.
    TScriptDocument FDocument;
    TEditor* edrMain;
    TRestorePos* RestorePos;
    TMainOptions FOptions;
    std::vector<TUpdateRule> FRules;
    bool FFirstShown = false;
    bool FClosing = false;
    int FWrapColumns = -1;
    int FWheelPending = 0; // wheel movement short of a notch

    // Menus and the history.
    QMenu* mnuFile = nullptr;
    QAction* mnuHistorySplit = nullptr;
    QMenu* FReOpenMenu = nullptr;
    QToolButton* sbtReOpen = nullptr;
    QAction* FReOpenSplit = nullptr;
    QList<QAction*> FHistoryItems;
    QStringList FHistoryShown;
    QDateTime FHistoryStamp;

    // The explorer's views and the panels holding them.
    friend class TDockPanels;
    TDockPanels* FPanels = nullptr;
    QListView* lbxSubRoutine = nullptr;
    QListView* lbxVariable = nullptr;
    QListView* lbxArrangement = nullptr;
    QListView* lbxAssocArr = nullptr;
    QListView* lbxKeyWord = nullptr;
    QPlainTextEdit* memMemo = nullptr;

    // The status panels: caret, modified, overwrite, box, codes, messages, the character at the caret.
    std::vector<QLabel*> FStatusPanels;

    friend class TFindCommands;
    TFindCommands* FFindCommands = nullptr;
    // The variable explorer beside the editor.
public:
    TExplorerPanel& Explorer() const { return *FExplorer; }

private:
    friend class TExplorerPanel;
    friend class TPhraseCommands;
    TExplorerPanel* FExplorer = nullptr;

public:
    TGrepCommands& Grep() const { return *FGrep; }

private:
    TGrepCommands* FGrep = nullptr;
    // The print-statement builder, and the fixed phrases and line tools (frmMainBuilder.cpp).
public:
    TfrmPrint& Builder() const { return *frmPrint; }
    void ToggleBuilder();
    // Inserts the builder's statements at the caret, replacing the selection, in one undo step
    // and gives this window and its editor the focus; false, with a message in panel 5, when the
    // editor is read-only.
    bool InsertStatements(const std::string& text);
    // A refused phrase, in a message box over the builder.
    void ShowBuilderError(const QString& message);
    // The builder's commands share this window's backstop: a failure is one error box.
    void RunBuilderCommand(const std::function<void()>& command) { RunCommand(command); }

private:
    void CreateBuilderParts();
    // The check and the CGI run, with their panel (ScriptRunCommands.cpp).
public:
    TScriptRunCommands& ScriptRun() const { return *FScriptRun; }

private:
    friend class TScriptRunCommands;
    TScriptRunCommands* FScriptRun = nullptr;
    std::unique_ptr<TfrmPrint> frmPrint;

    // Recovery after a crash, changes on disk and backups (frmMainRecovery.cpp).
public:
    // At start: reads fileName and offers the recovery files a process that is gone left of it;
    // with no file, offers every such recovery file.
    void OpenAtStart(const QString& fileName);
    // Takes the text of the recovery file path without asking (another copy asked); false when
    // it is gone or its process still runs.
    bool RestoreRecovery(const QString& path);
    TRecoveryKeeper& Recovery() const { return *FRecovery; }
    TDiskWatch& DiskWatch() const { return *FDiskWatch; }
    // Compares the file with what the document last read or wrote, and asks or tells.
    void CheckDisk();

private:
    enum class TOverwrite { Go, SaveAs, Cancel };
    void CreateRecoveryParts();
    void ApplyRecoveryOptions();
    // Asks about one recovery file; true when its text came back in this window.
    bool OfferRecovery(const TRecoveryEntry& orphan);
    bool Restore(const TRecoveryEntry& orphan);
    // Before a save over the document's own file that another program changed: the question.
    TOverwrite AskOverwriteChanged(const QString& fileName);
    // Before every save: the backup, when the option asks for one; false, told, when it failed.
    bool BackUp(const QString& fileName);
    // After a load, a save or a restore: the file as the document knows it.
    void FollowFile(const std::optional<TDiskStamp>& stamp);
    // What the title adds for a file gone from the disk; empty when it is there.
    QString DiskNote() const;
    TRecoveryKeeper* FRecovery = nullptr;
    TDiskWatch* FDiskWatch = nullptr;
    TDiskState FDiskState = TDiskState::Same;
    bool FCheckingDisk = false;
    // A change the user chose not to reload: not asked again until the file changes again.
    std::optional<TDiskStamp> FKeptChange;
};

} // namespace brenvik
