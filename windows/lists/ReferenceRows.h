#pragma once

#include <QAbstractListModel>
#include <QSize>
#include <QString>
#include <QStringView>
#include <vector>

namespace vkt {

// The lines of a list file as rows, untouched. The text is kept whole and each row is a view
// into it; a row becomes a string only when the view asks for it, so a million-line file costs
// one decoding and one pass, not a million strings. Every row reports one size, wide enough for
// the widest line, so a view with uniform item sizes lays out all rows at once and can still
// scroll the widest row into view.
class ReferenceRows : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ReferenceRows(QString text, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

    // The row with the most characters: in a fixed-pitch font, the widest one.
    int longestRow() const;
    void setRowSize(const QSize& size);

private:
    QString text_;
    std::vector<QStringView> rows_;  // into text_
    QSize rowSize_;
};

} // namespace vkt
