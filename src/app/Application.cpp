// The event loop's backstop.
#include "app/Application.h"

#include <QMessageBox>
#include <new>

namespace brenvik {

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Brenvik"));
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
    QMessageBox::critical(activeWindow(), QStringLiteral("Brenvik"), message);
    FShowing = false;
}

} // namespace brenvik
