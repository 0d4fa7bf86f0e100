// The editor's font as a stored setting: face, size, colour and style.
#pragma once

#include "highlight/Colors.h"
#include "support/NotifyPersistent.h"

#include <QFont>
#include <QString>

namespace brenvik {

// Invariant: Size() lies in 1..200.
class TEditorFont : public TNotifyPersistent {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name WRITE SetName)
    Q_PROPERTY(int Size READ Size WRITE SetSize)
    Q_PROPERTY(quint32 Color READ Color WRITE SetColor)
    Q_PROPERTY(int Style READ Style WRITE SetStyle)
public:
    // The face the editor starts with: IPAGothic where it is installed (a half-width cell
    // is exactly half a full-width one, which suits the fixed grid), else the system's
    // fixed-pitch face.
    static QString DefaultName();

    explicit TEditorFont(QObject* parent = nullptr);

    QString Name() const { return FName; }
    int Size() const { return FSize; }
    TColor Color() const { return FColor; }
    TFontStyles Style() const { return FStyle; }
    void SetName(const QString& value) { SetField(FName, value); }
    void SetSize(int value);
    void SetColor(TColor value) { SetField(FColor, value); }
    void SetStyle(TFontStyles value)
    {
        SetField(FStyle, value & (fsBold | fsItalic | fsUnderline | fsStrikeOut));
    }

    // The Qt font with this face, size and style (a missing face falls back to a fixed-pitch one).
    QFont ToQFont() const;

private:
    QString FName;
    int FSize = 10;
    TColor FColor = clBlack;
    TFontStyles FStyle = 0;
};

} // namespace brenvik
