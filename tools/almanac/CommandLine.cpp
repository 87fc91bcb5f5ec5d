#include "tools/almanac/CommandLine.h"

#include "astro/CivilTime.h"
#include "services/Failure.h"
#include "services/TextFiles.h"
#include "services/Version.h"
#include "tools/almanac/AlmanacLists.h"

#include <QDir>
#include <QFileInfo>
#include <cmath>

namespace vkt::almanac {
namespace {

const QString kProgram = QStringLiteral("vkt-almanac");

std::optional<int> parseYear(const QString& text)
{
    bool ok = false;
    const int year = text.trimmed().toInt(&ok);
    if (!ok || year < kFirstYear || year > kLastYear)
        return std::nullopt;
    return year;
}

// Degrees with a decimal point or, as Hungarians write it, a decimal comma.
std::optional<double> parseDegrees(QString text, double limit)
{
    text = text.trimmed().replace(u',', u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || std::abs(value) > limit)
        return std::nullopt;
    return value;
}

// Metres with a point or a comma, from the Dead Sea shore to above the highest peak.
std::optional<double> parseHeight(QString text)
{
    text = text.trimmed().replace(u',', u'.');
    bool ok = false;
    const double value = text.toDouble(&ok);
    if (!ok || !std::isfinite(value) || value < -500 || value > 9000)
        return std::nullopt;
    return value;
}

ParsedArguments failure(const QString& message)
{
    return {std::nullopt, message};
}

} // namespace

ParsedArguments parseArguments(const QStringList& arguments)
{
    Options options;
    std::optional<int> from, to;
    bool haveFolder = false, havePlace = false, haveHeight = false;
    std::optional<double> height;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        const auto valueCount = [&](int count) { return i + count < arguments.size(); };
        if (name == u"-h" || name == u"--help") {
            options.help = true;
        } else if (name == u"-v" || name == u"--version") {
            options.version = true;
        } else if (name == u"--force") {
            options.force = true;
        } else if (name == u"--from" || name == u"--to") {
            std::optional<int>& year = name == u"--from" ? from : to;
            if (year)
                return failure(QStringLiteral("A(z) %1 kapcsoló kétszer szerepel.").arg(name));
            if (!valueCount(1))
                return failure(QStringLiteral("A(z) %1 kapcsoló után hiányzik az évszám.").arg(name));
            year = parseYear(arguments[++i]);
            if (!year)
                return failure(QStringLiteral("Hibás évszám a(z) %1 után: „%2”; %3 és %4 közötti egész számot várok.")
                                   .arg(name, arguments[i])
                                   .arg(kFirstYear)
                                   .arg(kLastYear));
        } else if (name == u"--out") {
            if (haveFolder)
                return failure(QStringLiteral("A(z) --out kapcsoló kétszer szerepel."));
            if (!valueCount(1) || arguments[i + 1].trimmed().isEmpty())
                return failure(QStringLiteral("A(z) --out kapcsoló után hiányzik a mappa neve."));
            options.folder = arguments[++i];
            haveFolder = true;
        } else if (name == u"--place") {
            if (havePlace)
                return failure(QStringLiteral("A(z) --place kapcsoló kétszer szerepel."));
            if (!valueCount(3))
                return failure(QStringLiteral("A(z) --place kapcsoló után három érték kell: a hely neve, "
                                              "a földrajzi szélesség és a hosszúság."));
            const QString placeName = arguments[i + 1].trimmed();
            const auto latitude = parseDegrees(arguments[i + 2], 90);
            const auto longitude = parseDegrees(arguments[i + 3], 180);
            if (placeName.isEmpty())
                return failure(QStringLiteral("A hely neve nem lehet üres."));
            try {
                encodeWindows1250(placeName);
            } catch (const EncodingFailure&) {
                return failure(QStringLiteral("A hely nevében („%1”) olyan betű van, amely nem fér el a "
                                              "közép-európai kódlapú fájlokban.")
                                   .arg(placeName));
            }
            if (!latitude)
                return failure(QStringLiteral("Hibás földrajzi szélesség: „%1”; -90 és 90 közötti fokot várok "
                                              "(északra pozitív).")
                                   .arg(arguments[i + 2]));
            if (!longitude)
                return failure(QStringLiteral("Hibás földrajzi hosszúság: „%1”; -180 és 180 közötti fokot várok "
                                              "(keletre pozitív).")
                                   .arg(arguments[i + 3]));
            options.place.name = placeName;
            options.place.latitude = *latitude;
            options.place.longitude = *longitude;
            havePlace = true;
            i += 3;
        } else if (name == u"--height") {
            if (haveHeight)
                return failure(QStringLiteral("A(z) --height kapcsoló kétszer szerepel."));
            if (!valueCount(1))
                return failure(QStringLiteral("A(z) --height kapcsoló után hiányzik a magasság."));
            height = parseHeight(arguments[++i]);
            if (!height)
                return failure(QStringLiteral("Hibás magasság: „%1”; -500 és 9000 közötti métert várok.").arg(arguments[i]));
            haveHeight = true;
        } else if (name == u"--tz") {
            if (options.zoneGiven)
                return failure(QStringLiteral("A(z) --tz kapcsoló kétszer szerepel."));
            if (!valueCount(1))
                return failure(QStringLiteral("A(z) --tz kapcsoló után hiányzik az időzóna neve."));
            const QString zone = arguments[++i].trimmed();
            const QByteArray id = zone.toLatin1();
            if (QString::fromLatin1(id) != zone || !CivilZone::known(id))
                return failure(QStringLiteral("Ismeretlen időzóna: „%1”; IANA-nevet várok, például Europe/Budapest "
                                              "vagy America/New_York.")
                                   .arg(arguments[i]));
            options.place.timeZone = id;
            options.zoneGiven = true;
        } else if (name.startsWith(u'-')) {
            return failure(QStringLiteral("Ismeretlen kapcsoló: „%1”.").arg(name));
        } else {
            return failure(QStringLiteral("Váratlan argumentum: „%1”.").arg(name));
        }
    }
    if (height)
        options.place.height = *height;
    if (options.help || options.version)
        return {options, {}};
    if (!from)
        return failure(QStringLiteral("Hiányzik a --from kapcsoló (az első év)."));
    if (!to)
        return failure(QStringLiteral("Hiányzik a --to kapcsoló (az utolsó év)."));
    if (!haveFolder)
        return failure(QStringLiteral("Hiányzik az --out kapcsoló (a mappa, ahová a fájlok kerülnek)."));
    if (*from > *to)
        return failure(QStringLiteral("Az első év (%1) későbbi, mint az utolsó (%2).").arg(*from).arg(*to));
    options.fromYear = *from;
    options.toYear = *to;
    return {options, {}};
}

