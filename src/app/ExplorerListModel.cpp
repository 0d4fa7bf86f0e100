// The explorer's list items.
#include "app/ExplorerListModel.h"

#include "jcode/SjisUnicode.h"

namespace brenvik {

int TExplorerListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(FNames.size());
}

QVariant TExplorerListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= int(FNames.size())
        || (role != Qt::DisplayRole && role != Qt::ToolTipRole))
        return {};
    return SjisToUnicode(FNames[size_t(index.row())], FChars);
}

void TExplorerListModel::SetNames(std::vector<std::string> names)
{
    beginResetModel();
    FNames = std::move(names);
    endResetModel();
}

std::string TExplorerListModel::NameAt(int row) const
{
    return row >= 0 && row < int(FNames.size()) ? FNames[size_t(row)] : std::string();
}

void TExplorerListModel::RemoveAt(int row)
{
    if (row < 0 || row >= int(FNames.size()))
        return;
    beginRemoveRows({}, row, row);
    FNames.erase(FNames.begin() + row);
    endRemoveRows();
}

} // namespace brenvik
