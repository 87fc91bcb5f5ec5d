#include "ReferenceRows.h"

namespace vkt {

ReferenceRows::ReferenceRows(QStringList rows, QObject* parent)
    : QAbstractListModel(parent), rows_(std::move(rows))
{
}

int ReferenceRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant ReferenceRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    if (role == Qt::DisplayRole)
        return rows_[index.row()];
    if (role == Qt::SizeHintRole && rowSize_.isValid())
        return rowSize_;
    return {};
}

int ReferenceRows::longestRow() const
{
    int longest = -1;
    qsizetype length = -1;
    for (qsizetype i = 0; i < rows_.size(); ++i) {
        if (rows_[i].size() > length) {
            length = rows_[i].size();
            longest = int(i);
        }
    }
    return longest;
}

void ReferenceRows::setRowSize(const QSize& size)
{
    rowSize_ = size;
    if (!rows_.isEmpty())
        emit dataChanged(index(0), index(int(rows_.size()) - 1), {Qt::SizeHintRole});
}

} // namespace vkt
