// The event loop's backstop.
#include "app/Application.h"

#include "support/Prompts.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <new>

namespace brenvik {

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Brenvik"));
    InstallQtJapanese(*this);
}

QTranslator* InstallQtJapanese(QCoreApplication& application)
{
    // Every caption of the program is Japanese, so Qt's own texts (message-box buttons, file,
    // colour and print dialogs) are too, whatever the session's language.
    auto* translator = new QTranslator(&application);
    if (!translator->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return nullptr;
    }
    QCoreApplication::installTranslator(translator);
    return translator;
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
        ShowError(QStringLiteral("メモリが足りません。"));
    } catch (const std::exception& error) {
        ShowError(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        ShowError(QStringLiteral("予期しないエラーが発生しました。"));
    }
    return false;
}

void TApplication::ShowError(const QString& message)
{
    if (FShowing)
        return;
    FShowing = true;
    Prompts().ShowError(activeWindow(), message);
    FShowing = false;
}

} // namespace brenvik
