// A captioned group of radio buttons chosen by index.
#include "options/RadioGroup.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace brenvik {

TRadioGroup::TRadioGroup(const char* name, const QString& caption, const QStringList& items, QWidget* parent)
    : QGroupBox(caption, parent)
    , FGroup(new QButtonGroup(this))
{
    setObjectName(QLatin1String(name));
    auto* layout = new QVBoxLayout(this);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        FGroup->addButton(button, i);
        layout->addWidget(button);
        FButtons.append(button);
    }
    connect(FGroup, &QButtonGroup::idToggled, this, [this](int id, bool checked) {
        if (checked)
            emit ItemIndexChanged(id);
    });
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
