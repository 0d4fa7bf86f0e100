// Ownership and change reporting of highlighting definitions.
#include "highlight/Fountain.h"

#include "highlight/FountainParser.h"
#include "support/PublishedProperties.h"

#include <QString>
#include <cassert>

namespace brenvik {

namespace {

TFountainColor* ColorOf(QObject& object, const QMetaProperty& property)
{
    return qobject_cast<TFountainColor*>(SubObject(object, property));
}

} // namespace

TFountain::TFountain(QObject* owner)
    : TFileExtComponent(owner)
    , FNotifyList(std::make_unique<TNotifyEventList>(this))
    , FBrackets(std::make_unique<TFountainBracketCollection>(*this))
    , FReserveWordList(CreateSortedList())
    , FReserve(CreateColor())
{
}

TFountain::~TFountain() = default;

void TFountain::SetBrackets(TFountainBracketCollection* value)
{
    if (value != nullptr && value != FBrackets.get())
        FBrackets->Assign(*value);
}

void TFountain::SetReserve(TFountainColor* value)
{
    FReserve->CopyFrom(value);
}

void TFountain::SetReserveWordList(TStringList* value)
{
    if (value == nullptr || value == FReserveWordList.get())
        return;
    FReserveWordList->Assign(*value);
    FNotifyList->Changed();
}

bool TFountain::IsReservedWord(std::string_view word) const
{
    int index = 0;
    return FReserveWordList->Find(std::string(word), index);
}

std::unique_ptr<TFountainColor> TFountain::CreateColor()
{
    auto color = std::make_unique<TFountainColor>();
    TNotifyEventList* notifyList = FNotifyList.get();
    color->OnChange = [notifyList](QObject* sender) { notifyList->ChangedProc(sender); };
    return color;
}

void TFountain::ReplaceBrackets(std::unique_ptr<TFountainBracketCollection> brackets)
{
    assert(brackets && brackets->Count() == 0 && &brackets->Fountain() == this);
    FBrackets = std::move(brackets);
}

bool TFountain::HasItalic(QObject& object)
{
    bool italic = false;
    ForEachPublishedProperty(
        object, pkObject,
        [&italic](void*, QObject& holder, const QMetaProperty& property) {
            if (const TFountainColor* color = ColorOf(holder, property))
                italic = italic || (color->Style() & fsItalic) != 0;
        },
        nullptr);
    return italic;
}

void TFountain::ApplyToColors(QObject& holder, const TFountainColor& color, int mask, const char* except)
{
    ForEachPublishedProperty(
        holder, pkObject,
        [&](void*, QObject& owner, const QMetaProperty& property) {
            TFountainColor* target = ColorOf(owner, property);
            if (target == nullptr || target == &color)
                return;
            if (except != nullptr
                && QString::fromLatin1(property.name()).compare(QLatin1String(except), Qt::CaseInsensitive)
                    == 0)
                return;
            if (mask & 1)
                target->SetBkColor(color.BkColor());
            if (mask & 2)
                target->SetColor(color.Color());
            if (mask & 4)
                target->SetStyle(color.Style());
        },
        nullptr);
}

} // namespace brenvik