QString zoneWarning(const Options& options)
{
    // Hungary lies within these bounds.
    const Place& p = options.place;
    const bool inHungary = p.latitude >= 45.7 && p.latitude <= 48.6 && p.longitude >= 16.1 && p.longitude <= 22.9;
    if (inHungary || options.zoneGiven)
        return {};
    return QStringLiteral("Figyelem: %1 Magyarországon kívül van, de minden időpont magyar polgári idő "
                          "(Europe/Budapest); a hely idejéhez adja meg a --tz kapcsolót.")
        .arg(p.name);
}

QString helpText()
{
    return QStringLiteral(
               "Használat: vkt-almanac --from ÉV --to ÉV --out MAPPA [--place NÉV SZÉLESSÉG HOSSZÚSÁG]\n"
               "                      [--height MÉTER] [--tz IDŐZÓNA] [--force]\n"
               "\n"
               "Kiszámítja a VKT adatfájljait a megadott évekre, a Swiss Ephemeris alapján, a hely\n"
               "polgári idejében (a nyári időszámítással együtt):\n"
               "  ujholdak.txt    az újholdak időpontja, soronként egy\n"
               "  holdsarlok.txt  minden újhold előtt a reggelek, utána az esték, amikor a holdsarlót\n"
               "                  keresni érdemes (Yallop A–D osztály), az első könnyen láthatóig,\n"
               "                  oldalanként legfeljebb három, időrendben\n"
               "  holdsarlok-adatok.txt\n"
               "                  minden újhold előtt 4 reggel és utána 4 este minden adata: nap- és\n"
               "                  holdnyugta (-kelte), késés, Yallop legjobb időpontja, a Hold és a Nap\n"
               "                  magassága és azimutja, ARCL, ARCV, DAZ, a sarló szélessége (W'),\n"
               "                  megvilágítottság, kor, Yallop q-ja és osztálya, Odeh V-je és osztálya\n"
               "  napfogyik.txt   a napfogyatkozások; a helyről: kezdet, maximum, vége a Nap\n"
               "                  magasságával, nagyság és fedettség\n"
               "  holdfogyik.txt  a holdfogyatkozások érintkezési időpontjai (P1, U1, U2, U3, U4, P4)\n"
               "                  és a Hold magassága a fogyatkozás közepén\n"
               "  venusz.txt      az alsó együttállások körül a Vénusz esti és reggeli sarlója\n"
               "                  (25 %-nál kisebb fázis, legalább 10° a Naptól, és legalább 5° magasan\n"
               "                  a polgári szürkület végén, illetve kezdetén)\n"
               "\n"
               "Kapcsolók:\n"
               "  --from ÉV       az első év (%1–%2)\n"
               "  --to ÉV         az utolsó év (%1–%2, nem korábbi az elsőnél)\n"
               "  --out MAPPA     ide kerülnek a fájlok; ha nincs ilyen mappa, létrehozza\n"
               "  --place NÉV SZÉLESSÉG HOSSZÚSÁG\n"
               "                  a megfigyelés helye, fokban, északra és keletre pozitív\n"
               "                  (alapértelmezés: Budapest 47.50 19.04)\n"
               "  --height MÉTER  a hely tengerszint feletti magassága (alapértelmezés: 100)\n"
               "  --tz IDŐZÓNA    az időpontok időzónája, IANA-néven (alapértelmezés: Europe/Budapest);\n"
               "                  Magyarországon kívüli helyhez adja meg\n"
               "  --force         a mappában már meglévő fájlokat is felülírja\n"
               "  -h, --help      ez a leírás\n"
               "  -v, --version   a program változata\n"
               "\n"
               "A meglévő fájlokat --force nélkül nem írja felül. Kilépési kód: 0 siker, 1 hiba,\n"
               "2 hibás argumentum.\n"
               "\n"
               "Példa: vkt-almanac --from 2026 --to 2035 --out Pic\n")
        .arg(kFirstYear)
        .arg(kLastYear);
}

