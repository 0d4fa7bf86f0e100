// The file-extension list carried by highlighting definitions and editor settings.
#include "support/StoreComponent.h"

namespace brenvik {

TStoreComponent::TStoreComponent(QObject* parent)
    : QObject(parent)
{
}

TFileExtComponent::TFileExtComponent(QObject* parent)
    : TStoreComponent(parent)
    , FFileExtList(TFileExtComponent::CreateSortedList())
{
}

TFileExtComponent::~TFileExtComponent() = default;

void TFileExtComponent::SetFileExtList(TStringList* value)
{
    if (value != nullptr)
        FFileExtList->Assign(*value);
}

bool TFileExtComponent::HasFileExt(const std::string& ext) const
{
    return FFileExtList->IndexOf(ext) >= 0;
}

std::unique_ptr<TStringList> TFileExtComponent::CreateSortedList() const
{
    auto list = std::make_unique<TStringList>();
    list->SetSorted(true);
    list->SetDuplicates(TDuplicates::dupIgnore);
    return list;
}

} // namespace brenvik
