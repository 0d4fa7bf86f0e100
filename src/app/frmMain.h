// The main window: one script in the editor edrMain, its codes, the settings file, the
// commands, the explorer panels and the status bar. One document per process.
#pragma once

#include "app/FindState.h"
#include "app/MainOptions.h"
#include "app/UserPrompts.h"
#include "model/ExplorerNames.h"

#include <QDateTime>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QDockWidget;
class QSettings;
class QLabel;
class QListView;
class QMenu;
class QPlainTextEdit;
class QSettings;
class QTabWidget;
class QToolButton;

namespace brenvik {

class TEditor;
class TFindPrompts;
struct TSearchRange;
class TExplorerListModel;
struct TExplorerState;
class TPERLFountain;
class TRowHighlighter;
class TRestorePos;
class TStringsPrinter;
class TfrmPrint;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    // prompts (not owned) answers the dialogs; null: the real ones.
    explicit TfrmMain(TUserPrompts* prompts = nullptr, QWidget* parent = nullptr);
    ~TfrmMain() override;

    TEditor& Editor() const { return *edrMain; }
    const QString& FileName() const { return FFileName; }
    JCode DocumentJCode() const { return FJCode; }
    RCode DocumentRCode() const { return FRCode; }
    bool DocumentBom() const { return FBom; }
    const TMainOptions& Options() const { return FOptions; }
    QAction* Action(const QString& name) const;
    QString StatusPanelText(int panel) const;

    // Reads a script into this window: by detection, or from the stated codes. Text, codes,
    // name, modified flag and undo change together, and only when the read succeeded; a
    // failure is reported and leaves the window as it was.
    bool LoadFile(const QString& fileName, JCode jcode, RCode rcode, bool stated);
    bool LoadFile(const QString& fileName) { return LoadFile(fileName, FOptions.DefaultJCode, FOptions.DefaultRCode, false); }
    // Writes the document; on success the document takes the name and codes.
    bool SaveFile(const QString& fileName, JCode jcode, RCode rcode, bool bom = false);
    // Yes, No or Cancel; No at once when nothing changed.
    QMessageBox::StandardButton QuerySave();
    // Asks, then saves on Yes; true when the command may go on (No, or Yes and saved).
    bool SaveIfAsked();
    void AddHistory(const QString& fileName);
    bool OpenElsewhere(const QString& fileName = QString());
    void ApplyLayout(int layout);
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
    TUserPrompts& Prompts() const { return *FPrompts; }
    // Takes new "Option" values and repaints the marks drawn over the text.
    void SetOptions(const TMainOptions& options);
    // The five explorer lists and the memo.
    QList<QWidget*> ExplorerViews() const;
    // Writes the editor properties, the Perl colours and "Option" in one pass; false when the
    // settings file could not be written (nothing is shown: the caller words the message).
    bool WriteViewSettings();
    // Runs handler (through the window's error backstop) when the action fires.
    void BindCommand(const char* name, std::function<void()> handler);

    // Find and replace (frmMainFind.cpp, frmMainReplace.cpp).
    const TFindState& FindState() const { return FFind; }
    // prompts (not owned) answers the find dialogs and the replace question; null: the real ones.
    void SetFindPrompts(TFindPrompts* prompts);
    void Find();
    void FindForward();
    void FindBackward();
    void Replace();
    void FindViewOff();
    // Selects the next match from the selection in the direction of the options; false (and the
    // miss in panel 5) when there is none.
    bool FindNext();

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

    // The document's code; a UTF-8 document takes typed characters without a Shift_JIS code.
    void SetDocumentJCode(JCode jcode);
    // Before a save in a code other than UTF-8: true when the text holds no character that only UTF-8
    // writes, or the user agrees to lose them.
    bool AgreeToLoseOwnChars(const QString& name);

    // Printing, in frmMainPrint.cpp.
    void ReadPrinterSettings(QSettings& settings);
    void FilePrint();
    TStringsPrinter* StringsPrinter1 = nullptr;

    // Start-up, in frmMain.cpp.
    void ConfigureEditor();
    // The editor's OnDrawLine: what the window paints over each row.
    void DrawOverRow(
        TEditor& editor, const std::string& text, int x, int y, int row, const QRect& rect, bool selected) const;
    void ReadSettings();
    bool WriteSettings();
    void WriteViewSettings(QSettings& settings) const;
    // Commands, menus, tool bar and popup, in frmMainActions.cpp.
    void CreateActions();
    void CreateMenus();
    void CreateToolBar();
    QAction* AddAction(const char* name, const char* caption, const char* shortcut, const char* hint);
    void AddRule(const char* name, std::function<bool()> enabled, std::function<bool()> checked = {});
    // The caret moves and their menu places, in frmMainMoves.cpp; after the menus are made.
    void CreateMoveCommands();
    void RunCommand(const std::function<void()>& command);
    bool MemoFocused() const;
    // Panels, in frmMainPanels.cpp.
    void CreatePanels();
    QDockWidget* AddPanel(const char* name, const QString& caption, QWidget* content);
    void TogglePanel(QDockWidget* panel);
    bool PanelShown(QDockWidget* panel) const;
    bool IsTabPage(QDockWidget* panel) const;
    void PutIntoTabs(QDockWidget* panel);
    void TakeOutOfTabs(QDockWidget* panel);
    // Status bar, title, wrap and history, in frmMainStatus.cpp.
    void CreateStatusBar();
    void UpdateStatusBar();
    void UpdateTitle();
    void FollowWindowWidth();
    void UpdateHistoryMenus();
    void OpenHistoryEntry(const QString& fileName);
    // Opening where the document model says: here when the window is empty, else elsewhere.
    void OpenHereOrElsewhere(const QString& fileName);
    bool IsEmptyDocument() const;
    // After asking to save, the file the user picks to load in this window; empty: none.
    QString FileToReplaceDocument();
    QString DocumentFolder() const;
    QString SettingsFile() const;

