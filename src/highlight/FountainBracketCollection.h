// Bracket pairs: regions from a left to a right delimiter, painted in the item's colour.
#pragma once

#include "highlight/FountainColorItem.h"
#include "support/NotifyCollection.h"

#include <QByteArray>
#include <string>

namespace brenvik {

class TFountain;

// Both delimiters are Shift_JIS bytes compared byte for byte.
class TFountainBracketItem : public TFountainColorItem {
    Q_OBJECT
    Q_PROPERTY(QByteArray LeftBracket READ LeftBracketBytes WRITE SetLeftBracketBytes)
    Q_PROPERTY(QByteArray RightBracket READ RightBracketBytes WRITE SetRightBracketBytes)
public:
    explicit TFountainBracketItem(TNotifyCollection& collection);

    const std::string& LeftBracket() const { return FLeftBracket; }
    const std::string& RightBracket() const { return FRightBracket; }
    void SetLeftBracket(const std::string& value);
    void SetRightBracket(const std::string& value);

    QByteArray LeftBracketBytes() const { return QByteArray::fromStdString(FLeftBracket); }
    QByteArray RightBracketBytes() const { return QByteArray::fromStdString(FRightBracket); }
    void SetLeftBracketBytes(const QByteArray& value) { SetLeftBracket(value.toStdString()); }
    void SetRightBracketBytes(const QByteArray& value) { SetRightBracket(value.toStdString()); }

private:
    std::string FLeftBracket;
    std::string FRightBracket;
};

// Invariant: Count() <= MaxCount, because a row state keeps the bracket index in 4 bits.
class TFountainBracketCollection : public TNotifyCollection {
    Q_OBJECT
public:
    static constexpr int MaxCount = 14;

    // Reports its changes (and those of its items' colours) to the fountain's NotifyList.
    explicit TFountainBracketCollection(TFountain& fountain);

    TFountain& Fountain() const { return FFountain; }
    TFountainBracketItem& Brackets(int index) const;
    TFountainBracketItem& AddBracket(const std::string& left, const std::string& right);

    // Raises std::runtime_error with the collection's own message once MaxCount items exist.
    TCollectionItem& Add() override;

protected:
    std::unique_ptr<TCollectionItem> CreateItem() override;

private:
    TFountain& FFountain;
};

} // namespace brenvik
