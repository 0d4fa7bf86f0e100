// The notify handler type shared by every component: a callable receiving the sender.
#pragma once

#include <functional>

class QObject;

namespace brenvik {

using TNotifyEvent = std::function<void(QObject* sender)>;

} // namespace brenvik
