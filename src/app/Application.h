// The application object: the last line of defence for exceptions that reach the event loop.
#pragma once

#include <QApplication>

class QTranslator;

namespace brenvik {

// An exception that leaves an event handler is shown in an error box (one at a time) and the
// program goes on, with the user's text intact.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

private:
    void ShowError(const QString& message);
    bool FShowing = false;
};

// Installs Qt's Japanese translations of its own texts, owned by application (deleting the
// translator uninstalls it); null when they are not installed.
QTranslator* InstallQtJapanese(QCoreApplication& application);

} // namespace brenvik
