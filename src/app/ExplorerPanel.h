// The variable explorer beside the editor: the lists of the script's subroutines, scalars, arrays
// and hashes with their commands and rebuild, the keyword list and highlight, and the memo, which
// show the document's side-file session. It acts on the window's editor and document.
#pragma once

#include "app/ExplorerState.h"

#include <QObject>

#include <array>
#include <string>
#include <vector>

class QListView;
class QPlainTextEdit;

namespace brenvik {

class TEditor;
class TfrmMain;
class TScriptDocument;

class TExplorerPanel : public QObject {
public:
    // lists: the views of the four built lists and the keyword list (TExplorerList order).
    TExplorerPanel(TfrmMain& window, const std::array<QListView*, kListCount>& lists, QPlainTextEdit* memo);

    // The items of list 0 subroutines, 1 scalars, 2 arrays, 3 hashes, 4 keywords.
    const TExplorerListModel& ListModel(int list) const;
    const TRowHighlighter& RowHighlighter() const;
    TRowHighlighter& Highlighter() { return FState.Highlighter; }
    // actMakeList: the four lists rebuilt at once.
    void MakeList();
    // The same rebuild by the background job; pending until it has finished.
    void MakeListSoon();
    bool ListsPending() const;
    // Popup command number command of list; with Shift down it may become the default instead.
    void ListCommand(int list, int command);
    void KeyWordAdd();
    // After a load or a save: the keywords and the memo of the document's side file.
    void ShowSideFile();
    void WriteChangedSideFile();

private:
    TEditor& Editor() const;
    TScriptDocument& Document() const;
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
    void MemoChanged();
    // The keyword list changed; write: the side file is written at once.
    void KeywordsChanged(bool write);

    TfrmMain& FWindow;
    std::array<QListView*, kListCount> FLists;
    QPlainTextEdit* FMemo;
    TExplorerState FState;
};

} // namespace brenvik
