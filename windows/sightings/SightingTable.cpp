#include "windows/sightings/SightingTable.h"

#include "presentation/ScorecardTexts.h"
#include "presentation/SightingTexts.h"
#include "presentation/Words.h"
#include "services/Numbers.h"
#include "sightings/Scorecard.h"

#include <algorithm>

namespace vkt {
namespace {

using sightings::Criterion;
using sightings::Means;

struct Heading {
    const char* caption;
    const char* tip;
};
const Heading kHeadings[SightingTable::ColumnCount] = {
    {"Dátum", "A hely naptári napja, amelynek estéjén vagy reggelén az észlelés történt"},
    {"Idő", "Az első észlelés (vagy a sikertelen próba) helyi ideje; üresen az aznapi legjobb időpont"},
    {"Napszak", "Este (napnyugta után) vagy reggel (napkelte előtt)"},
    {"Hely", "A megfigyelőhely neve"},
    {"Megfigyelő", "A megfigyelő(k)"},
    {"Szabad szem", "Szabad szemmel: látta, nem látta, nem próbálta"},
    {"Binokulár", "Binokulárral: látta, nem látta, nem próbálta"},
    {"Távcső", "Távcsővel: látta, nem látta, nem próbálta"},
    {"Kamera", "Kamerával: látta, nem látta, nem próbálta"},
    {"Ég", "Az ég átlátszósága: kiváló, tiszta, párás, nagyon párás"},
    {"Felhő", "Felhőzet: derült, részben felhős, borult"},
    {"Kor (óra)", "A holdsarló kora az észlelés időpontjában, órában, az újholdtól (reggel negatív)"},
    {"Hold mag.", "A Hold látszó (fénytöréssel számolt) magassága az észlelés időpontjában, fokban"},
    {"ARCL", "A Nap és a Hold szögtávolsága a legjobb időpontban, fokban (geocentrikus)"},
    {"ARCV", "A Hold és a Nap magasságkülönbsége a légkör nélkül, a legjobb időpontban, fokban"},
    {"W′", "A holdsarló szélessége a legjobb időpontban, ívpercben"},
    {"q", "Yallop q értéke a legjobb időpontban"},
    {"Yallop", "Yallop osztálya: A könnyen látható … F nem látható"},
    {"V", "Odeh V értéke a legjobb időpontban"},
    {"Odeh", "Odeh osztálya: A szabad szemmel látható … D nem látható"},
};

Means meansOf(int column)
{
    return static_cast<Means>(column - SightingTable::NakedEye);
}

// The best-time quantities exist only where the Moon stays up after the Sun (before it, mornings).
bool hasBestTime(const astro::SightingGeometry* sky)
{
    return sky && sky->gap == astro::SightingGap::None && sky->crescent.moonUp;
}

// The value a computed column shows, or nothing where the sky has none.
std::optional<double> computedValue(const astro::SightingGeometry* sky, int column)
{
    if (!sky || sky->gap != astro::SightingGap::None)
        return std::nullopt;
    const bool best = hasBestTime(sky);
    const astro::CrescentEvening& c = sky->crescent;
    switch (column) {
    case SightingTable::Age:
        return sky->observed ? std::optional(sky->observationAgeHours) : std::nullopt;
    case SightingTable::MoonAltitude:
        return sky->observed ? std::optional(sky->observationMoonAltitude) : std::nullopt;
    case SightingTable::Arcl:
        return best ? std::optional(c.arcl) : std::nullopt;
    case SightingTable::Arcv:
        return best ? std::optional(c.arcv) : std::nullopt;
    case SightingTable::Width:
        return best ? std::optional(c.width) : std::nullopt;
    case SightingTable::YallopQ:
        return best ? std::optional(c.q) : std::nullopt;
    case SightingTable::OdehV:
        return best ? std::optional(c.v) : std::nullopt;
    case SightingTable::YallopClass:
    case SightingTable::OdehClass: {
        const auto cls = sightings::criterionClass(
            column == SightingTable::YallopClass ? Criterion::Yallop : Criterion::Odeh, *sky);
        return cls ? std::optional(double(*cls)) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

// The age at the moment of the sighting as the main window gives it; the column has decimal hours.
QVariant ageTip(const astro::SightingGeometry& sky)
{
    const QStringList forms = presentation::observationAgeTexts(sky);
    if (forms.isEmpty())
        return {};
    return QStringLiteral("A holdsarló kora az észlelés időpontjában:\n") + forms.join(u'\n');
}

int decimalsOf(int column)
{
    switch (column) {
    case SightingTable::Width:
    case SightingTable::YallopQ:
    case SightingTable::OdehV:
        return 3;
    default:
        return 1;
    }
}

} // namespace

SightingTable::SightingTable(QObject* parent) : QAbstractTableModel(parent) {}

int SightingTable::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(records_.size());
}

int SightingTable::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SightingTable::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const std::size_t row = std::size_t(index.row());
    const astro::SightingGeometry* sky = skies_[row] ? &*skies_[row] : nullptr;
    switch (role) {
    case Qt::DisplayRole:
        return display(records_[row], sky, index.column());
    case Qt::TextAlignmentRole:
        return index.column() >= kFirstComputed ? QVariant(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    case Qt::ToolTipRole:
        return index.column() == Age && sky ? ageTip(*sky) : QVariant();
    default:
        return {};
    }
}

QVariant SightingTable::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= ColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (role == Qt::DisplayRole)
        return QString::fromUtf8(kHeadings[section].caption);
    if (role == Qt::ToolTipRole)
        return QString::fromUtf8(kHeadings[section].tip);
    return {};
}

QVariant SightingTable::display(const sightings::Sighting& s, const astro::SightingGeometry* sky, int column) const
{
    switch (column) {
    case Date:
        return s.date.toString(QStringLiteral("yyyy.MM.dd"));
    case Time:
        return s.time ? s.time->toString(QStringLiteral("HH:mm")) : QString();
    case Session:
        return presentation::twilightWord(s.session);
    case Place:
        return s.place.name;
    case Observers:
        return s.observers;
    case NakedEye:
    case Binoculars:
    case Telescope:
    case Camera:
        return s.outcome(meansOf(column)) == sightings::Outcome::NotTried
                   ? QString()
                   : presentation::outcomeWord(s.outcome(meansOf(column)));
    case Sky:
        return presentation::transparencyWord(s.transparency);
    case Clouds:
        return presentation::cloudsWord(s.clouds);
    default:
        break;
    }
    const std::optional<double> value = computedValue(sky, column);
    if (!value)
        return sky ? QString() : QStringLiteral("…");
    if (column == YallopClass || column == OdehClass)
        return presentation::criterionClassText(column == YallopClass ? Criterion::Yallop : Criterion::Odeh,
                                                int(*value));
    return decimalText(*value, decimalsOf(column));
}

qint64 SightingTable::sortKey(const sightings::Sighting& s, int column)
{
    switch (column) {
    case Date: {
        // The day, then mornings before evenings, then the clock time (none: the best time, last).
        const qint64 minutes = s.time ? s.time->msecsSinceStartOfDay() / 60000 : 24 * 60;
        return (s.date.toJulianDay() * 2 + (s.session == astro::Twilight::Evening ? 1 : 0)) * 2000 + minutes;
    }
    case Time:
        return s.time ? s.time->msecsSinceStartOfDay() : 24 * 3600 * 1000;
    case Session:
        return int(s.session);
    case NakedEye:
    case Binoculars:
    case Telescope:
    case Camera:
        return int(s.outcome(meansOf(column)));
    case Sky:
        return int(s.transparency);
    case Clouds:
        return int(s.clouds);
    default:
        return 0;
    }
}

void SightingTable::setRecords(std::vector<sightings::Sighting> records)
{
    beginResetModel();
    records_ = std::move(records);
    skies_.assign(records_.size(), std::nullopt);
    endResetModel();
}

void SightingTable::add(const sightings::Sighting& s)
{
    beginInsertRows({}, rowCount(), rowCount());
    records_.push_back(s);
    skies_.emplace_back();
    endInsertRows();
}

void SightingTable::replace(std::size_t row, const sightings::Sighting& s)
{
    records_.at(row) = s;
    skies_[row].reset();
    emit dataChanged(index(int(row), 0), index(int(row), ColumnCount - 1));
}

void SightingTable::remove(std::size_t row)
{
    records_.at(row);
    beginRemoveRows({}, int(row), int(row));
    records_.erase(records_.begin() + qsizetype(row));
    skies_.erase(skies_.begin() + qsizetype(row));
    endRemoveRows();
}

void SightingTable::setSky(std::size_t row, const astro::SightingGeometry& sky)
{
    skies_.at(row) = sky;
    emit dataChanged(index(int(row), kFirstComputed), index(int(row), ColumnCount - 1));
}

void SightingTable::setSkies(const std::vector<std::size_t>& rows, const std::vector<astro::SightingGeometry>& skies)
{
    if (rows.empty())
        return;
    std::size_t first = rows.front(), last = rows.front();
    for (std::size_t i = 0; i < rows.size(); ++i) {
        skies_.at(rows[i]) = skies.at(i);
        first = std::min(first, rows[i]);
        last = std::max(last, rows[i]);
    }
    emit dataChanged(index(int(first), kFirstComputed), index(int(last), ColumnCount - 1));
}

bool SightingTable::lessThan(std::size_t a, std::size_t b, int column) const
{
    const sightings::Sighting& x = records_[a];
    const sightings::Sighting& y = records_[b];
    switch (column) {
    case Place:
        return QString::compare(x.place.name, y.place.name, Qt::CaseInsensitive) < 0;
    case Observers:
        return QString::compare(x.observers, y.observers, Qt::CaseInsensitive) < 0;
    default:
        break;
    }
    if (column < kFirstComputed)
        return sortKey(x, column) < sortKey(y, column);
    const std::optional<double> u = computedValue(skies_[a] ? &*skies_[a] : nullptr, column);
    const std::optional<double> v = computedValue(skies_[b] ? &*skies_[b] : nullptr, column);
    return u && (!v || *u < *v);
}

std::vector<std::size_t> SightingTable::uncomputed() const
{
    std::vector<std::size_t> rows;
    for (std::size_t i = 0; i < skies_.size(); ++i)
        if (!skies_[i])
            rows.push_back(i);
    return rows;
}

std::vector<astro::SightingGeometry> SightingTable::skies() const
{
    std::vector<astro::SightingGeometry> all;
    all.reserve(skies_.size());
    for (const auto& sky : skies_) {
        if (!sky)
            return {};
        all.push_back(*sky);
    }
    return all;
}

SortedSightings::SortedSightings(SightingTable* table) : QSortFilterProxyModel(table), table_(table)
{
    setSourceModel(table);
}

bool SortedSightings::lessThan(const QModelIndex& left, const QModelIndex& right) const
{
    return table_->lessThan(std::size_t(left.row()), std::size_t(right.row()), left.column());
}

} // namespace vkt
