// The colour grid, its "none" panel and style boxes, drawn from and reporting to one manager.
#include "options/ColorGrid.h"

#include "editor/EditorPainter.h"

#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QVBoxLayout>

namespace brenvik {

namespace {

QColor MarkerColor(const QColor& cell)
{
    return cell.lightness() > 128 ? Qt::black : Qt::white;
}

} // namespace

TColorGrid::TColorGrid(const QString& name, TEditorColorManager& manager, QWidget* parent)
    : QWidget(parent)
    , FManager(manager)
{
    setObjectName(name);
    setMinimumSize(sizeHint());
}

QRect TColorGrid::CellRect(int index) const
{
    const int cellWidth = (width() - 1) / Columns;
    const int cellHeight = (height() - 1) / Columns;
    return QRect((index % Columns) * cellWidth, (index / Columns) * cellHeight, cellWidth, cellHeight);
}

int TColorGrid::CellAt(QPoint point) const
{
    for (int index = 0; index < TCustomColorManager::NoneIndex; ++index)
        if (CellRect(index).contains(point))
            return index;
    return -1;
}

void TColorGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const auto& colors = TCustomColorManager::Palette();
    for (int index = 0; index < TCustomColorManager::NoneIndex; ++index) {
        const QRect cell = CellRect(index);
        const QColor color = ToQColor(colors[static_cast<std::size_t>(index)], palette());
        painter.fillRect(cell, FManager.GridEnabled() ? color : palette().color(QPalette::Button));
        painter.setPen(palette().color(QPalette::Mid));
        painter.drawRect(cell);
        if (!FManager.GridEnabled())
            continue;
        painter.setPen(MarkerColor(color));
        if (FManager.ForegroundEnabled() && FManager.ForegroundIndex() == index)
            painter.drawText(cell.adjusted(2, 1, -2, -1), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("FG"));
        if (FManager.BackgroundEnabled() && FManager.BackgroundIndex() == index)
            painter.drawText(cell.adjusted(2, 1, -2, -1), Qt::AlignRight | Qt::AlignBottom, QStringLiteral("BG"));
    }
}

void TColorGrid::mousePressEvent(QMouseEvent* event)
{
    const int cell = CellAt(event->position().toPoint());
    if (cell < 0 || !FManager.GridEnabled())
        return;
    if (event->button() == Qt::LeftButton && FManager.ForegroundEnabled())
        FManager.GridClick(TEditorColorManager::mbLeft, cell, FManager.BackgroundIndex());
    else if (event->button() == Qt::RightButton && FManager.BackgroundEnabled())
        FManager.GridClick(TEditorColorManager::mbRight, FManager.ForegroundIndex(), cell);
}

TColorEditor::TColorEditor(const QString& name, bool styleBoxes, QWidget* parent)
    : QWidget(parent)
    , FGrid(new TColorGrid(QStringLiteral("clg") + name, FManager, this))
    , FNonePanel(new QFrame(this))
    , FForegroundNone(new QLabel(QStringLiteral("FG"), FNonePanel))
    , FBackgroundNone(new QLabel(QStringLiteral("BG"), FNonePanel))
{
    FNonePanel->setObjectName(QStringLiteral("pnl") + name);
    FNonePanel->setFrameShape(QFrame::Panel);
    FNonePanel->setFrameShadow(QFrame::Sunken);
    FNonePanel->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    FNonePanel->setToolTip(QStringLiteral("左クリック: 文字色なし / 右クリック: 背景色なし"));
    FNonePanel->installEventFilter(this);
    FForegroundNone->setObjectName(QStringLiteral("lbl") + name + QStringLiteral("FG"));
    FBackgroundNone->setObjectName(QStringLiteral("lbl") + name + QStringLiteral("BG"));
    auto* noneLayout = new QHBoxLayout(FNonePanel);
    noneLayout->setContentsMargins(4, 2, 4, 2);
    noneLayout->addWidget(new QLabel(QStringLiteral("なし"), FNonePanel));
    noneLayout->addStretch();
    noneLayout->addWidget(FForegroundNone);
    noneLayout->addWidget(FBackgroundNone);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FGrid);
    layout->addWidget(FNonePanel);
    if (styleBoxes) {
        const std::array<std::pair<const char*, const char*>, 3> boxes {
            {{"Bold", "太字"}, {"Italic", "斜体"}, {"UnderLine", "下線"}}};
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            auto* box = new QCheckBox(QString::fromUtf8(boxes[i].second), this);
            box->setObjectName(QStringLiteral("cbx") + name + QLatin1String(boxes[i].first));
            const auto index = static_cast<TEditorColorManager::TStyleBoxIndex>(i);
            connect(box, &QCheckBox::clicked, this, [this, index](bool checked) {
                FManager.StyleBoxClick(index, checked);
            });
            layout->addWidget(box);
            FStyleBoxes[i] = box;
        }
    }
    FManager.OnStateChange = [this](TCustomColorManager*) { Refresh(); };
    Refresh();
}

bool TColorEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == FNonePanel && event->type() == QEvent::MouseButtonPress && FManager.GridEnabled()) {
        const auto button = static_cast<QMouseEvent*>(event)->button();
        if (button == Qt::LeftButton)
            FManager.NoneClick(TEditorColorManager::mbLeft);
        else if (button == Qt::RightButton && FManager.BackgroundEnabled())
            FManager.NoneClick(TEditorColorManager::mbRight);
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void TColorEditor::Refresh()
{
    FGrid->setEnabled(FManager.GridEnabled());
    FGrid->update();
    FNonePanel->setEnabled(FManager.GridEnabled());
    FForegroundNone->setVisible(FManager.GridEnabled() && FManager.ForegroundNoneVisible());
    FBackgroundNone->setVisible(
        FManager.GridEnabled() && FManager.BackgroundEnabled() && FManager.BackgroundNoneVisible());
    for (std::size_t i = 0; i < FStyleBoxes.size(); ++i) {
        if (!FStyleBoxes[i])
            continue;
        const TStyleBox& state = FManager.StyleBox(static_cast<TEditorColorManager::TStyleBoxIndex>(i));
        FStyleBoxes[i]->setChecked(state.Checked);
        FStyleBoxes[i]->setEnabled(state.Enabled);
    }
}

} // namespace brenvik
