// Window position persistence over the per-user registry.
#include "app/RestorePos.h"

#include "support/RegistryKey.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <optional>

namespace brenvik {

namespace {

// A stored 32-bit integer, or nothing when the value is missing or is not a whole number.
std::optional<int> ReadInt(const QSettings& key, const QString& name)
{
    const QVariant value = key.value(name);
    if (!value.isValid())
        return std::nullopt;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

QRect AvailableAreaFor(const QRect& rect)
{
    QScreen* screen = QGuiApplication::screenAt(rect.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : rect;
}

} // namespace

void FitIntoScreen(QWidget& window)
{
    // A shown window has a frame, which must fit as well; its top left comes inside the area.
    const QRect frame = window.frameGeometry();
    const QSize border = frame.size() - window.size();
    const QRect area = AvailableAreaFor(frame);
    const QSize fitted = window.size().boundedTo(area.size() - border);
    if (fitted != window.size())
        window.resize(fitted);
    if (window.isVisible() && !area.contains(frame.topLeft()))
        window.move(ClampIntoArea(QRect(frame.topLeft(), fitted + border), area).topLeft());
}

namespace {

class TScreenFitter : public QObject {
public:
    explicit TScreenFitter(QWidget& window)
        : QObject(&window)
        , FWindow(window)
    {
        window.installEventFilter(this);
        QTimer::singleShot(0, this, [this] { Fit(); });
        // Without a window manager no frame ever comes.
        QTimer::singleShot(2000, this, [this] {
            FWindow.removeEventFilter(this);
            deleteLater();
        });
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::ActivationChange:
            Fit();
            break;
        default:
            break;
        }
        return false;
    }

private:
    void Fit()
    {
        FitIntoScreen(FWindow);
        if (FWindow.frameGeometry() != FWindow.geometry()) {
            FWindow.removeEventFilter(this);
            deleteLater();
        }
    }

    QWidget& FWindow;
};

} // namespace

void FitIntoScreenOnceFramed(QWidget& window)
{
    new TScreenFitter(window);
}

QRect ClampIntoArea(QRect rect, const QRect& area)
{
    rect.setWidth(std::clamp(rect.width(), 1, std::max(1, area.width())));
    rect.setHeight(std::clamp(rect.height(), 1, std::max(1, area.height())));
    rect.moveLeft(std::clamp(rect.left(), area.left(), area.right() + 1 - rect.width()));
    rect.moveTop(std::clamp(rect.top(), area.top(), area.bottom() + 1 - rect.height()));
    return rect;
}

TRestorePos::TRestorePos(QWidget* owner)
    : QObject(owner)
    , FOwner(owner)
{
    setObjectName(QStringLiteral("RestorePos"));
}

void TRestorePos::Restore()
{
    if (!FEnabled || FKeyName.isEmpty())
        return;
    const auto key = OpenRegistryKey(FKeyName);
    if (key->childKeys().isEmpty()) {
        // The default size fits the screen too, at any scale; the place is the desktop's choice.
        FitIntoScreen(*FOwner);
        return;
    }
    // Position is that of the frame, as move() takes it; size is that of the window's inside.
    QRect rect(FOwner->pos(), FOwner->size());
    if (const auto x = ReadInt(*key, FPosXValueName))
        rect.moveLeft(*x);
    if (const auto y = ReadInt(*key, FPosYValueName))
        rect.moveTop(*y);
    if (FOptions.testFlag(rpRestoreSize)) {
        if (const auto width = ReadInt(*key, FWidthValueName); width && *width > 0)
            rect.setWidth(*width);
        if (const auto height = ReadInt(*key, FHeightValueName); height && *height > 0)
            rect.setHeight(*height);
    }
    rect = ClampIntoArea(rect, AvailableAreaFor(rect));
    FOwner->move(rect.topLeft());
    if (FOptions.testFlag(rpRestoreSize))
        FOwner->resize(rect.size());
}

void TRestorePos::Save()
{
    if (!FEnabled || FKeyName.isEmpty())
        return;
    const bool normalBounds = FOwner->isMinimized() || (FOwner->isMaximized() && FOptions.testFlag(rpSaveNormal));
    QRect rect(FOwner->pos(), FOwner->size());
    if (normalBounds) {
        // normalGeometry is the inside of the window; keep the frame's offset so that a restore
        // puts the frame where it was.
        const QRect normal = FOwner->normalGeometry();
        if (normal.isValid())
            rect = QRect(normal.topLeft() - (FOwner->geometry().topLeft() - FOwner->pos()), normal.size());
    }
    const auto key = OpenRegistryKey(FKeyName);
    key->setValue(FPosXValueName, rect.left());
    key->setValue(FPosYValueName, rect.top());
    if (FOptions.testFlag(rpRestoreSize)) {
        key->setValue(FWidthValueName, rect.width());
        key->setValue(FHeightValueName, rect.height());
    }
}

} // namespace brenvik
