// The editor's built-in, configurable general-purpose highlighting definition.
#pragma once

#include "highlight/EditorBracketCollection.h"
#include "highlight/EditorColors.h"
#include "highlight/Fountain.h"

#include <QByteArray>
#include <string>

namespace brenvik {

// Invariant: Brackets() is a TEditorBracketCollection and Colors().Reserve() is Reserve().
class TEditorFountain : public TFountain {
    Q_OBJECT
    Q_PROPERTY(brenvik::TEditorColors* Colors READ Colors WRITE SetColors)
    Q_PROPERTY(QByteArray Commenter READ CommenterBytes WRITE SetCommenterBytes)
    Q_PROPERTY(bool ControlCode READ ControlCode WRITE SetControlCode)
    Q_PROPERTY(QByteArray HexPrefix READ HexPrefixBytes WRITE SetHexPrefixBytes)
    Q_PROPERTY(bool Mail READ Mail WRITE SetMail)
    Q_PROPERTY(QByteArray Quotation READ QuotationBytes WRITE SetQuotationBytes)
    Q_PROPERTY(bool Url READ Url WRITE SetUrl)
public:
    explicit TEditorFountain(QObject* owner = nullptr);
    ~TEditorFountain() override;

    std::unique_ptr<TFountainParser> CreateParser() override;

    TEditorBracketCollection* EditorBrackets() const;
    TEditorColors* Colors() const { return FColors.get(); }
    // Copies the colours, Reserve included.
    void SetColors(TEditorColors* value);

    // Starts a comment to the end of the row; empty: none.
    const std::string& Commenter() const { return FCommenter; }
    // Its first byte is the string quote; empty: no strings.
    const std::string& Quotation() const { return FQuotation; }
    // Prefix of hexadecimal numbers, letter case ignored; empty: none.
    const std::string& HexPrefix() const { return FHexPrefix; }
    bool ControlCode() const { return FControlCode; }
    bool Mail() const { return FMail; }
    bool Url() const { return FUrl; }
    void SetCommenter(const std::string& value) { SetValue(FCommenter, value); }
    void SetQuotation(const std::string& value) { SetValue(FQuotation, value); }
    void SetHexPrefix(const std::string& value) { SetValue(FHexPrefix, value); }
    void SetControlCode(bool value) { SetValue(FControlCode, value); }
    void SetMail(bool value) { SetValue(FMail, value); }
    void SetUrl(bool value) { SetValue(FUrl, value); }

    QByteArray CommenterBytes() const { return QByteArray::fromStdString(FCommenter); }
    QByteArray QuotationBytes() const { return QByteArray::fromStdString(FQuotation); }
    QByteArray HexPrefixBytes() const { return QByteArray::fromStdString(FHexPrefix); }
    void SetCommenterBytes(const QByteArray& value) { SetCommenter(value.toStdString()); }
    void SetQuotationBytes(const QByteArray& value) { SetQuotation(value.toStdString()); }
    void SetHexPrefixBytes(const QByteArray& value) { SetHexPrefix(value.toStdString()); }

    // Each sets one value on every colour of Colors() except Select, telling the editors once.
    void SetAllBkColors(TColor value);
    void SetAllColors(TColor value);
    void SetAllStyles(TFontStyles value);

private:
    template <typename T> void SetValue(T& field, const T& value)
    {
        if (field == value)
            return;
        field = value;
        NotifyList().Changed();
    }
    void ApplyToAllColors(const TFountainColor& color, int mask);

    std::unique_ptr<TEditorColors> FColors;
    std::string FCommenter;
    std::string FQuotation;
    std::string FHexPrefix;
    bool FControlCode = false;
    bool FMail = false;
    bool FUrl = false;
};

} // namespace brenvik
