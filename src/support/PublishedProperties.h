// Enumerates the published properties of an object and walks the objects they hold.
#pragma once

#include <QMetaProperty>
#include <functional>
#include <vector>

class QObject;

namespace brenvik {

enum TPropertyKind : unsigned {
    pkInteger = 1,
    pkBoolean = 2,
    pkEnumeration = 4, // enumerations and sets
    pkString = 8, // QString, QByteArray and their lists
    pkObject = 16, // object-valued properties
    pkOther = 32,
};
using TPropertyKinds = unsigned;

// The published properties of a class: its Q_PROPERTYs except those of QObject itself.
std::vector<QMetaProperty> PublishedProperties(const QMetaObject& metaObject);
TPropertyKind KindOf(const QMetaProperty& property);
// The object held by an object-valued property, or null.
QObject* SubObject(const QObject& object, const QMetaProperty& property);

using TPropertyProc = std::function<void(void* context, QObject& object, const QMetaProperty& property)>;

// Calls Procedure for every published property of Object whose kind is in Kinds, walking the
// objects held by object-valued properties and, for collections, each of their items.
void ForEachPublishedProperty(
    QObject& object, TPropertyKinds kinds, const TPropertyProc& procedure, void* context);

} // namespace brenvik
