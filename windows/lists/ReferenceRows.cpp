#include "windows/lists/ReferenceRows.h"

#include "services/TextFiles.h"

namespace vkt {

ReferenceRows::ReferenceRows(QString text, QObject* parent)
    : QAbstractListModel(parent), text_(std::move(text)), rows_(lineViews(text_))
{
}

int ReferenceRows::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

QVariant ReferenceRows::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || std::size_t(index.row()) >= rows_.size())
        return {};
    if (role == Qt::DisplayRole)
        return rows_[std::size_t(index.row())].toString();
    if (role == Qt::SizeHintRole && rowSize_.isValid())
        return rowSize_;
    return {};
}

int ReferenceRows::longestRow() const
{
    int longest = -1;
    qsizetype length = -1;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
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
    if (!rows_.empty())
        emit dataChanged(index(0), index(int(rows_.size()) - 1), {Qt::SizeHintRole});
}

} // namespace vkt
