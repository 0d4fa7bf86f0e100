// The rows of the grep panel: one per hit line, and one per file that was skipped or could not be read.
#pragma once

#include "grep/GrepFile.h"

#include <QAbstractTableModel>

#include <vector>

namespace brenvik {

struct TGrepRow {
    QString Path; // the file's own name, as the walk gave it
    QString Code;
    int Line = 0; // 0 for a row that only tells of the file
    int Column = 0;
    int Length = 0;
    QString Text; // the hit's line (cut around the match when long), or what became of the file
};

class TGrepHitModel : public QAbstractTableModel {
public:
    enum TColumn { ColFile, ColLine, ColColumn, ColCode, ColText, ColCount };

    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Empties the list for a grep of folder, below which file names are shown.
    void Clear(const QString& folder = QString());
    // Appends the hits and troubles of a batch of files in one insertion; returns the hit rows added.
    int Append(const std::vector<TGrepFile>& files);
    const TGrepRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

private:
    std::vector<TGrepRow> rows_;
    QString folder_;
};

// A long line shown around its match: at most this many characters.
inline constexpr int kShownLineChars = 300;

} // namespace brenvik
