// The main window's fixed phrases and line tools: "定型文(&C)" rebuilt from the phrase folder, a
// phrase inserted at the caret, and indenting and commenting the selected lines.
#pragma once

#include <QObject>
#include <QString>

namespace brenvik {

class TfrmMain;

class TPhraseCommands : public QObject {
public:
    // Binds actMakeConst, actToolIndent and actToolComment and builds the phrase menu.
    explicit TPhraseCommands(TfrmMain& window);

private:
    // Rebuilds "定型文(&C)" from the phrase folder.
    void MakeConst();
    void InsertPhrase(const QString& path);

    TfrmMain& FWindow;
};

} // namespace brenvik
