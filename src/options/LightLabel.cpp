// The hyperlink label: its looks, the enter, leave, press, release and click rules, and the
// addresses a click opens.
#include "options/LightLabel.h"

#include "editor/EditorPainter.h"
#include "options/OptionHooks.h"
#include "support/Prompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QMouseEvent>

namespace brenvik {

namespace {

TEditorFont* NewFont(QObject* owner, const QFont& base, TColor color, TFontStyles style)
{
    auto* font = new TEditorFont(owner);
    font->SetName(base.family());
    font->SetSize(base.pointSize() > 0 ? base.pointSize() : font->Size());
    font->SetColor(color);
    font->SetStyle(style);
    return font;
}

// A file target: an absolute path as it is, a relative one from the program's own folder (the
// folder a shell call on the label would run in).
QUrl FileTarget(const QString& path)
{
    const QString folder = QCoreApplication::applicationDirPath();
    return QUrl::fromLocalFile(QDir::cleanPath(QDir(folder).absoluteFilePath(path)));
}

QUrl MailTarget(const QString& address)
{
    const QString mailto = QStringLiteral("mailto:");
    return QUrl(address.startsWith(mailto, Qt::CaseInsensitive) ? address : mailto + address);
}

} // namespace

TLightLabel::TLightLabel(const QString& caption, QWidget* parent)
    : QLabel(caption, parent)
    , FLightFont(NewFont(this, font(), clBlue, fsUnderline))
    , FDefaultFont(NewFont(this, font(), clBlue, 0))
    , FClickFont(NewFont(this, font(), clRed, 0))
{
    setAutoFillBackground(true);
    setCursor(Qt::PointingHandCursor);
    Show(FDefaultColor, *FDefaultFont);
}

void TLightLabel::SetDefaultColor(TColor value)
{
    FDefaultColor = value;
    if (FDefaultEnabled)
        Show(FDefaultColor, FCurrentFont);
}

void TLightLabel::SetDefaultFont(TEditorFont* value)
{
    FDefaultFont->Assign(*value);
    if (FDefaultEnabled)
        Show(FCurrentColor, *FDefaultFont);
}

void TLightLabel::Show(TColor color, const TEditorFont& font)
{
    FCurrentColor = color;
    if (&font != &FCurrentFont)
        FCurrentFont.Assign(font);
    Apply();
}

void TLightLabel::Apply()
{
    // System colours follow the palette, so the look is rebuilt when the palette changes.
    QPalette colors = palette();
    colors.setColor(QPalette::Window, ToQColor(FCurrentColor, QPalette()));
    colors.setColor(QPalette::WindowText, ToQColor(FCurrentFont.Color(), QPalette()));
    setPalette(colors);
    QFont shown = FCurrentFont.ToQFont();
    shown.setStyleHint(QFont::AnyStyle);
    setFont(shown);
}

void TLightLabel::changeEvent(QEvent* event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::ApplicationPaletteChange)
        Apply();
}

void TLightLabel::enterEvent(QEnterEvent* event)
{
    QLabel::enterEvent(event);
    FHovered = true;
    if (FLightEnabled)
        Show(FLightColor, *FLightFont);
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TLightLabel::leaveEvent(QEvent* event)
{
    QLabel::leaveEvent(event);
    FHovered = false;
    if (FDefaultEnabled)
        Show(FDefaultColor, *FDefaultFont);
    if (OnMouseLeave)
        OnMouseLeave(this);
}

void TLightLabel::mousePressEvent(QMouseEvent* event)
{
    QLabel::mousePressEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    FPressed = true;
    if (FClickEnabled)
        Show(FClickColor, *FClickFont);
}

void TLightLabel::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton)
        return;
    // The light look returns on release even with LightEnabled off.
    if (FHovered)
        Show(FLightColor, *FLightFont);
    else
        Show(FDefaultColor, *FDefaultFont);
    const bool click = FPressed && rect().contains(event->position().toPoint());
    FPressed = false;
    if (click)
        Click();
}

QList<QUrl> TLightLabel::Targets() const
{
    QList<QUrl> targets;
    // A target of blanks only is no target.
    if (!FJumpTo.trimmed().isEmpty()) {
        switch (FJumpType) {
        case jtCust:
        case jtHome:
            targets.append(QUrl::fromUserInput(FJumpTo.trimmed()));
            break;
        case jtMail:
            targets.append(MailTarget(FJumpTo.trimmed()));
            break;
        case jtFile:
            targets.append(FileTarget(FJumpTo));
            break;
        case jtNone:
        case jtCaption:
            break;
        }
    }
    if (FJumpType == jtCaption && !text().trimmed().isEmpty())
        targets.append(QUrl::fromUserInput(text().trimmed()));
    return targets;
}

void TLightLabel::Click()
{
    for (const QUrl& target : Targets())
        Open(target);
    emit clicked();
}

void TLightLabel::Open(const QUrl& target)
{
    if (target.isValid() && TargetOpener()(target))
        return;
    Prompts().ShowWarning(this, QStringLiteral("開けませんでした:\n") + target.toDisplayString());
}

} // namespace brenvik
