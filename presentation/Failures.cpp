#include "presentation/Failures.h"

#include <QDate>
#include <QDir>
#include <QStringList>
#include <cmath>

namespace vkt::presentation {
namespace {

// "1800–2399, 3000–3599"
QString spansText(const std::vector<astro::Error::YearSpan>& spans)
{
    QStringList texts;
    for (const astro::Error::YearSpan& span : spans)
        texts << QStringLiteral("%1–%2").arg(span.first).arg(span.last);
    return texts.join(QStringLiteral(", "));
}

QString missingFileText(const astro::Error& error)
{
    const int year = QDate::fromJulianDay(qint64(std::floor(error.julianDay() + 0.5))).year();
    const QString covered = error.coveredYears().empty()
                                ? QStringLiteral("Egyetlen évhez sincs telepítve adatfájl")
                                : QStringLiteral("A telepített fájlok ezeket az éveket fedik le: %1").arg(spansText(error.coveredYears()));
    return QStringLiteral("A kért időpont (%1. év) kívül esik a Swiss Ephemeris telepített adatfájljain: hiányzik a %2 "
                          "fájl. %3 (a swe-basic-data csomag az 1800–2399. éveket hozza). (Swiss Ephemeris: %4)")
        .arg(year)
        .arg(error.file(), covered, error.detail());
}

} // namespace

QString failureText(const astro::Error& error)
{
    using Kind = astro::Error::Kind;
    switch (error.kind()) {
    case Kind::Library:
        return QStringLiteral("A Swiss Ephemeris nem tudta elvégezni a számítást (%1: %2).").arg(error.call(), error.detail());
    case Kind::MissingEphemerisFile:
        return missingFileText(error);
    case Kind::PhaseNotSettled:
        return QStringLiteral("A holdfázis időpontja nem számítható ki (JD %1).").arg(error.julianDay(), 0, 'f', 3);
    case Kind::ConjunctionNotSettled:
        return QStringLiteral("A Vénusz együttállása nem számítható ki (JD %1).").arg(error.julianDay(), 0, 'f', 3);
    case Kind::UnknownZone:
        return QStringLiteral("A(z) %1 időzóna nem ismert ezen a gépen; telepítse a tzdata csomagot.").arg(error.detail());
    case Kind::WrongThread:
        return QStringLiteral("Belső hiba: a csillagászati számítás egy másik szál efemeriszét használta.");
    }
    return {};
}

QString ephemerisWarning(const astro::Ephemeris& ephemeris)
{
    if (!ephemeris.analytic())
        return {};
    return QStringLiteral("Figyelem: a Swiss Ephemeris adatfájljai (sepl_18.se1, semo_18.se1) nem "
                          "találhatók itt: %1. A beépített analitikus (Moshier-) efemeriszt használom, "
                          "ezért egy-egy időpont néhány másodperccel pontatlanabb lehet; a pontos "
                          "adatokhoz telepítse a swe-basic-data csomagot.")
        .arg(QDir::toNativeSeparators(ephemeris.folder()));
}

} // namespace vkt::presentation
