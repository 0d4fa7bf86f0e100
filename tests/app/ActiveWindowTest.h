// A fixture with the main window shown, active and its editor focused, over a program folder of its
// own, so that real key events reach the editor as a user's would.
#pragma once

#include "FakePrompts.h"
#include "app/frmMain.h"
#include "editor/Editor.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

namespace brenvik::test {

class TActiveWindowTest : public ::testing::Test {
protected:
    TActiveWindowTest()
    {
        qputenv("BRENVIK_HOME", FHome.path().toLocal8Bit());
        window = std::make_unique<TfrmMain>(&prompts);
        window->show();
        QApplication::setActiveWindow(window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        Editor().setFocus();
    }
    ~TActiveWindowTest() override { qunsetenv("BRENVIK_HOME"); }

    TEditor& Editor() const { return window->Editor(); }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) { QTest::keyClick(&Editor(), key, modifiers); }

    QTemporaryDir FHome;
    TFakePrompts prompts;
    std::unique_ptr<TfrmMain> window;
};

} // namespace brenvik::test
