#include "presentation/Failures.h"

#include <QDir>

namespace vkt::presentation {

QString failureText(const astro::Error& error)
{
    using Kind = astro::Error::Kind;
    switch (error.kind()) {
    case Kind::Library:
        return QStringLiteral("A Swiss Ephemeris hibát jelzett (%1): %2").arg(error.call(), error.detail());
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
