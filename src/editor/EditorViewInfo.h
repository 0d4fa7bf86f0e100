// The editor's view settings: its built-in highlighting definition with colours and brackets.
#pragma once

#include "highlight/EditorFountain.h"
#include "support/NotifyPersistent.h"

#include <memory>

namespace brenvik {

// Invariant: Fountain() is owned for the view's whole life, and every change of it is
// reported as a change of this view.
class TEditorViewInfo : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(brenvik::TEditorBracketCollection* Brackets READ Brackets WRITE SetBrackets)
    Q_PROPERTY(brenvik::TEditorColors* Colors READ Colors WRITE SetColors)
    Q_PROPERTY(QByteArray Commenter READ Commenter WRITE SetCommenter)
    Q_PROPERTY(bool ControlCode READ ControlCode WRITE SetControlCode)
    Q_PROPERTY(QByteArray HexPrefix READ HexPrefix WRITE SetHexPrefix)
    Q_PROPERTY(bool Mail READ Mail WRITE SetMail)
    Q_PROPERTY(QByteArray Quotation READ Quotation WRITE SetQuotation)
    Q_PROPERTY(bool Url READ Url WRITE SetUrl)
public:
    explicit TEditorViewInfo(QObject* parent = nullptr);
    ~TEditorViewInfo() override;

    TEditorFountain* Fountain() const { return FFountain.get(); }

    TEditorBracketCollection* Brackets() const { return FFountain->EditorBrackets(); }
    TEditorColors* Colors() const { return FFountain->Colors(); }
    QByteArray Commenter() const { return FFountain->CommenterBytes(); }
    bool ControlCode() const { return FFountain->ControlCode(); }
    QByteArray HexPrefix() const { return FFountain->HexPrefixBytes(); }
    bool Mail() const { return FFountain->Mail(); }
    QByteArray Quotation() const { return FFountain->QuotationBytes(); }
    bool Url() const { return FFountain->Url(); }

    // The object setters copy into the fountain's own objects.
    void SetBrackets(TEditorBracketCollection* value) { FFountain->SetBrackets(value); }
    void SetColors(TEditorColors* value) { FFountain->SetColors(value); }
    void SetCommenter(const QByteArray& value) { FFountain->SetCommenterBytes(value); }
    void SetControlCode(bool value) { FFountain->SetControlCode(value); }
    void SetHexPrefix(const QByteArray& value) { FFountain->SetHexPrefixBytes(value); }
    void SetMail(bool value) { FFountain->SetMail(value); }
    void SetQuotation(const QByteArray& value) { FFountain->SetQuotationBytes(value); }
    void SetUrl(bool value) { FFountain->SetUrl(value); }

private:
    std::unique_ptr<TEditorFountain> FFountain;
};

} // namespace brenvik
