// The colour grid of the options dialogs: the sixteen named colours in four rows of four, a
// "none" area for clNone beneath, and the style boxes, all bound to one colour manager.
#pragma once

#include "editor/EditorColorManager.h"

#include <QFrame>
#include <QWidget>
#include <array>

class QCheckBox;
class QLabel;

namespace brenvik {

// Left click chooses the foreground, right click the background; "FG" and "BG" mark the
// manager's choices. Everything it shows is read from the manager when painting.
class TColorGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int Columns = 4;
    TColorGrid(const QString& name, TEditorColorManager& manager, QWidget* parent = nullptr);

    // The palette index of the cell under point; -1 outside the cells.
    int CellAt(QPoint point) const;
    QRect CellRect(int index) const;
    QSize sizeHint() const override { return {4 * 28 + 1, 4 * 22 + 1}; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    TEditorColorManager& FManager;
};

// The grid with its "none" panel (pnl<Name>, with the labels lbl<Name>FG and lbl<Name>BG that
// show which side is none) and, when asked, the style boxes cbx<Name>Bold, cbx<Name>UnderLine
// and cbx<Name>Italic. Owns the manager's change handler.
class TColorEditor : public QWidget {
    Q_OBJECT
public:
    TColorEditor(const QString& name, bool styleBoxes, QWidget* parent = nullptr);

    TEditorColorManager& Manager() { return FManager; }
    TColorGrid* Grid() const { return FGrid; }
    QFrame* NonePanel() const { return FNonePanel; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Refresh();

    TEditorColorManager FManager;
    TColorGrid* FGrid;
    QFrame* FNonePanel;
    QLabel* FForegroundNone;
    QLabel* FBackgroundNone;
    std::array<QCheckBox*, 3> FStyleBoxes {};
};

} // namespace brenvik
