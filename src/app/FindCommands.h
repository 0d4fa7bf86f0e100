// The main window's find and replace commands: the dialogs, the replace question and the search
// highlight over the document's find session; a miss or a count goes to the window's panel 5.
#pragma once

#include <QObject>

namespace brenvik {

class TfrmMain;

class TFindCommands : public QObject {
public:
    // Binds actFind, actFindForward, actFindBackward, actReplace and actFindViewOFF.
    explicit TFindCommands(TfrmMain& window);

    // Selects the next match from the selection in the direction of the options; false (and the
    // miss in panel 5) when there is none.
    bool FindNext();

private:
    void Find();
    // F3 and Shift+F3: the last search again, down or up.
    void FindAgain(bool down);
    void Replace();
    void SetSearchHighlight(bool on);

    TfrmMain& FWindow;
};

} // namespace brenvik
