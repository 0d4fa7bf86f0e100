// The print-statement builder "Print文挿入": a second, non-modal window whose editor edrPrint
// holds the text (usually HTML) that becomes Perl print statements in the main window's script.
#pragma once

#include "app/PrintStatements.h"

#include <QMainWindow>

#include <functional>
#include <memory>
#include <vector>

class QActionGroup;
class QMenu;

namespace brenvik {

class TEditor;
class TfrmMain;
class THTMLFountain;

class TfrmPrint : public QMainWindow {
    Q_OBJECT
public:
    // Reads "Print.ini" of the program folder; the window starts hidden.
    explicit TfrmPrint(TfrmMain& main);
    // Writes "Print.ini".
    ~TfrmPrint() override;

    TEditor& Editor() const { return *edrPrint; }
    THTMLFountain& HTMLFountain() const { return *FHTMLFountain; }
    QAction* Action(const QString& name) const;
    TPrintForm Form() const;
    bool WordWrapWindow() const { return FWordWrapWindow; }
    // The "WordWrapWindow" setting, for the builder's settings dialog to change.
    bool& WordWrapWindowSetting() { return FWordWrapWindow; }
    // Writes "Print.ini"; false when the file could not be written.
    bool WriteSettings();
    QString SettingsFile() const;
    QString PhraseFolder() const;

    // The statements for the builder's text in the chosen form, lined up under the main caret.
    std::string Statements() const;
    // Inserts the statements at the main caret in one step and gives the main window the focus;
    // false when the main editor refused them (read-only).
    bool Insert();
    void InsertClose();
    // Hides the window; its text is deleted as one undo step, so Ctrl+Z brings it back.
    void CloseBuilder();
    void MakeConst();
    // The update handlers of the commands; run when the event loop is about to wait.
    void IdleUpdate();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct TUpdateRule {
        QAction* Action;
        std::function<bool()> Enabled;
    };

    // Settings, in frmPrint.cpp.
    void ConfigureEditor();
    void ReadSettings();
    void FollowWindowWidth();
    void UpdateScrollBars();
    // Commands, in frmPrintActions.cpp.
    void CreateActions();
    void CreateMenus();
    QAction* AddAction(
        const char* name, const char* caption, const char* shortcut, const char* hint = nullptr);
    void RunCommand(const std::function<void()>& command);
    void InsertPhrase(const QString& path);

    TfrmMain& FMain;
    std::unique_ptr<THTMLFountain> FHTMLFountain;
    TEditor* edrPrint;
    QActionGroup* FForms = nullptr;
    QMenu* mnuConst = nullptr;
    std::vector<TUpdateRule> FRules;
    bool FWordWrapWindow = true;
    int FWheelPending = 0; // wheel movement short of a notch
    bool FWrapPending = true; // the window was resized since the wrap width followed it
};

} // namespace brenvik
