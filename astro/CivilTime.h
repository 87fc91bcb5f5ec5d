#pragma once

#include "astro/Ephemeris.h"

#include <QDateTime>
#include <QString>
#include <QTimeZone>

namespace vkt::astro {

// Civil time of one IANA zone, summer time included. Every instant shown is rounded to the
// nearest minute first.
class CivilZone {
public:
    // Throws vkt::Failure when the time-zone database does not know the zone.
    explicit CivilZone(const QByteArray& zoneId = QByteArrayLiteral("Europe/Budapest"));
    static bool known(const QByteArray& zoneId);

    const QByteArray& zoneId() const { return id_; }
    const QTimeZone& timeZone() const { return zone_; }
    QDateTime at(JulianDay ut) const;
    QString text(JulianDay ut) const;      // "yyyy.MM.dd HH:mm"
    QString dateText(JulianDay ut) const;  // "yyyy.MM.dd"
    QString timeText(JulianDay ut) const;  // "HH:mm"
    // The first instant of the civil year: local midnight of 1 January.
    JulianDay startOfYear(int year) const;

private:
    QByteArray id_;
    QTimeZone zone_;
};

// Hungarian civil time: the rules of Europe/Budapest.
const CivilZone& hungarianTime();
QDateTime civilTime(JulianDay ut);
QString civilText(JulianDay ut);
QString civilDateText(JulianDay ut);
JulianDay startOfCivilYear(int year);

JulianDay fromCivil(const QDateTime& civil);
// The instant the lists show: rounded to the nearest minute. Ranges are cut on this value, so
// an event shown as 00:00 on 1 January belongs to the new year.
JulianDay roundedToMinute(JulianDay ut);

} // namespace vkt::astro
