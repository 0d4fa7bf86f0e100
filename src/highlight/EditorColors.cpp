// The editor's colour set, bound to its built-in fountain.
#include "highlight/EditorColors.h"

#include "highlight/Fountain.h"

namespace brenvik {

TEditorColors::TEditorColors(TFountain& fountain)
    : FFountain(fountain)
    , FAnk(CreateColor())
    , FComment(CreateColor())
    , FDBCS(CreateColor())
    , FInt(CreateColor())
    , FMail(CreateColor())
    , FSelect(CreateColor())
    , FStr(CreateColor())
    , FSymbol(CreateColor())
    , FUrl(CreateColor())
{
    TNotifyEventList* notifyList = &fountain.NotifyList();
    OnChange = [notifyList](QObject* sender) { notifyList->ChangedProc(sender); };
    TUpdateBatch batch(*FSelect);
    FSelect->SetBkColor(clNavy);
    FSelect->SetColor(clWhite);
}

TEditorColors::~TEditorColors() = default;

TFountainColor* TEditorColors::Reserve() const
{
    return FFountain.Reserve();
}

void TEditorColors::Assign(const QObject& source)
{
    // Reserve reports to the fountain directly: one batch there covers it too.
    TUpdateBatch batch(FFountain.NotifyList());
    TNotifyPersistent::Assign(source);
}

std::unique_ptr<TFountainColor> TEditorColors::CreateColor()
{
    auto color = std::make_unique<TEditorColor>();
    color->OnChange = [this](QObject* sender) { ChangedProc(sender); };
    return color;
}

} // namespace brenvik
