// What the options tests share: a main window over a settings folder of its own, the dialog
// loaded from it, the replaced font dialog and opener, and the stored streams of the window.
#pragma once

#include "app/FakePrompts.h"
#include "app/frmMain.h"
#include "options/OptionHooks.h"

#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

namespace brenvik::test {

// Replaces the font dialog and the opener for one test and puts the program's back after.
class TReplacedHooks {
public:
    TReplacedHooks()
        : FChooser(FontChooser())
        , FOpener(TargetOpener())
    {
        TargetOpener() = [this](const QUrl& target) {
            Opened.append(target);
            return OpenSucceeds;
        };
        FontChooser() = [this](QWidget*, QFont& font) {
            ++FontDialogs;
            if (!FontAnswer)
                return false;
            font = *FontAnswer;
            return true;
        };
    }
    ~TReplacedHooks()
    {
        FontChooser() = FChooser;
        TargetOpener() = FOpener;
    }

    QList<QUrl> Opened;
    bool OpenSucceeds = true;
    std::optional<QFont> FontAnswer;
    int FontDialogs = 0;

private:
    TFontChooser FChooser;
    TTargetOpener FOpener;
};

class TMainWindowFixture : public ::testing::Test {
protected:
    TMainWindowFixture()
    {
        qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit());
        window = std::make_unique<TfrmMain>(&prompts);
        window->resize(900, 700);
        window->show();
    }
    ~TMainWindowFixture() override { qunsetenv("BRENVIK_HOME"); }

    QString SettingsPath() const { return FHome.filePath(QStringLiteral("brenvik.ini")); }
    // The window's stored streams and "Option" keys as the settings file would hold them.
    QByteArray StoredSettings() const;
    // Runs the modal runner with drive acting on the shown dialog (which must close it).
    template <typename Run, typename Drive> void RunModal(Run run, Drive drive)
    {
        QTimer::singleShot(0, [drive] {
            QWidget* modal = QApplication::activeModalWidget();
            ASSERT_NE(modal, nullptr);
            drive(*modal);
        });
        run();
    }

    QTemporaryDir FHome;
    TFakePrompts prompts;
    TReplacedHooks hooks;
    std::unique_ptr<TfrmMain> window;
};

} // namespace brenvik::test
