// One guard for everything the editor does on an event: an exception raised while handling
// input, a paste or a menu command becomes a message to the user and never leaves the Qt
// event handler (Qt cannot unwind through its event loop).
#pragma once

#include <exception>

namespace brenvik {

class TEditor;

// Emits the failure's message through editor's InputRefused.
void ReportInputFailure(TEditor& editor, std::exception_ptr failure) noexcept;

// Runs handler and answers what it answers; when it raises, reports the failure and answers
// true, the event having been dealt with.
template <class Handler>
bool GuardInput(TEditor& editor, Handler&& handler) noexcept
{
    try {
        return handler();
    } catch (...) {
        ReportInputFailure(editor, std::current_exception());
        return true;
    }
}

} // namespace brenvik
