// The byte format of stored properties: a tagged record of name/value pairs per object.
#include "support/PropertyStream.h"

#include "support/NotifyCollection.h"
#include "support/NotifyPersistent.h"
#include "support/PublishedProperties.h"
#include "support/StringList.h"

#include <QDataStream>
#include <QIODevice>
#include <QMetaEnum>
#include <QVariant>
#include <exception>
#include <optional>
#include <string>
#include <vector>

namespace brenvik {

namespace {

constexpr quint32 kMagic = 0x42525650; // "BRVP"
constexpr quint8 kFormat = 1;
// Deeper nesting than any real component has means a damaged stream.
constexpr int kMaxDepth = 32;

// Values travel as their own tags rather than as QVariant: a damaged QVariant type id could
// name a container type whose reader reserves room for billions of elements.
enum class TTag : quint8 {
    tgText,
    tgBytes,
    tgTextList,
    tgBytesList,
    tgEnum,
    tgObject,
    tgCollection,
    tgStrings
};

// Plain values other than byte strings and lists travel as text that converts back.
bool TravelsAsText(QMetaType type)
{
    return QMetaType::canConvert(type, QMetaType::fromType<QString>())
        && QMetaType::canConvert(QMetaType::fromType<QString>(), type);
}

std::optional<TTag> ValueTag(QMetaType type)
{
    switch (type.id()) {
    case QMetaType::QByteArray:
        return TTag::tgBytes;
    case QMetaType::QStringList:
        return TTag::tgTextList;
    case QMetaType::QByteArrayList:
        return TTag::tgBytesList;
    default:
        return TravelsAsText(type) ? std::optional(TTag::tgText) : std::nullopt;
    }
}

struct TEntry {
    QMetaProperty Property;
    TTag Tag;
    QObject* Sub;
};

TTag TagOf(QObject* sub)
{
    if (qobject_cast<TNotifyCollection*>(sub) != nullptr)
        return TTag::tgCollection;
    if (qobject_cast<TStringList*>(sub) != nullptr)
        return TTag::tgStrings;
    return TTag::tgObject;
}

std::vector<TEntry> StorableEntries(const QObject& object)
{
    std::vector<TEntry> result;
    for (const QMetaProperty& property : PublishedProperties(*object.metaObject())) {
        if (KindOf(property) == pkObject) {
            if (QObject* sub = SubObject(object, property))
                result.push_back({property, TagOf(sub), sub});
        } else if (property.isWritable() && property.isReadable()) {
            if (property.isEnumType())
                result.push_back({property, TTag::tgEnum, nullptr});
            else if (const std::optional<TTag> tag = ValueTag(property.metaType()))
                result.push_back({property, *tag, nullptr});
        }
    }
    return result;
}

void WriteObject(QDataStream& out, const QObject& object, int depth);

template <typename T> void WriteList(QDataStream& out, const QList<T>& list)
{
    out << static_cast<quint32>(list.size());
    for (const T& element : list)
        out << element;
}

// Grows element by element, so a damaged count fails at the end of the bytes instead of
// reserving memory for it.
template <typename T> std::optional<QList<T>> ReadList(QDataStream& in)
{
    quint32 count = 0;
    in >> count;
    QList<T> list;
    for (quint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        T element;
        in >> element;
        list.append(element);
    }
    if (in.status() != QDataStream::Ok)
        return std::nullopt;
    return list;
}

void WriteEntry(QDataStream& out, const QObject& object, const TEntry& entry, int depth)
{
    out << QByteArray(entry.Property.name()) << static_cast<quint8>(entry.Tag);
    switch (entry.Tag) {
    case TTag::tgText:
        out << entry.Property.read(&object).toString();
        break;
    case TTag::tgBytes:
        out << entry.Property.read(&object).toByteArray();
        break;
    case TTag::tgTextList:
        WriteList(out, entry.Property.read(&object).toStringList());
        break;
    case TTag::tgBytesList:
        WriteList(out, entry.Property.read(&object).value<QByteArrayList>());
        break;
    case TTag::tgEnum: {
        const QMetaEnum enumerator = entry.Property.enumerator();
        const int value = entry.Property.read(&object).toInt();
        out << (enumerator.isFlag() ? enumerator.valueToKeys(value)
                                    : QByteArray(enumerator.valueToKey(value)));
        break;
    }
    case TTag::tgObject:
        WriteObject(out, *entry.Sub, depth + 1);
        break;
    case TTag::tgCollection: {
        const auto& collection = *qobject_cast<TNotifyCollection*>(entry.Sub);
        out << static_cast<quint32>(collection.Count());
        for (int i = 0; i < collection.Count(); ++i)
            WriteObject(out, collection.Items(i), depth + 1);
        break;
    }
    case TTag::tgStrings: {
        const auto& list = *qobject_cast<TStringList*>(entry.Sub);
        out << static_cast<quint32>(list.Count());
        for (const std::string& s : list.Items())
            out << QByteArray::fromStdString(s);
        break;
    }
    }
}

void WriteObject(QDataStream& out, const QObject& object, int depth)
{
    const std::vector<TEntry> entries = depth < kMaxDepth ? StorableEntries(object) : std::vector<TEntry> {};
    out << static_cast<quint32>(entries.size());
    for (const TEntry& entry : entries)
        WriteEntry(out, object, entry, depth);
}

// Readers take a null target to parse and skip a record that the object does not have.
bool ReadObject(QDataStream& in, QObject* target, int depth);

void WriteValue(QObject* target, const QMetaProperty& property, QVariant value)
{
    if (target != nullptr && property.isValid() && property.isWritable() && KindOf(property) != pkObject
        && !property.isEnumType() && value.convert(property.metaType()))
        property.write(target, value);
}

template <typename T> bool ReadValue(QDataStream& in, QObject* target, const QMetaProperty& property)
{
    T value;
    in >> value;
    if (in.status() != QDataStream::Ok)
        return false;
    WriteValue(target, property, QVariant::fromValue(value));
    return true;
}

template <typename T> bool ReadListValue(QDataStream& in, QObject* target, const QMetaProperty& property)
{
    const std::optional<QList<T>> list = ReadList<T>(in);
    if (!list)
        return false;
    WriteValue(target, property, QVariant::fromValue(*list));
    return true;
}

bool ReadEnum(QDataStream& in, QObject* target, const QMetaProperty& property)
{
    QByteArray keys;
    in >> keys;
    if (in.status() != QDataStream::Ok)
        return false;
    if (target == nullptr || !property.isValid() || !property.isEnumType() || !property.isWritable())
        return true;
    const QMetaEnum enumerator = property.enumerator();
    bool known = false;
    const int value = enumerator.isFlag() ? enumerator.keysToValue(keys.constData(), &known)
                                          : enumerator.keyToValue(keys.constData(), &known);
    if (known)
        property.write(target, value);
    return true;
}

bool ReadCollection(QDataStream& in, TNotifyCollection* collection, int depth)
{
    quint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return false;
    if (collection == nullptr) {
        for (quint32 i = 0; i < count; ++i) {
            if (!ReadObject(in, nullptr, depth + 1))
                return false;
        }
        return true;
    }
    TUpdateBatch batch(*collection);
    collection->Clear();
    for (quint32 i = 0; i < count; ++i) {
        // No item is made for records that are not there.
        if (in.atEnd() || !ReadObject(in, &collection->Add(), depth + 1))
            return false;
    }
    return true;
}

bool ReadStrings(QDataStream& in, TStringList* list)
{
    const std::optional<QByteArrayList> strings = ReadList<QByteArray>(in);
    if (!strings)
        return false;
    if (list != nullptr) {
        std::vector<std::string> entries;
        for (const QByteArray& s : *strings)
            entries.push_back(s.toStdString());
        list->Assign(entries);
    }
    return true;
}

bool ReadEntry(QDataStream& in, QObject* target, int depth)
{
    QByteArray name;
    quint8 tag = 0;
    in >> name >> tag;
    if (in.status() != QDataStream::Ok)
        return false;
    QMetaProperty property;
    if (target != nullptr) {
        const QMetaObject& meta = *target->metaObject();
        const int index = meta.indexOfProperty(name.constData());
        if (index >= QObject::staticMetaObject.propertyCount())
            property = meta.property(index);
    }
    QObject* sub = (target != nullptr && property.isValid()) ? SubObject(*target, property) : nullptr;
    switch (static_cast<TTag>(tag)) {
    case TTag::tgText:
        return ReadValue<QString>(in, target, property);
    case TTag::tgBytes:
        return ReadValue<QByteArray>(in, target, property);
    case TTag::tgTextList:
        return ReadListValue<QString>(in, target, property);
    case TTag::tgBytesList:
        return ReadListValue<QByteArray>(in, target, property);
    case TTag::tgEnum:
        return ReadEnum(in, target, property);
    case TTag::tgObject:
        return ReadObject(in, sub, depth + 1);
    case TTag::tgCollection:
        return ReadCollection(in, qobject_cast<TNotifyCollection*>(sub), depth);
    case TTag::tgStrings:
        return ReadStrings(in, qobject_cast<TStringList*>(sub));
    }
    return false;
}

bool ReadObject(QDataStream& in, QObject* target, int depth)
{
    if (depth >= kMaxDepth)
        return false;
    quint32 count = 0;
    in >> count;
    for (quint32 i = 0; i < count; ++i) {
        if (in.status() != QDataStream::Ok || !ReadEntry(in, target, depth))
            return false;
    }
    return in.status() == QDataStream::Ok;
}

} // namespace

QByteArray SaveProperties(const QObject& object)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMagic << kFormat;
    WriteObject(out, object, 0);
    return bytes;
}

bool LoadProperties(QObject& object, const QByteArray& bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    quint32 magic = 0;
    quint8 format = 0;
    in >> magic >> format;
    if (in.status() != QDataStream::Ok || magic != kMagic || format != kFormat)
        return false;
    try {
        return ReadObject(in, &object, 0);
    } catch (const std::exception&) {
        // A setter or a collection refused a stored value (e.g. too many items): keep what
        // was read so far.
        return false;
    }
}

} // namespace brenvik
