// A highlighting definition: token colours, bracket pairs, reserved words, and its tokenizer.
#pragma once

#include "highlight/FountainBracketCollection.h"
#include "highlight/FountainColor.h"
#include "support/NotifyEventList.h"
#include "support/StoreComponent.h"
#include "support/StringList.h"

#include <memory>
#include <string_view>

namespace brenvik {

class TFountainParser;

// Invariant: Brackets(), Reserve() and ReserveWordList() are owned for the fountain's whole
// life and every colour it creates reports to NotifyList(), which tells the editors using it.
//
// Construction: file extensions, NotifyList, brackets, reserved words, colours. A base
// constructor cannot reach overrides, so each derived fountain adds its default extensions,
// brackets, reserved words and colours at the end of its own constructor, in that order.
class TFountain : public TFileExtComponent {
    Q_OBJECT
    Q_PROPERTY(brenvik::TFountainBracketCollection* Brackets READ Brackets WRITE SetBrackets)
    Q_PROPERTY(brenvik::TFountainColor* Reserve READ Reserve WRITE SetReserve)
    Q_PROPERTY(brenvik::TStringList* ReserveWordList READ ReserveWordList WRITE SetReserveWordList)
public:
    explicit TFountain(QObject* owner = nullptr);
    ~TFountain() override;

    TNotifyEventList& NotifyList() const { return *FNotifyList; }

    TFountainBracketCollection* Brackets() const { return FBrackets.get(); }
    TFountainColor* Reserve() const { return FReserve.get(); }
    TStringList* ReserveWordList() const { return FReserveWordList.get(); }
    // Each setter copies into the owned object.
    void SetBrackets(TFountainBracketCollection* value);
    void SetReserve(TFountainColor* value);
    void SetReserveWordList(TStringList* value);

    // Letter case is ignored.
    bool IsReservedWord(std::string_view word) const;

    // A new tokenizer of this definition; the caller owns it.
    virtual std::unique_ptr<TFountainParser> CreateParser() = 0;

    // Any colour published by object (or by the objects it holds) is italic.
    static bool HasItalic(QObject& object);
    // mask 1: BkColor, 2: Color, 4: Style, copied from color into every colour published by
    // holder, except the one published under the name except (letter case ignored).
    static void ApplyToColors(
        QObject& holder, const TFountainColor& color, int mask, const char* except = nullptr);

protected:
    // A new colour reporting to NotifyList.
    std::unique_ptr<TFountainColor> CreateColor();
    // For a derived constructor that keeps its own kind of bracket collection (still empty).
    void ReplaceBrackets(std::unique_ptr<TFountainBracketCollection> brackets);

private:
    std::unique_ptr<TNotifyEventList> FNotifyList;
    std::unique_ptr<TFountainBracketCollection> FBrackets;
    std::unique_ptr<TStringList> FReserveWordList;
    std::unique_ptr<TFountainColor> FReserve;
};

} // namespace brenvik
