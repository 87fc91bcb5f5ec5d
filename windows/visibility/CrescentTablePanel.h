#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"

#include <QTableWidget>
#include <vector>

namespace vkt {

// The mornings before and evenings after a new moon, a row each, in the almanac's detailed
// columns from "Mikor" on, so a row reads as the almanac's line for the same place and date; the
// classes in their colours, A green through F red. A row is selected at a time.
class CrescentTablePanel : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kDays = 4;  // mornings and evenings 0..3

    explicit CrescentTablePanel(QWidget* parent);
    QSize sizeHint() const override;
    // The columns' widths in pixels, in the order of the headers.
    static std::vector<int> columnWidths();

    // Mornings 3, 2, 1, 0 before and evenings 0, 1, 2, 3 after the new moon, those that exist;
    // the first evening with a crescent to look for is selected; none when no day has one, so no
    // chart or map stands for a day without a crescent.
    void showRun(const astro::CrescentRun& run, const astro::CivilZone& zone);
    const std::vector<astro::CrescentEvening>& evenings() const { return evenings_; }
    // The evening (morning) of the selected row, or nullptr when none is selected.
    const astro::CrescentEvening* selected() const;
    // The rows as text for a spreadsheet: the heading line (what the rows are for), the column
    // names, then the rows; cells separated by tabs, lines by LF.
    QString text(const QString& heading) const;

private:
    void fillRow(int row, const astro::CrescentEvening& c, const astro::CivilZone& zone);

    std::vector<astro::CrescentEvening> evenings_;
};

} // namespace vkt
