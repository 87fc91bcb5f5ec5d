#include "sightings/SightingCsv.h"

#include "astro/CivilTime.h"
#include "services/Failure.h"
#include "services/TextFiles.h"
#include "sightings/Scorecard.h"
#include "sightings/SightingSky.h"

#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <map>

namespace vkt::sightings {
namespace {

// The computed columns, in the order of kComputedColumns.
enum Computed {
    NewMoon, AgeHours, Sunset, Moonset, LagMinutes, BestTime, MoonAltitude, MoonAzimuth, Arcl, Arcv, Daz, Width,
    Illumination, YallopQ, YallopClass, OdehV, OdehClass, ObservedAge, ObservedAltitude, ObservedAzimuth,
    ExtraCriterion, ExtraValue, ExtraClass, ComputedCount,
};
const char* const kComputedColumns[ComputedCount] = {
    "new_moon", "age_hours", "sunset", "moonset", "lag_minutes", "best_time", "moon_altitude", "moon_azimuth",
    "arcl", "arcv", "daz", "w", "illumination", "yallop_q", "yallop_class", "odeh_v", "odeh_class",
    "obs_age_hours", "obs_moon_altitude", "obs_moon_azimuth", "extra_criterion", "extra_value", "extra_class",
};

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

// The fields as UTF-8 text, or nothing when a byte sequence is not UTF-8.
std::optional<QStringList> decodedFields(const RawRecord& r)
{
    QStringList fields;
    for (const QByteArray& f : r.fields) {
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString text = decoder.decode(f);
        if (decoder.hasError())
            return std::nullopt;
        fields << text;
    }
    return fields;
}

// The first character of the record's texts that the data file could not store.
std::optional<LineProblem> notStorable(const QStringList& fields)
{
    for (int column = 0; column < kColumnCount; ++column) {
        try {
            toCodePage(fields[column]);
        } catch (const EncodingFailure& failure) {
            LineProblem p = LineProblem::of(LineProblem::Kind::NotCodePage);
            p.column = static_cast<Column>(column);
            p.text = failure.character();
            return p;
        }
    }
    return std::nullopt;
}

QString number(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && text.mid(1).toDouble() == 0)
        text.remove(0, 1);
    return text;
}

// The computed columns of one record; empty where there is no value.
QStringList computedFields(const astro::SightingGeometry& sky, const astro::CivilZone& zone)
{
    QStringList f;
    for (int i = 0; i < ComputedCount; ++i)
        f << QString();
    f[ExtraCriterion] = QStringLiteral("Babylonian");
    if (sky.gap != astro::SightingGap::None)
        return f;
    const astro::CrescentEvening& c = sky.crescent;
    const auto clock = [&](astro::JulianDay ut) { return zone.at(ut).toString(QStringLiteral("HH:mm")); };
    const qint64 newMoonMs = std::llround((c.newMoon - 2440587.5) * 86400) * 1000;
    f[NewMoon] = QDateTime::fromMSecsSinceEpoch(newMoonMs, QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
    f[Sunset] = clock(c.sunEvent);
    f[Moonset] = clock(c.moonEvent);
    f[LagMinutes] = number(c.lagMinutes, 1);
    if (c.moonUp) {
        f[AgeHours] = number(c.ageHours, 3);
        f[BestTime] = clock(c.best);
        f[MoonAltitude] = number(c.moonAltitude, 3);
        f[MoonAzimuth] = number(c.moonAzimuth, 3);
        f[Arcl] = number(c.arcl, 3);
        f[Arcv] = number(c.arcv, 3);
        f[Daz] = number(c.daz, 3);
        f[Width] = number(c.width, 4);
        f[Illumination] = number(c.illuminated * 100, 3);
        f[YallopQ] = number(c.q, 4);
        f[YallopClass] = QString(QChar(u'A' + static_cast<int>(c.yallop)));
        f[OdehV] = number(c.v, 3);
        f[OdehClass] = QString(QChar(u'A' + static_cast<int>(c.odeh)));
    }
    if (sky.observed) {
        f[ObservedAge] = number(sky.observationAgeHours, 3);
        f[ObservedAltitude] = number(sky.observationMoonAltitude, 3);
        f[ObservedAzimuth] = number(sky.observationMoonAzimuth, 3);
    }
    if (const std::optional<int> cls = criterionClass(Criterion::Babylonian, sky))
        f[ExtraClass] = *cls == 0 ? QStringLiteral("visible") : QStringLiteral("not visible");
    return f;
}

QByteArray csvLine(const QStringList& texts)
{
    std::vector<QByteArray> fields;
    for (const QString& t : texts)
        fields.push_back(t.toUtf8());
    return joinFields(fields, separatorOf(Dialect::Csv)) + kLineEnd;
}

} // namespace

QStringList exportColumnNames()
{
    QStringList names = columnNames(Dialect::Csv);
    for (const char* name : kComputedColumns)
        names << QString::fromLatin1(name);
    return names;
}

CsvImport readCsv(QByteArrayView bytes)
{
    CsvImport result;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);  // the byte-order mark some spreadsheets write
    qsizetype pos = 0;
    int line = 1;
    qsizetype columns = 0;  // from the header
    while (pos < bytes.size()) {
        RawRecord r = nextRecord(bytes, pos, line, separatorOf(Dialect::Csv));
        if (r.bytes.trimmed().isEmpty() && !r.unclosedQuote && columns > 0)
            continue;  // a blank line, such as spreadsheets leave at the end
        const auto problem = [&](LineProblem p) {
            p.line = r.line;
            result.problems.push_back(p);
        };
        const std::optional<QStringList> fields = r.unclosedQuote ? std::nullopt : decodedFields(r);
        if (columns == 0) {
            if (fields && (namesColumns(*fields, columnNames(Dialect::Csv)) || namesColumns(*fields, exportColumnNames()))) {
                columns = fields->size();
                continue;
            }
            // Without its header the columns are unknown: nothing after it is read.
            problem(LineProblem::of(LineProblem::Kind::Header));
            return result;
        }
        if (r.unclosedQuote) {
            problem(LineProblem::of(LineProblem::Kind::UnclosedQuote));
            continue;
        }
        if (!fields) {
            problem(LineProblem::of(LineProblem::Kind::BadEncoding));
            continue;
        }
        if (fields->size() != columns) {
            LineProblem p = LineProblem::of(LineProblem::Kind::FieldCount);
            p.count = static_cast<int>(fields->size());
            problem(p);
            continue;
        }
        const QStringList own = fields->mid(0, kColumnCount);
        if (const std::optional<LineProblem> p = notStorable(own)) {
            problem(*p);
            continue;
        }
        std::variant<Sighting, LineProblem> read = readFields(own, Dialect::Csv);
        if (auto* p = std::get_if<LineProblem>(&read)) {
            problem(*p);
            continue;
        }
        result.rows.push_back({r.line, std::get<Sighting>(std::move(read))});
    }
    if (columns == 0)
        result.problems.push_back(LineProblem::of(LineProblem::Kind::Header, 1));
    return result;
}

