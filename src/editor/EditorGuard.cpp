// The editor's event entry points, each run under GuardInput, and the failure report.
#include "editor/EditorGuard.h"

#include "editor/Editor.h"

#include <QString>

#include <new>
#include <stdexcept>

namespace brenvik {

namespace {

QString FailureMessage(const std::exception_ptr& failure)
{
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("メモリが足りません。");
    } catch (const std::exception& error) {
        return QString::fromUtf8(error.what());
    } catch (...) {
        return QStringLiteral("編集できませんでした。");
    }
}

} // namespace

void ReportInputFailure(TEditor& editor, std::exception_ptr failure) noexcept
{
    try {
        emit editor.InputRefused(FailureMessage(failure));
    } catch (...) {
        // The report itself failed (no memory left for the message): the event still ends here.
    }
}

bool TEditor::event(QEvent* event)
{
    return GuardInput(*this, [&] { return QAbstractScrollArea::event(event); });
}

bool TEditor::viewportEvent(QEvent* event)
{
    return GuardInput(*this, [&] { return QAbstractScrollArea::viewportEvent(event); });
}

} // namespace brenvik
