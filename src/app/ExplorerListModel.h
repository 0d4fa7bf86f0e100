// The items of an explorer list: names as the script's bytes, shown decoded. The bytes are
// the model, so a name goes back to the editor exactly as it came (no re-encoding), and a
// rebuild swaps the whole vector in one reset with no object per item.
#pragma once

#include "jcode/DocumentChars.h"

#include <QAbstractListModel>

#include <string>
#include <vector>

namespace brenvik {

class TExplorerListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // chars: the document's own characters (a UTF-8 script's), through which names are shown; it
    // outlives the model.
    TExplorerListModel(const TDocumentChars& chars, QObject* parent)
        : QAbstractListModel(parent)
        , FChars(chars)
    {
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    const std::vector<std::string>& Names() const { return FNames; }
    void SetNames(std::vector<std::string> names);
    // The name at row; empty outside.
    std::string NameAt(int row) const;
    void RemoveAt(int row);

private:
    const TDocumentChars& FChars;
    std::vector<std::string> FNames;
};

} // namespace brenvik
