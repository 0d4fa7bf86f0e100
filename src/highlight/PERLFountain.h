// The Perl highlighting definition: Perl built-ins as reserved words and a colour per token class.
#pragma once

#include "highlight/Fountain.h"

namespace brenvik {

// Invariant: the fourteen colours are owned for the fountain's life and report to NotifyList.
class TPERLFountain : public TFountain {
    Q_OBJECT
    Q_PROPERTY(brenvik::TFountainColor* Ank READ Ank WRITE SetAnk)
    Q_PROPERTY(brenvik::TFountainColor* Comment READ Comment WRITE SetComment)
    Q_PROPERTY(brenvik::TFountainColor* DBCS READ DBCS WRITE SetDBCS)
    Q_PROPERTY(brenvik::TFountainColor* Int READ Int WRITE SetInt)
    Q_PROPERTY(brenvik::TFountainColor* Str READ Str WRITE SetStr)
    Q_PROPERTY(brenvik::TFountainColor* Symbol READ Symbol WRITE SetSymbol)
    Q_PROPERTY(brenvik::TFountainColor* Variable READ Variable WRITE SetVariable)
    Q_PROPERTY(brenvik::TFountainColor* Arrangement READ Arrangement WRITE SetArrangement)
    Q_PROPERTY(brenvik::TFountainColor* AssocArr READ AssocArr WRITE SetAssocArr)
    Q_PROPERTY(brenvik::TFountainColor* SubRoutineCall READ SubRoutineCall WRITE SetSubRoutineCall)
    Q_PROPERTY(brenvik::TFountainColor* SubRoutine READ SubRoutine WRITE SetSubRoutine)
    Q_PROPERTY(brenvik::TFountainColor* SearchStr READ SearchStr WRITE SetSearchStr)
    Q_PROPERTY(brenvik::TFountainColor* KeyWordStr READ KeyWordStr WRITE SetKeyWordStr)
    Q_PROPERTY(brenvik::TFountainColor* TrailBackslash READ TrailBackslash WRITE SetTrailBackslash)
    Q_PROPERTY(bool PerlGrammar READ PerlGrammar WRITE SetPerlGrammar)
public:
    explicit TPERLFountain(QObject* owner = nullptr);
    ~TPERLFountain() override;

    std::unique_ptr<TFountainParser> CreateParser() override;

    TFountainColor* Ank() const { return FAnk.get(); }
    TFountainColor* Comment() const { return FComment.get(); }
    TFountainColor* DBCS() const { return FDBCS.get(); }
    TFountainColor* Int() const { return FInt.get(); }
    TFountainColor* Str() const { return FStr.get(); }
    TFountainColor* Symbol() const { return FSymbol.get(); }
    TFountainColor* Variable() const { return FVariable.get(); }
    TFountainColor* Arrangement() const { return FArrangement.get(); }
    TFountainColor* AssocArr() const { return FAssocArr.get(); }
    TFountainColor* SubRoutineCall() const { return FSubRoutineCall.get(); }
    TFountainColor* SubRoutine() const { return FSubRoutine.get(); }
    // Not used by the tokenizer: the colours of search and keyword hits painted over a row.
    TFountainColor* SearchStr() const { return FSearchStr.get(); }
    TFountainColor* KeyWordStr() const { return FKeyWordStr.get(); }
    // With the grammar: a two-byte character in a string whose trail byte Perl reads as a backslash.
    TFountainColor* TrailBackslash() const { return FTrailBackslash.get(); }

    // Each setter copies the values into the owned colour.
    void SetAnk(TFountainColor* value) { FAnk->CopyFrom(value); }
    void SetComment(TFountainColor* value) { FComment->CopyFrom(value); }
    void SetDBCS(TFountainColor* value) { FDBCS->CopyFrom(value); }
    void SetInt(TFountainColor* value) { FInt->CopyFrom(value); }
    void SetStr(TFountainColor* value) { FStr->CopyFrom(value); }
    void SetSymbol(TFountainColor* value) { FSymbol->CopyFrom(value); }
    void SetVariable(TFountainColor* value) { FVariable->CopyFrom(value); }
    void SetArrangement(TFountainColor* value) { FArrangement->CopyFrom(value); }
    void SetAssocArr(TFountainColor* value) { FAssocArr->CopyFrom(value); }
    void SetSubRoutineCall(TFountainColor* value) { FSubRoutineCall->CopyFrom(value); }
    void SetSubRoutine(TFountainColor* value) { FSubRoutine->CopyFrom(value); }
    void SetSearchStr(TFountainColor* value) { FSearchStr->CopyFrom(value); }
    void SetKeyWordStr(TFountainColor* value) { FKeyWordStr->CopyFrom(value); }
    void SetTrailBackslash(TFountainColor* value) { FTrailBackslash->CopyFrom(value); }

    // On: strings over line ends, here-documents, quote-like operators, matches, POD and __END__
    // are recognised as Perl reads them. Off: the simpler rules, where only variables, sub names,
    // # comments and quotes are.
    bool PerlGrammar() const { return FPerlGrammar; }
    void SetPerlGrammar(bool value);
    // On while the script is written in Shift_JIS, where Perl reads a trail byte 0x5C as a
    // backslash: such a character escapes the next byte and is marked. Off for a script written in
    // another code, whose characters hold no such byte. The document's state, never stored.
    bool TrailBytesEscape() const { return FTrailBytesEscape; }
    void SetTrailBytesEscape(bool value);

    // The 226 built-in reserved words, in the order they are added.
    static const std::vector<std::string>& BuiltInReservedWords();

protected:
    void InitFileExtList() override;

private:
    std::unique_ptr<TFountainColor> FAnk;
    std::unique_ptr<TFountainColor> FComment;
    std::unique_ptr<TFountainColor> FDBCS;
    std::unique_ptr<TFountainColor> FInt;
    std::unique_ptr<TFountainColor> FStr;
    std::unique_ptr<TFountainColor> FSymbol;
    std::unique_ptr<TFountainColor> FVariable;
    std::unique_ptr<TFountainColor> FArrangement;
    std::unique_ptr<TFountainColor> FAssocArr;
    std::unique_ptr<TFountainColor> FSubRoutineCall;
    std::unique_ptr<TFountainColor> FSubRoutine;
    std::unique_ptr<TFountainColor> FSearchStr;
    std::unique_ptr<TFountainColor> FKeyWordStr;
    std::unique_ptr<TFountainColor> FTrailBackslash;
    bool FPerlGrammar = true;
    bool FTrailBytesEscape = true;
};

} // namespace brenvik
