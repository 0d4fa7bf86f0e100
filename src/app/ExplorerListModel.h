// The items of an explorer list: names as the script's bytes, shown decoded. The bytes are
// the model, so a name goes back to the editor exactly as it came (no re-encoding), and a
// rebuild swaps the whole vector in one reset with no object per item.
#pragma once

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace brenvik {

class TExplorerListModel : public QAbstractListModel {
    Q_OBJECT
public:
    using QAbstractListModel::QAbstractListModel;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const std::vector<std::string>& Names() const { return FNames; }
    void SetNames(std::vector<std::string> names);
    // The name at row; empty outside.
    std::string NameAt(int row) const;
    void RemoveAt(int row);

private:
    std::vector<std::string> FNames;
};

} // namespace brenvik
