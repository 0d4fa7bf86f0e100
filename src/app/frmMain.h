// The main window: one script in the editor edrMain, highlighted as Perl.
#pragma once

#include <QMainWindow>
#include <memory>

namespace brenvik {

class TEditor;
class TPERLFountain;

class TfrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    TEditor& Editor() const { return *edrMain; }
    const QString& FileName() const { return FFileName; }

    // Reads a script as the open command does (its character and line-break codes detected).
    // A file that cannot be read is reported in a message box and the window keeps its text.
    bool LoadFile(const QString& fileName);
    // Starts another copy of the program on fileName (empty: on a new text); a failed start is
    // reported in a message box.
    bool OpenElsewhere(const QString& fileName = QString());

private:
    void ConfigureEditor();

    std::unique_ptr<TPERLFountain> PERLFountain;
    TEditor* edrMain;
    QString FFileName;
};

} // namespace brenvik
