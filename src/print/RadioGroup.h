// A titled group of radio buttons with one chosen index, like the setup form's option groups.
#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace brenvik {

class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // columns: buttons per row.
    TRadioGroup(const QString& title, const QStringList& items, int columns, QWidget* parent = nullptr);

    // -1 while no button is chosen.
    int ItemIndex() const;
    void SetItemIndex(int index);
    QStringList Items() const;

signals:
    // A button was chosen, by the user or by SetItemIndex.
    void ItemIndexChanged(int index);

private:
    QButtonGroup* FButtons;
};

} // namespace brenvik