ImportPreview previewImport(const SightingBook& book, const CsvImport& csv)
{
    ImportPreview preview;
    preview.problems = csv.problems;
    // The records by date, the book's and those taken so far: a duplicate shares its date.
    std::multimap<qint64, const Sighting*> byDate;
    for (const Sighting& s : book.records())
        byDate.emplace(s.date.toJulianDay(), &s);
    for (const CsvRow& row : csv.rows) {
        const auto [first, last] = byDate.equal_range(row.sighting.date.toJulianDay());
        if (std::any_of(first, last, [&](const auto& entry) { return sameAttempt(*entry.second, row.sighting); })) {
            preview.problems.push_back(LineProblem::of(LineProblem::Kind::Duplicate, row.line));
            continue;
        }
        byDate.emplace(row.sighting.date.toJulianDay(), &row.sighting);
        preview.toAdd.push_back(row);
    }
    std::stable_sort(preview.problems.begin(), preview.problems.end(),
                     [](const LineProblem& a, const LineProblem& b) { return a.line < b.line; });
    return preview;
}

void addImport(SightingBook& book, const ImportPreview& preview)
{
    for (const CsvRow& row : preview.toAdd)
        book.add(row.sighting);
}

QByteArray exportCsv(const std::vector<Sighting>& records, const std::vector<astro::SightingGeometry>& skies)
{
    ZoneCache zones;
    QByteArray bytes = csvLine(exportColumnNames());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Sighting& s = records[i];
        bytes += csvLine(writeFields(s, Dialect::Csv) + computedFields(skies[i], zones.of(s.place)));
    }
    return bytes;
}

} // namespace vkt::sightings
