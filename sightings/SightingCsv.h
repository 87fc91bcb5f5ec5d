#pragma once

#include "astro/SightingGeometry.h"
#include "sightings/Sighting.h"
#include "sightings/SightingBook.h"
#include "sightings/SightingFields.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QStringList>
#include <vector>

// The exchange CSV of observers and published catalogues: UTF-8, a header line, comma-separated,
// decimal point, quoted as RFC 4180 quotes, the columns date, time, timezone, session, latitude,
// longitude, height, naked_eye, binoculars, telescope, camera, sky, clouds, place, observer, note.
// The export adds the computed columns (exportColumnNames()).
namespace vkt::sightings {

QStringList exportColumnNames();

// A line of the CSV that gives a record.
struct CsvRow {
    int line = 0;
    Sighting sighting;
};

// An import in two steps, so that nothing is added before the observer has seen what will be:
// the CSV read, then what adding it to the book would do.
struct CsvImport {
    std::vector<CsvRow> rows;           // the lines that give records, in order
    std::vector<LineProblem> problems;  // every line that does not, with its reason, in order
};
// Reads a CSV: a header of the sixteen columns (an export's, with its computed columns after
// them, is taken too, those columns left aside), then a record a line. A text that Windows-1250
// cannot hold is refused with its column and character, since the data file could not store it.
CsvImport readCsv(QByteArrayView bytes);

struct ImportPreview {
    std::vector<CsvRow> toAdd;
    // The CSV's own problems and the records already in the book or earlier in the CSV (the same
    // date, session, place and time), by line.
    std::vector<LineProblem> problems;
};
ImportPreview previewImport(const SightingBook& book, const CsvImport& csv);
void addImport(SightingBook& book, const ImportPreview& preview);

// The records and their computed skies (skies[i] is records[i]'s), header first, CR LF line ends.
QByteArray exportCsv(const std::vector<Sighting>& records, const std::vector<astro::SightingGeometry>& skies);

} // namespace vkt::sightings