    TDialogPrompts FDialogs;
    TUserPrompts* FPrompts;
    std::unique_ptr<TPERLFountain> PERLFountain;
    TEditor* edrMain;
    TRestorePos* RestorePos;
    TMainOptions FOptions;
    QString FFileName;
    JCode FJCode = jcSjis;
    RCode FRCode = rcCrLf;
    // UTF-8 (jcode 7): a UTF-8 document's byte-order mark, kept as found and written on save.
    bool FBom = false;
    // The document was opened read-only because its file has more characters without a Shift_JIS code
    // than the user-defined area holds.
    bool FUnheldReadOnly = false;
    void ShowUnheldChar(const QString& fileName);
    // The code of the file's first line break, for saving a document read with RCode 0.
    RCode FFirstBreak = rcNone;
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

    // Panels.
    QDockWidget* pnlSubRoutine = nullptr;
    QDockWidget* pnlVariable = nullptr;
    QDockWidget* pnlArrangement = nullptr;
    QDockWidget* pnlAssocArr = nullptr;
    QDockWidget* pnlKeyWord = nullptr;
    QDockWidget* pnlMemo = nullptr;
    QDockWidget* pnlTab = nullptr;
    QTabWidget* pgcDock = nullptr;
    QListView* lbxSubRoutine = nullptr;
    QListView* lbxVariable = nullptr;
    QListView* lbxArrangement = nullptr;
    QListView* lbxAssocArr = nullptr;
    QListView* lbxKeyWord = nullptr;
    QPlainTextEdit* memMemo = nullptr;

    // The six status panels.
    std::vector<QLabel*> FStatusPanels;

    // Find and replace.
    void CreateFindCommands();
    void SetSearchHighlight(bool on);
    // The whole text, lines joined by CR LF, kept until the text changes.
    const std::string& JoinedText();
    std::string InitialSearchText() const;
    TSearchRange SelectionRange() const;
    void SelectMatch(const TSearchRange& match);
    void ReportMiss();
    // The replace loop over the window's find state; returns the number of replacements.
    int ReplaceLoop();
    // Replaces first (or the match find-next reaches) and every later one in one edit.
    int ReplaceRest(const TSearchRange* first);
    void ReplaceSelected(const TSearchRange& match);
    TFindPrompts* FFindPrompts = nullptr;
    TFindState FFind;
    std::string FJoinedText;
    std::uint64_t FJoinedVersion = 0;
    bool FJoinedValid = false;
    // ---- Variable explorer (frmMainExplorer.cpp, frmMainExplorerSide.cpp) ----
public:
    // The items of list 0 subroutines, 1 scalars, 2 arrays, 3 hashes, 4 keywords.
    const TExplorerListModel& ListModel(int list) const;
    // actMakeList: the four lists rebuilt at once.
    void MakeList();
    // The same rebuild by the explorer's background job; pending until it has finished.
    void MakeListSoon();
    bool ListsPending() const;
    // Popup command number command of list; with Shift down it may become the default instead.
    void ListCommand(int list, int command);
    void KeyWordAdd();
    const TRowHighlighter& RowHighlighter() const;
    QString SideFileName() const;

private:
    void CreateExplorer();
    void CreateListMenu(int list);
    QListView* ListView(int list) const;
    void ApplyNames(TExplorerNames names);
    void ApplyListNames(int list, std::vector<std::string> names);
    void RunListCommand(int list, int command);
    void GoToUse(int list, bool forward, bool definitionsOnly);
    void HighlightEntry(int list);
    void SetHighlight(const std::string& keyword, bool on);
    void SearchKeyWord(bool forward);
    std::string SelectedName(int list) const;
    int& DefaultMenu(int list);
    bool& SortFlag(int list);
    void ExplorerTextChanged();
    void ExplorerKey(int key);
    // The side file and the memo.
    void ReadSideFile();
    void WriteSideFile();
    void WriteChangedSideFile();
    void MemoChanged();
    void SetMemo(const std::string& bytes);
    std::unique_ptr<TExplorerState> FExplorer;
    // Fixed phrases, line tools, the print-statement builder and the marks (frmMainBuilder.cpp).
public:
    TfrmPrint& Builder() const { return *frmPrint; }
    QString PhraseFolder() const;
    // Rebuilds "定型文(&C)" from the phrase folder.
    void MakeConst();
    void InsertPhrase(const QString& path);
    void ToolIndent();
    void ToolComment();
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
    std::unique_ptr<TfrmPrint> frmPrint;
};

} // namespace brenvik
