// Walking published properties through Qt's meta-object system.
#include "support/PublishedProperties.h"

#include "support/NotifyCollection.h"

#include <QObject>
#include <unordered_set>

namespace brenvik {

namespace {

void Walk(QObject& object, TPropertyKinds kinds, const TPropertyProc& procedure, void* context,
    std::unordered_set<const QObject*>& visited)
{
    // An object reachable twice (or through a cycle) is walked once.
    if (!visited.insert(&object).second)
        return;
    for (const QMetaProperty& property : PublishedProperties(*object.metaObject())) {
        if (KindOf(property) & kinds)
            procedure(context, object, property);
        QObject* sub = SubObject(object, property);
        if (sub == nullptr)
            continue;
        Walk(*sub, kinds, procedure, context, visited);
        if (auto* collection = qobject_cast<TNotifyCollection*>(sub)) {
            for (int i = 0; i < collection->Count(); ++i)
                Walk(collection->Items(i), kinds, procedure, context, visited);
        }
    }
}

} // namespace

std::vector<QMetaProperty> PublishedProperties(const QMetaObject& metaObject)
{
    std::vector<QMetaProperty> result;
    for (int i = QObject::staticMetaObject.propertyCount(); i < metaObject.propertyCount(); ++i) {
        const QMetaProperty property = metaObject.property(i);
        if (property.isStored())
            result.push_back(property);
    }
    return result;
}

TPropertyKind KindOf(const QMetaProperty& property)
{
    if (property.isEnumType())
        return pkEnumeration;
    const QMetaType type = property.metaType();
    if (type.flags() & QMetaType::PointerToQObject)
        return pkObject;
    switch (type.id()) {
    case QMetaType::Bool:
        return pkBoolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return pkInteger;
    case QMetaType::QString:
    case QMetaType::QByteArray:
    case QMetaType::QStringList:
    case QMetaType::QByteArrayList:
        return pkString;
    default:
        return pkOther;
    }
}

QObject* SubObject(const QObject& object, const QMetaProperty& property)
{
    if (KindOf(property) != pkObject)
        return nullptr;
    return property.read(&object).value<QObject*>();
}

void ForEachPublishedProperty(
    QObject& object, TPropertyKinds kinds, const TPropertyProc& procedure, void* context)
{
    std::unordered_set<const QObject*> visited;
    Walk(object, kinds, procedure, context, visited);
}

} // namespace brenvik
