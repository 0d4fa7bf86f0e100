// The grep panel's widgets: a uniform-row list (hundreds of thousands of rows stay cheap) under the progress
// line.
#include "app/GrepPanel.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace brenvik {

TGrepPanel::TGrepPanel(QWidget* parent)
    : QDockWidget(QStringLiteral("Grep 結果"), parent)
{
    setObjectName(QStringLiteral("pnlGrep"));
    auto* content = new QWidget(this);
    progress_ = new QLabel(content);
    progress_->setObjectName(QStringLiteral("lblGrepProgress"));
    cancel_ = new QPushButton(QStringLiteral("中止"), content);
    cancel_->setObjectName(QStringLiteral("btnGrepCancel"));
    cancel_->setEnabled(false);
    view_ = new QTreeView(content);
    view_->setObjectName(QStringLiteral("tvwGrepHits"));
    view_->setModel(&model_);
    view_->setRootIsDecorated(false);
    view_->setUniformRowHeights(true);
    view_->setAllColumnsShowFocus(true);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->header()->setStretchLastSection(true);
    view_->setColumnWidth(TGrepHitModel::ColFile, 260);
    view_->setColumnWidth(TGrepHitModel::ColLine, 56);
    view_->setColumnWidth(TGrepHitModel::ColColumn, 48);
    view_->setColumnWidth(TGrepHitModel::ColCode, 80);

    auto* top = new QHBoxLayout;
    top->addWidget(progress_, 1);
    top->addWidget(cancel_);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addLayout(top);
    layout->addWidget(view_, 1);
    setWidget(content);

    connect(cancel_, &QPushButton::clicked, this, &TGrepPanel::CancelAsked);
    connect(view_, &QTreeView::activated, this, [this](const QModelIndex& index) {
        if (index.isValid() && model_.Row(index.row()).Line > 0)
            emit HitChosen(model_.Row(index.row()));
    });
}

} // namespace brenvik
