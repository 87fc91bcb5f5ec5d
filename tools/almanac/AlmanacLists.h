#pragma once

#include "astro/CivilTime.h"
#include "astro/Ephemeris.h"
#include "astro/YearAhead.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace vkt::almanac {

// The tool is a thin layer over the astronomy library and speaks its terms.
using namespace vkt::astro;

// The data files the program reads, and the crescent details beside them, as lines
// (AlmanacLines lays them out).
struct Almanac {
    QStringList newMoons;          // "ujholdak.txt"
    QStringList crescents;         // "holdsarlok.txt"
    QStringList solarEclipses;     // "napfogyik.txt"
    QStringList lunarEclipses;     // "holdfogyik.txt"
    QStringList venus;             // "venusz.txt"
    QStringList crescentDetails;   // "holdsarlok-adatok.txt"
};

struct AlmanacFile {
    QString name;
    const QStringList* lines;
};
std::vector<AlmanacFile> almanacFiles(const Almanac& almanac);
QStringList almanacFileNames();

// One civil year of a zone, from local midnight of 1 January up to the next one. An event
// belongs to it by its time as the lists show it, rounded to the minute.
struct CivilYear {
    CivilYear(const CivilZone& zone, int year);
    bool contains(JulianDay ut) const;
    JulianDay start, end;
};

// Called before each civil year is computed.
using Progress = std::function<void(int year)>;

// Every event whose time, to the minute in the place's civil time, falls in the civil years
// fromYear..toYear. Events are listed by their own time: the evening crescent after a new moon
// of 31 December belongs to the next year.
Almanac computeAlmanac(Ephemeris& ephemeris, int fromYear, int toYear, const Place& place,
                       const Progress& progress = {});

// The new moons whose time, to the minute in the place's civil time, falls in the civil years
// fromYear..toYear, each with its first evenings and last mornings (the calendar's crescents).
std::vector<NewMoonOutlook> yearsOutlook(Ephemeris& ephemeris, int fromYear, int toYear, const Place& place,
                                         const Progress& progress = {});

// Writes each file atomically (Windows-1250, CR LF). Throws vkt::Failure.
void writeAlmanac(const QString& folder, const Almanac& almanac);

} // namespace vkt::almanac
