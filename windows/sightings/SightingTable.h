#pragma once

#include "astro/SightingGeometry.h"
#include "sightings/Sighting.h"

#include <QAbstractTableModel>
#include <QSortFilterProxyModel>
#include <optional>
#include <vector>

namespace vkt {

// The records as the window's table shows them: what the observer entered, then what is computed
// for each, which arrives later from the background. Every column has its order (lessThan):
// numbers as numbers, texts without regard to case, a value not yet computed last.
class SightingTable : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Date, Time, Session, Place, Observers, NakedEye, Binoculars, Telescope, Camera, Sky, Clouds,
        Age, MoonAltitude, Arcl, Arcv, Width, YallopQ, YallopClass, OdehV, OdehClass,
        ColumnCount
    };
    static constexpr int kFirstComputed = Age;

    explicit SightingTable(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // The records anew; none of them computed.
    void setRecords(std::vector<sightings::Sighting> records);
    const std::vector<sightings::Sighting>& records() const { return records_; }
    void add(const sightings::Sighting& s);
    void replace(std::size_t row, const sightings::Sighting& s);  // its sky forgotten
    void remove(std::size_t row);

    // The record's sky once computed; nothing before.
    const std::optional<astro::SightingGeometry>& sky(std::size_t row) const { return skies_.at(row); }
    void setSky(std::size_t row, const astro::SightingGeometry& sky);
    // Many at once, rows[i]'s in skies[i], announced as one change.
    void setSkies(const std::vector<std::size_t>& rows, const std::vector<astro::SightingGeometry>& skies);
    // Whether row a comes before row b by the column.
    bool lessThan(std::size_t a, std::size_t b, int column) const;

    // The rows whose sky is not computed yet.
    std::vector<std::size_t> uncomputed() const;
    // Every record's sky, once all are computed (empty before).
    std::vector<astro::SightingGeometry> skies() const;

private:
    QVariant display(const sightings::Sighting& s, const astro::SightingGeometry* sky, int column) const;
    // The order of an entered column that is not a text.
    static qint64 sortKey(const sightings::Sighting& s, int column);

    std::vector<sightings::Sighting> records_;
    std::vector<std::optional<astro::SightingGeometry>> skies_;
};

// The table as the window shows it, sorted by any column in its own order, straight from the
// records: thousands of rows sort without a variant made for each comparison.
class SortedSightings : public QSortFilterProxyModel {
    Q_OBJECT
public:
    explicit SortedSightings(SightingTable* table);

protected:
    bool lessThan(const QModelIndex& left, const QModelIndex& right) const override;

private:
    SightingTable* table_;
};

} // namespace vkt
