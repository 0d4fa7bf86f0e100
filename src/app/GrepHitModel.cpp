// The grep panel's rows: file, line, column, code and text columns, Japanese headers.
#include "app/GrepHitModel.h"

#include <QFile>

namespace brenvik {

namespace {

// The line as the panel shows it: whole when short, else a stretch that starts a little before the match.
QString ShownText(const TGrepHit& hit)
{
    const QString text = QString::fromStdString(hit.Text);
    if (text.size() <= kShownLineChars)
        return text;
    const int match = hit.Marks.empty() ? 0
                                        : static_cast<int>(QString::fromUtf8(hit.Text.data(), hit.Marks.front().first).size());
    const int from = std::max(0, match - kShownLineChars / 4);
    return (from > 0 ? QStringLiteral("…") : QString()) + text.mid(from, kShownLineChars) + QStringLiteral("…");
}

} // namespace

int TGrepHitModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TGrepHitModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColCount;
}

QVariant TGrepHitModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole)
        return {};
    const TGrepRow& row = Row(index.row());
    switch (index.column()) {
    case ColFile:
        return !folder_.isEmpty() && row.Path.startsWith(folder_) ? row.Path.mid(folder_.size()) : row.Path;
    case ColLine:
        return row.Line > 0 ? QVariant(row.Line) : QVariant();
    case ColColumn:
        return row.Line > 0 ? QVariant(row.Column) : QVariant();
    case ColCode:
        return row.Code;
    default:
        return row.Text;
    }
}

QVariant TGrepHitModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    static const QString headers[] = {QStringLiteral("ファイル"), QStringLiteral("行"), QStringLiteral("桁"),
        QStringLiteral("コード"), QStringLiteral("内容")};
    return section >= 0 && section < ColCount ? headers[section] : QString();
}

void TGrepHitModel::Clear(const QString& folder)
{
    beginResetModel();
    rows_.clear();
    folder_ = folder.endsWith(QLatin1Char('/')) || folder.isEmpty() ? folder : folder + QLatin1Char('/');
    endResetModel();
}

int TGrepHitModel::Append(const std::vector<TGrepFile>& files)
{
    std::vector<TGrepRow> added;
    int hits = 0;
    for (const TGrepFile& file : files) {
        const QString path = QFile::decodeName(file.Path.c_str());
        // What became of a file skipped, not read or searched only in part.
        if (!file.Message.empty())
            added.push_back({path, {}, 0, 0, 0, QString::fromStdString(file.Message)});
        if (file.Outcome != TGrepFile::goSearched)
            continue;
        const QString code = QString::fromStdString(JCodeCaption(file.Code, file.Bom));
        for (const TGrepHit& hit : file.Hits) {
            added.push_back({path, code, hit.Line, hit.Column, hit.Length, ShownText(hit)});
            ++hits;
        }
    }
    if (added.empty())
        return 0;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows({}, first, first + static_cast<int>(added.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(added.begin()), std::make_move_iterator(added.end()));
    endInsertRows();
    return hits;
}

} // namespace brenvik
