// A captioned group of radio buttons chosen by index: the radio groups of the options dialogs
// and of the print setup form (both libraries build on this one).
#pragma once

#include <QGroupBox>
#include <QList>
#include <QStringList>

class QButtonGroup;
class QRadioButton;

namespace brenvik {

// Invariant: at most one button is checked; ItemIndex() is its index, or -1 for none.
class TRadioGroup : public QGroupBox {
    Q_OBJECT
public:
    // columns: buttons per row.
    TRadioGroup(const char* name, const QString& caption, const QStringList& items, QWidget* parent = nullptr,
        int columns = 1);

    int ItemIndex() const;
    // -1, or an index outside the items, leaves no button checked.
    void SetItemIndex(int index);
    QRadioButton* Button(int index) const { return FButtons.value(index); }
    int Count() const { return FButtons.size(); }
    QStringList Items() const;

signals:
    void ItemIndexChanged(int index);

private:
    QButtonGroup* FGroup;
    QList<QRadioButton*> FButtons;
};

} // namespace brenvik
