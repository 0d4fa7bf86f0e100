// Small components shaped like the editor's settings, used to exercise notification and storage.
#pragma once

#include "support/NotifyCollection.h"
#include "support/NotifyPersistent.h"
#include "support/StoreComponent.h"

#include <QByteArrayList>
#include <QStringList>

namespace brenvik::test {

class TSampleColor : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(uint Color READ Color WRITE SetColor)
    Q_PROPERTY(bool Bold READ Bold WRITE SetBold)
public:
    using TNotifyPersistent::TNotifyPersistent;
    uint Color() const { return FColor; }
    void SetColor(uint value) { SetField(FColor, value); }
    bool Bold() const { return FBold; }
    void SetBold(bool value) { SetField(FBold, value); }

private:
    uint FColor = 0x1FFFFFFF;
    bool FBold = false;
};

class TSampleItem : public TCollectionItem {
    Q_OBJECT
    Q_PROPERTY(QByteArray LeftBracket READ LeftBracket WRITE SetLeftBracket)
    Q_PROPERTY(brenvik::test::TSampleColor* ItemColor READ ItemColor WRITE SetItemColor)
public:
    explicit TSampleItem(TNotifyCollection& collection)
        : TCollectionItem(collection)
    {
        FItemColor.OnChange = [this](QObject* sender) { Collection().ChangedProc(sender); };
    }
    QByteArray LeftBracket() const { return FLeftBracket; }
    void SetLeftBracket(const QByteArray& value)
    {
        if (value != FLeftBracket) {
            FLeftBracket = value;
            Changed();
        }
    }
    TSampleColor* ItemColor() { return &FItemColor; }
    void SetItemColor(TSampleColor* value) { FItemColor.Assign(*value); }

private:
    QByteArray FLeftBracket;
    TSampleColor FItemColor;
};

class TSampleCollection : public TNotifyCollection {
    Q_OBJECT
public:
    using TNotifyCollection::TNotifyCollection;
    static constexpr int kLimit = 3;
    TCollectionItem& Add() override
    {
        if (Count() >= kLimit)
            throw std::runtime_error("TSampleCollection full");
        return TNotifyCollection::Add();
    }

protected:
    std::unique_ptr<TCollectionItem> CreateItem() override { return std::make_unique<TSampleItem>(*this); }
};

class TSampleCaret : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(int TabSpaceCount READ TabSpaceCount WRITE SetTabSpaceCount)
    Q_PROPERTY(Shape Style READ Style WRITE SetStyle)
    Q_PROPERTY(FontStyles FontStyle READ FontStyle WRITE SetFontStyle)
    Q_PROPERTY(brenvik::test::TSampleColor* Color READ Color WRITE SetColor)
public:
    enum Shape { csDefault, csBrief };
    Q_ENUM(Shape)
    enum FontStyle { fsBold = 1, fsItalic = 2, fsUnderline = 4 };
    Q_DECLARE_FLAGS(FontStyles, FontStyle)
    Q_FLAG(FontStyles)

    explicit TSampleCaret(QObject* parent = nullptr)
        : TNotifyPersistent(parent)
    {
        FColor.OnChange = [this](QObject* sender) { ChangedProc(sender); };
    }
    int TabSpaceCount() const { return FTabSpaceCount; }
    void SetTabSpaceCount(int value) { SetField(FTabSpaceCount, value); }
    Shape Style() const { return FStyle; }
    void SetStyle(Shape value) { SetField(FStyle, value); }
    FontStyles FontStyle() const { return FFontStyle; }
    void SetFontStyle(FontStyles value) { SetField(FFontStyle, value); }
    TSampleColor* Color() { return &FColor; }
    void SetColor(TSampleColor* value) { FColor.Assign(*value); }

private:
    int FTabSpaceCount = 8;
    Shape FStyle = csDefault;
    FontStyles FFontStyle;
    TSampleColor FColor;
};

class TSampleEditorProp : public TFileExtComponent {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(QStringList Hints READ Hints WRITE SetHints)
    Q_PROPERTY(QByteArrayList Words READ Words WRITE SetWords)
    Q_PROPERTY(brenvik::test::TSampleCaret* Caret READ Caret WRITE SetCaret)
    Q_PROPERTY(brenvik::test::TSampleCollection* Brackets READ Brackets WRITE SetBrackets)
public:
    TSampleEditorProp() { InitFileExtList(); }
    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value) { FCaption = value; }
    QStringList Hints() const { return FHints; }
    void SetHints(const QStringList& value) { FHints = value; }
    QByteArrayList Words() const { return FWords; }
    void SetWords(const QByteArrayList& value) { FWords = value; }
    TSampleCaret* Caret() { return &FCaret; }
    void SetCaret(TSampleCaret* value) { FCaret.Assign(*value); }
    TSampleCollection* Brackets() { return &FBrackets; }
    void SetBrackets(TSampleCollection* value) { FBrackets.Assign(*value); }

protected:
    void InitFileExtList() override
    {
        FileExtList()->Add(".cgi");
        FileExtList()->Add(".pl");
    }

private:
    QString FCaption;
    QStringList FHints;
    QByteArrayList FWords;
    TSampleCaret FCaret;
    TSampleCollection FBrackets {this};
};

} // namespace brenvik::test

Q_DECLARE_OPERATORS_FOR_FLAGS(brenvik::test::TSampleCaret::FontStyles)
