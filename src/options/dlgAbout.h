// The about box: the program icon, name and version, and two links, one to the README shipped
// beside the program and one to the folder that holds the user's settings.
#pragma once

#include <QDialog>

namespace brenvik {

class TLightLabel;

class TdlgAbout : public QDialog {
    Q_OBJECT
public:
    explicit TdlgAbout(QWidget* parent = nullptr);

    TLightLabel* ReadmeLink() const { return lblReadme; }
    TLightLabel* SettingsLink() const { return lblSettings; }

    // The README beside the program, else the installed documentation's.
    static QString ReadmePath();

private:
    TLightLabel* lblReadme;
    TLightLabel* lblSettings;
};

// The runner of "バージョン情報(&A)...".
void RunAboutBox(QWidget* owner);

} // namespace brenvik
