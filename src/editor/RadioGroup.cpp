// A captioned group of radio buttons chosen by index.
#include "editor/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QGridLayout>

namespace brenvik {

TRadioGroup::TRadioGroup(
    const char* name, const QString& caption, const QStringList& items, QWidget* parent, int columns)
    : QGroupBox(caption, parent)
    , FGroup(new QButtonGroup(this))
{
    setObjectName(QLatin1String(name));
    auto* layout = new QGridLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        FGroup->addButton(button, i);
        layout->addWidget(button, i / columns, i % columns);
        FButtons.append(button);
    }
    connect(FGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit ItemIndexChanged(id);
    });
}

QStringList TRadioGroup::Items() const
{
    QStringList items;
    for (const QRadioButton* button : FButtons)
        items << button->text();
    return items;
}

int TRadioGroup::ItemIndex() const
{
    return FGroup->checkedId();
}

void TRadioGroup::SetItemIndex(int index)
{
    if (QRadioButton* button = Button(index)) {
        button->setChecked(true);
        return;
    }
    // An exclusive group never unchecks its last button by itself.
    FGroup->setExclusive(false);
    for (QRadioButton* button : FButtons)
        button->setChecked(false);
    FGroup->setExclusive(true);
}

} // namespace brenvik
