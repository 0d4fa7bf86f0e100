// Keeps a window's place (and size) in the per-user registry between runs.
#pragma once

#include <QObject>
#include <QRect>
#include <QString>

class QWidget;

namespace brenvik {

// Restores the owner window's position, and with rpRestoreSize its size, from the registry key
// KeyName, and saves them there. Each value is read on its own: a missing or malformed one
// leaves that edge as it was. A restored rectangle is clamped into the available area of the
// screen it lies on (the primary screen when it lies on none), so a vanished monitor never
// hides the window.
class TRestorePos : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE SetEnabled)
    Q_PROPERTY(QString KeyName READ KeyName WRITE SetKeyName)
    Q_PROPERTY(TRestorePosOptions Options READ Options WRITE SetOptions)
    Q_PROPERTY(QString PosXValueName READ PosXValueName WRITE SetPosXValueName)
    Q_PROPERTY(QString PosYValueName READ PosYValueName WRITE SetPosYValueName)
    Q_PROPERTY(QString WidthValueName READ WidthValueName WRITE SetWidthValueName)
    Q_PROPERTY(QString HeightValueName READ HeightValueName WRITE SetHeightValueName)
public:
    enum TRestorePosOption { rpRestoreSize = 1, rpSaveNormal = 2 };
    Q_DECLARE_FLAGS(TRestorePosOptions, TRestorePosOption)
    Q_FLAG(TRestorePosOptions)

    explicit TRestorePos(QWidget* owner);

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    const QString& KeyName() const { return FKeyName; }
    void SetKeyName(const QString& value) { FKeyName = value; }
    TRestorePosOptions Options() const { return FOptions; }
    void SetOptions(TRestorePosOptions value) { FOptions = value; }
    const QString& PosXValueName() const { return FPosXValueName; }
    void SetPosXValueName(const QString& value) { FPosXValueName = value; }
    const QString& PosYValueName() const { return FPosYValueName; }
    void SetPosYValueName(const QString& value) { FPosYValueName = value; }
    const QString& WidthValueName() const { return FWidthValueName; }
    void SetWidthValueName(const QString& value) { FWidthValueName = value; }
    const QString& HeightValueName() const { return FHeightValueName; }
    void SetHeightValueName(const QString& value) { FHeightValueName = value; }

    // Reads the stored place into the owner (only when Enabled and the key exists).
    void Restore();
    // Writes the owner's place (only when Enabled and KeyName is set). A maximized window with
    // rpSaveNormal, and a minimized one always, saves its normal bounds.
    void Save();

private:
    QWidget* FOwner;
    bool FEnabled = true;
    QString FKeyName;
    TRestorePosOptions FOptions = TRestorePosOptions(rpRestoreSize | rpSaveNormal);
    QString FPosXValueName = QStringLiteral("PosX");
    QString FPosYValueName = QStringLiteral("PosY");
    QString FWidthValueName = QStringLiteral("Width");
    QString FHeightValueName = QStringLiteral("Height");
};

// The rectangle moved (and shrunk when it must be) into area.
QRect ClampIntoArea(QRect rect, const QRect& area);

// Shrinks window, frame included, to the available area of its screen where it is larger, at
// any scale, and brings a shown window's corner into that area.
void FitIntoScreen(QWidget& window);
// Fits a window that is being shown, again until the window manager has framed it (the frame's
// size is known only then).
void FitIntoScreenOnceFramed(QWidget& window);

} // namespace brenvik

Q_DECLARE_OPERATORS_FOR_FLAGS(brenvik::TRestorePos::TRestorePosOptions)
