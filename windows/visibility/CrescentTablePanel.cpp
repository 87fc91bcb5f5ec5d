#include "windows/visibility/CrescentTablePanel.h"

#include "presentation/CrescentRow.h"
#include "windows/visibility/PanelLook.h"

#include <QHeaderView>

namespace vkt {
namespace {

// Column widths in pixels, in the order of the headers.
constexpr int kColumnWidths[] = {52, 24, 84, 46, 46, 46, 56, 52, 62, 58, 60, 58, 50, 50, 52, 46, 54, 56, 28, 54, 28};
constexpr int kYallopColumn = 18;
constexpr int kOdehColumn = 20;

} // namespace

std::vector<int> CrescentTablePanel::columnWidths()
{
    return {std::begin(kColumnWidths), std::end(kColumnWidths)};
}

CrescentTablePanel::CrescentTablePanel(QWidget* parent) : QTableWidget(0, int(presentation::crescentRowHeaders().size()), parent)
{
    setObjectName(QStringLiteral("crescentTable"));
    setAccessibleName(QStringLiteral("Holdsarló láthatósága reggelenként és esténként"));
    setAccessibleDescription(
        QStringLiteral("Soronként egy reggel az újhold előtt vagy egy este utána; Y Yallop, O Odeh osztálya, A a "
                       "legkönnyebben látható"));
    setHorizontalHeaderLabels(presentation::crescentRowHeaders());
    panelLook::setHeaderTips(this, presentation::crescentRowHeaderTips());
    panelLook::styleTable(this);
    for (int i = 0; i < int(std::size(kColumnWidths)); ++i)
        setColumnWidth(i, kColumnWidths[i]);
    setMinimumHeight(std::max(horizontalHeader()->sizeHint().height() + 2 * panelLook::kRowHeight + 2 * frameWidth(),
                              QTableWidget::minimumSizeHint().height()));
}

void CrescentTablePanel::showRun(const astro::CrescentRun& run, const astro::CivilZone& zone)
{
    evenings_.assign(run.mornings.rbegin(), run.mornings.rend());
    evenings_.insert(evenings_.end(), run.evenings.begin(), run.evenings.end());
    {
        // Quietly: the window shows the selection once the rows are in.
        const QSignalBlocker quiet(this);
        clearSelection();
    }
    setRowCount(int(evenings_.size()));
    int chosen = -1;
    for (int row = 0; row < int(evenings_.size()); ++row) {
        const astro::CrescentEvening& c = evenings_[std::size_t(row)];
        fillRow(row, c, zone);
        if (chosen < 0 && c.twilight == astro::Twilight::Evening && c.moonUp)
            chosen = row;
    }
    if (chosen >= 0)
        selectRow(chosen);
}

void CrescentTablePanel::fillRow(int row, const astro::CrescentEvening& c, const astro::CivilZone& zone)
{
    const QStringList cells = presentation::crescentRowFields(c, zone);
    for (int column = 0; column < int(cells.size()); ++column) {
        auto* item = new QTableWidgetItem(cells[column]);
        item->setTextAlignment(column <= 2 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
        item->setForeground(colours::White);
        if (c.moonUp && (column == kYallopColumn || column == kOdehColumn)) {
            const QColor face = column == kYallopColumn ? panelLook::classColour(c.yallop) : panelLook::classColour(c.odeh);
            item->setBackground(face);
            item->setForeground(panelLook::classLetterColour(face));
            item->setTextAlignment(Qt::AlignCenter);
        }
        setItem(row, column, item);
    }
}

// All columns and the eight rows, where there is room for them.
QSize CrescentTablePanel::sizeHint() const
{
    int width = 2 * frameWidth();
    for (const int w : kColumnWidths)
        width += w;
    return {width, horizontalHeader()->sizeHint().height() + 2 * kDays * panelLook::kRowHeight + 2 * frameWidth()};
}

const astro::CrescentEvening* CrescentTablePanel::selected() const
{
    const QList<QTableWidgetItem*> items = selectedItems();
    if (items.isEmpty())
        return nullptr;
    const int row = items.first()->row();
    return row < int(evenings_.size()) ? &evenings_[std::size_t(row)] : nullptr;
}

QString CrescentTablePanel::text(const QString& heading) const
{
    QString text = heading + u'\n' + presentation::crescentRowHeaders().join(u'\t') + u'\n';
    for (int row = 0; row < rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < columnCount(); ++column)
            cells << item(row, column)->text();
        text += cells.join(u'\t') + u'\n';
    }
    return text;
}

} // namespace vkt
