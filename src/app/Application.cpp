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
    // Qt's own dialogs (files, colours, print) speak the user's language where Qt has it.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
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
