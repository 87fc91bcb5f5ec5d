#pragma once

#include <QAbstractListModel>
#include <QSize>
#include <QStringList>

namespace vkt {

// The lines of a list file as rows, untouched. Every row reports one size, wide enough for
// the widest line, so a view with uniform item sizes lays out a million rows at once and
// can still scroll the widest row into view.
class ReferenceRows : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ReferenceRows(QStringList rows, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The row with the most characters: in a fixed-pitch font, the widest one.
    int longestRow() const;
    void setRowSize(const QSize& size);

private:
    QStringList rows_;
    QSize rowSize_;
};

} // namespace vkt
