// Serialises the published properties of an object tree into bytes and back.
#pragma once

#include <QByteArray>

class QObject;

namespace brenvik {

// Every stored published property by name: plain values, enumerations and sets by their
// names, sub-objects recursively, collections item by item, string lists by their entries.
QByteArray SaveProperties(const QObject& object);

// Sets the properties present in the bytes and leaves the rest. Bad or truncated bytes
// stop the load where they start; the result is false then.
bool LoadProperties(QObject& object, const QByteArray& bytes);

} // namespace brenvik
