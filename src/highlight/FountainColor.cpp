// Copying of token colours.
#include "highlight/FountainColor.h"

namespace brenvik {

TFountainColor::TFountainColor(QObject* parent)
    : TNotifyPersistent(parent)
{
}

void TFountainColor::Assign(const QObject& source)
{
    const auto* color = qobject_cast<const TFountainColor*>(&source);
    if (color == nullptr) {
        TNotifyPersistent::Assign(source);
        return;
    }
    TUpdateBatch batch(*this);
    SetBkColor(color->FBkColor);
    SetColor(color->FColor);
    SetStyle(color->FStyle);
}

} // namespace brenvik
