#include "windows/visibility/YearAheadPanel.h"

#include "presentation/YearAheadRow.h"
#include "windows/common/Guarded.h"
#include "windows/visibility/MapComputation.h"
#include "windows/visibility/PanelLook.h"

#include <QHeaderView>
#include <QtConcurrent/QtConcurrentRun>

namespace vkt {
namespace {

// Each crescent column and the class it shows, in the order of the headers after the new moon.
struct CrescentColumn {
    const std::optional<astro::CrescentEvening> astro::NewMoonOutlook::*crescent;
    bool odeh;
};
constexpr CrescentColumn kColumns[] = {{&astro::NewMoonOutlook::firstEveningYallop, false},
                                       {&astro::NewMoonOutlook::firstEveningOdeh, true},
                                       {&astro::NewMoonOutlook::lastMorningYallop, false},
                                       {&astro::NewMoonOutlook::lastMorningOdeh, true}};

} // namespace

YearAheadPanel::YearAheadPanel(QWidget* parent) : QTableWidget(0, int(presentation::yearAheadHeaders().size()), parent)
{
    setObjectName(QStringLiteral("yearTable"));
    setAccessibleName(QStringLiteral("A következő 12 újhold"));
    setAccessibleDescription(
        QStringLiteral("Soronként egy újhold, utána az első este, előtte az utolsó reggel, amikor a holdsarló Yallop "
                       "A–D, illetve Odeh A–C osztályú; dupla kattintásra az újhold megnyílik"));
    setHorizontalHeaderLabels(presentation::yearAheadHeaders());
    panelLook::setHeaderTips(this, presentation::yearAheadHeaderTips());
    panelLook::styleTable(this);
    horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    setMinimumHeight(horizontalHeader()->sizeHint().height() + 3 * panelLook::kRowHeight + 2 * frameWidth());
    connect(&watcher_, &QFutureWatcherBase::finished, this, [this] {
        guarded([this] {
            if (!watcher_.future().isCanceled())
                take(watcher_.result());
        });
    });
    connect(this, &QTableWidget::cellDoubleClicked, this, [this](int row) {
        if (row >= 0 && row < int(outlooks_.size()))
            emit newMoonChosen(outlooks_[std::size_t(row)].newMoon);
    });
}

YearAheadPanel::~YearAheadPanel()
{
    // The worker holds copies only, but no thread should outlive the window that asked.
    watcher_.waitForFinished();
}

void YearAheadPanel::compute(const astro::Place& place, astro::JulianDay from)
{
    place_ = place;
    shown_ = false;
    outlooks_.clear();
    setRowCount(0);
    // Each worker thread has an ephemeris of its own: the library keeps its state per thread.
    watcher_.setFuture(QtConcurrent::run(&MapComputation::pool(), [place, from] {
        astro::Ephemeris ephemeris;
        return astro::yearAhead(ephemeris, place, from);
    }));
}

const std::vector<astro::NewMoonOutlook>& YearAheadPanel::finished()
{
    if (!shown_) {
        watcher_.waitForFinished();
        take(watcher_.result());
    }
    return outlooks_;
}

void YearAheadPanel::take(const std::vector<astro::NewMoonOutlook>& outlooks)
{
    if (shown_)
        return;
    shown_ = true;
    outlooks_ = outlooks;
    const astro::CivilZone zone(place_.timeZone);
    setRowCount(int(outlooks_.size()));
    for (int row = 0; row < rowCount(); ++row) {
        const astro::NewMoonOutlook& o = outlooks_[std::size_t(row)];
        const QStringList cells = presentation::yearAheadFields(o, zone);
        for (int column = 0; column < int(cells.size()); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setForeground(colours::White);
            if (column > 0)
                if (const auto& c = o.*kColumns[column - 1].crescent) {
                    const QColor face = kColumns[column - 1].odeh ? panelLook::classColour(c->odeh)
                                                                  : panelLook::classColour(c->yallop);
                    item->setBackground(face);
                    item->setForeground(panelLook::classLetterColour(face));
                }
            setItem(row, column, item);
        }
    }
}

} // namespace vkt