int runAlmanac(const QStringList& arguments, QTextStream& out, QTextStream& err, bool showProgress)
{
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.options) {
        err << kProgram << ": " << parsed.error << '\n' << "Segítség: " << kProgram << " --help\n";
        err.flush();
        return BadArguments;
    }
    const Options& options = *parsed.options;
    if (options.help) {
        out << helpText();
        out.flush();
        return Success;
    }
    if (options.version) {
        out << kProgram << ' ' << kVersion << '\n';
        out.flush();
        return Success;
    }

    const QDir folder(options.folder);
    QStringList existing;
    for (const QString& name : almanacFileNames())
        if (QFileInfo::exists(folder.filePath(name)))
            existing << name;
    if (!existing.isEmpty() && !options.force) {
        err << kProgram << ": a(z) " << QDir::toNativeSeparators(folder.path())
            << " mappában már megvan: " << existing.join(QStringLiteral(", "))
            << ". Nem írom felül; ha mégis ezt szeretné, adja meg a --force kapcsolót.\n";
        err.flush();
        return Failed;
    }

    try {
        if (!QDir().mkpath(folder.path()))
            throw Failure(QStringLiteral("A(z) %1 mappa nem hozható létre.").arg(QDir::toNativeSeparators(folder.path())));
        const Ephemeris ephemeris;
        if (!ephemeris.warning().isEmpty())
            err << kProgram << ": " << ephemeris.warning() << '\n';
        if (const QString warning = zoneWarning(options); !warning.isEmpty())
            err << kProgram << ": " << warning << '\n';
        err.flush();
        const int years = options.toYear - options.fromYear + 1;
        const Progress progress = [&](int year) {
            if (!showProgress)
                return;
            err << "\rSzámolok: " << year << " (" << year - options.fromYear + 1 << '/' << years << ")";
            err.flush();
        };
        const Almanac almanac = computeAlmanac(ephemeris, options.fromYear, options.toYear, options.place, progress);
        if (showProgress) {
            err << '\n';
            err.flush();
        }
        writeAlmanac(folder.path(), almanac);
        const QString span = options.fromYear == options.toYear
                                  ? QString::number(options.fromYear)
                                  : QStringLiteral("%1–%2").arg(options.fromYear).arg(options.toYear);
        out << "Elkészült (" << span << ", " << options.place.name << ", " << options.place.timeZone << ") a(z) "
            << QDir::toNativeSeparators(folder.path()) << " mappában: " << almanacFileNames().join(QStringLiteral(", "))
            << '\n';
        out.flush();
        err.flush();
        return Success;
    } catch (const Failure& failure) {
        if (showProgress)
            err << '\n';
        err << kProgram << ": " << failure.message() << '\n';
        err.flush();
        return Failed;
    }
}

} // namespace vkt::almanac
