// A label that behaves like a link: it changes colour and font while the mouse is over it and
// while it is pressed, and a click opens its target through the desktop.
#pragma once

#include "editor/EditorFont.h"
#include "highlight/Colors.h"
#include "support/NotifyEvent.h"

#include <QLabel>
#include <QUrl>

namespace brenvik {

// The look in force is always the light, default or click pair, or the one set last.
class TLightLabel : public QLabel {
    Q_OBJECT
public:
    enum TJumpType { jtNone, jtCust, jtHome, jtMail, jtFile, jtCaption };
    Q_ENUM(TJumpType)

private:
    Q_PROPERTY(quint32 LightColor READ LightColor WRITE SetLightColor)
    Q_PROPERTY(brenvik::TEditorFont* LightFont READ LightFont WRITE SetLightFont)
    Q_PROPERTY(bool LightEnabled READ LightEnabled WRITE SetLightEnabled)
    Q_PROPERTY(quint32 DefaultColor READ DefaultColor WRITE SetDefaultColor)
    Q_PROPERTY(brenvik::TEditorFont* DefaultFont READ DefaultFont WRITE SetDefaultFont)
    Q_PROPERTY(bool DefaultEnabled READ DefaultEnabled WRITE SetDefaultEnabled)
    Q_PROPERTY(quint32 ClickColor READ ClickColor WRITE SetClickColor)
    Q_PROPERTY(brenvik::TEditorFont* ClickFont READ ClickFont WRITE SetClickFont)
    Q_PROPERTY(bool ClickEnabled READ ClickEnabled WRITE SetClickEnabled)
    Q_PROPERTY(TJumpType JumpType READ JumpType WRITE SetJumpType)
    Q_PROPERTY(QString JumpTo READ JumpTo WRITE SetJumpTo)

public:
    explicit TLightLabel(const QString& caption = QString(), QWidget* parent = nullptr);

    TColor LightColor() const { return FLightColor; }
    TEditorFont* LightFont() const { return FLightFont; }
    bool LightEnabled() const { return FLightEnabled; }
    TColor DefaultColor() const { return FDefaultColor; }
    TEditorFont* DefaultFont() const { return FDefaultFont; }
    bool DefaultEnabled() const { return FDefaultEnabled; }
    TColor ClickColor() const { return FClickColor; }
    TEditorFont* ClickFont() const { return FClickFont; }
    bool ClickEnabled() const { return FClickEnabled; }
    TJumpType JumpType() const { return FJumpType; }
    QString JumpTo() const { return FJumpTo; }

    void SetLightColor(TColor value) { FLightColor = value; }
    // The font setters copy.
    void SetLightFont(TEditorFont* value) { FLightFont->Assign(*value); }
    void SetLightEnabled(bool value) { FLightEnabled = value; }
    // With DefaultEnabled also the look in force.
    void SetDefaultColor(TColor value);
    void SetDefaultFont(TEditorFont* value);
    void SetDefaultEnabled(bool value) { FDefaultEnabled = value; }
    void SetClickColor(TColor value) { FClickColor = value; }
    void SetClickFont(TEditorFont* value) { FClickFont->Assign(*value); }
    void SetClickEnabled(bool value) { FClickEnabled = value; }
    void SetJumpType(TJumpType value) { FJumpType = value; }
    void SetJumpTo(const QString& value) { FJumpTo = value; }

    // The look in force and the hover flag.
    TColor CurrentColor() const { return FCurrentColor; }
    const TEditorFont& CurrentFont() const { return FCurrentFont; }
    bool Hovered() const { return FHovered; }
    // The addresses a click opens, in order (none, one, or two for jtCaption with a JumpTo).
    QList<QUrl> Targets() const;

    // Fired after the label's own hover handling; the argument is the label.
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

signals:
    // The ordinary click, after the jump.
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void Show(TColor color, const TEditorFont& font);
    void Apply();
    void Click();
    // Opens target; a failure shows the address so that the user can copy it.
    void Open(const QUrl& target);

    TColor FLightColor = clBtnFace;
    TEditorFont* FLightFont;
    bool FLightEnabled = true;
    TColor FDefaultColor = clBtnFace;
    TEditorFont* FDefaultFont;
    bool FDefaultEnabled = true;
    TColor FClickColor = clBtnFace;
    TEditorFont* FClickFont;
    bool FClickEnabled = true;
    TJumpType FJumpType = jtCust;
    QString FJumpTo;
    TColor FCurrentColor = clBtnFace;
    TEditorFont FCurrentFont;
    bool FHovered = false;
    bool FPressed = false;
};

} // namespace brenvik
