#include "tools/almanac/CommandLine.h"

#include "astro/CivilTime.h"
#include "presentation/CrescentCalendar.h"
#include "presentation/Failures.h"
#include "services/DataFolder.h"
#include "services/Failure.h"
#include "services/TextFiles.h"
#include "services/Version.h"
#include "tools/almanac/AlmanacLists.h"
#include "tools/almanac/SightingsCommand.h"
#include "tools/almanac/Targets.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

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

// What the options seen so far have given.
struct Parse {
    Options options = {};
    std::optional<int> from, to;
    bool haveFolder = false;
    bool haveCalendar = false;
    bool haveSightings = false;
};

// An option's values, already counted; the handler says what is wrong with them, or nothing.
using Handler = std::optional<QString> (*)(Parse& parse, const QString& name, const QStringList& values);

struct Option {
    const char* names[2];  // the second may be empty
    int values;            // how many arguments after it belong to it
    const char* missing;   // when fewer follow: the message, %1 the option's name
    Handler handle;
};

template <bool Options::*flag>
std::optional<QString> setFlag(Parse& parse, const QString&, const QStringList&)
{
    parse.options.*flag = true;
    return std::nullopt;
}

std::optional<QString> yearValue(Parse& parse, const QString& name, const QStringList& values)
{
    std::optional<int>& year = name == u"--from" ? parse.from : parse.to;
    year = parseYear(values[0]);
    if (!year)
        return QStringLiteral("Hibás évszám a(z) %1 után: „%2”; %3 és %4 közötti egész számot várok.")
            .arg(name, values[0])
            .arg(kFirstYear)
            .arg(kLastYear);
    return std::nullopt;
}

std::optional<QString> folderValue(Parse& parse, const QString& name, const QStringList& values)
{
    if (values[0].trimmed().isEmpty())
        return QStringLiteral("A(z) %1 kapcsoló után hiányzik a mappa neve.").arg(name);
    parse.options.folder = values[0];
    parse.haveFolder = true;
    return std::nullopt;
}

std::optional<QString> calendarValue(Parse& parse, const QString& name, const QStringList& values)
{
    if (values[0].trimmed().isEmpty())
        return QStringLiteral("A(z) %1 kapcsoló után hiányzik a fájl neve.").arg(name);
    parse.options.calendarFile = values[0];
    parse.haveCalendar = true;
    return std::nullopt;
}

std::optional<QString> sightingsValue(Parse& parse, const QString& name, const QStringList& values)
{
    if (values[0].trimmed().isEmpty())
        return QStringLiteral("A(z) %1 kapcsoló után hiányzik a CSV-fájl neve.").arg(name);
    parse.options.sightingsFile = values[0];
    parse.haveSightings = true;
    return std::nullopt;
}

std::optional<QString> placeValues(Parse& parse, const QString&, const QStringList& values)
{
    const QString placeName = values[0].trimmed();
    if (placeName.isEmpty())
        return QStringLiteral("A hely neve nem lehet üres.");
    try {
        encodeWindows1250(placeName);
    } catch (const EncodingFailure&) {
        return QStringLiteral("A hely nevében („%1”) olyan betű van, amely nem fér el a közép-európai kódlapú fájlokban.")
            .arg(placeName);
    }
    const auto latitude = readPlaceNumber(PlaceField::Latitude, values[1]);
    if (!latitude)
        return QStringLiteral("Hibás földrajzi szélesség: „%1”; -90 és 90 közötti fokot várok (északra pozitív).")
            .arg(values[1]);
    const auto longitude = readPlaceNumber(PlaceField::Longitude, values[2]);
    if (!longitude)
        return QStringLiteral("Hibás földrajzi hosszúság: „%1”; -180 és 180 közötti fokot várok (keletre pozitív).")
            .arg(values[2]);
    parse.options.place.name = placeName;
    parse.options.place.latitude = *latitude;
    parse.options.place.longitude = *longitude;
    return std::nullopt;
}

std::optional<QString> heightValue(Parse& parse, const QString&, const QStringList& values)
{
    const auto height = readPlaceNumber(PlaceField::Height, values[0]);
    if (!height)
        return QStringLiteral("Hibás magasság: „%1”; -500 és 9000 közötti métert várok.").arg(values[0]);
    parse.options.place.height = *height;
    return std::nullopt;
}

std::optional<QString> zoneValue(Parse& parse, const QString&, const QStringList& values)
{
    const QString zone = values[0].trimmed();
    const QByteArray id = zone.toLatin1();
    if (QString::fromLatin1(id) != zone || !CivilZone::known(id))
        return QStringLiteral("Ismeretlen időzóna: „%1”; IANA-nevet várok, például Europe/Budapest vagy America/New_York.")
            .arg(values[0]);
    parse.options.place.timeZone = id;
    parse.options.zoneGiven = true;
    return std::nullopt;
}

// The command line, option by option. An option with values may be given once; `--place NAME LAT
// LON` takes three, and a value may start with a minus (a southern latitude), so the values are
// counted rather than guessed.
const Option kOptions[] = {
    {{"-h", "--help"}, 0, "", setFlag<&Options::help>},
    {{"-v", "--version"}, 0, "", setFlag<&Options::version>},
    {{"--force", ""}, 0, "", setFlag<&Options::force>},
    {{"--from", ""}, 1, "A(z) %1 kapcsoló után hiányzik az évszám.", yearValue},
    {{"--to", ""}, 1, "A(z) %1 kapcsoló után hiányzik az évszám.", yearValue},
    {{"--out", ""}, 1, "A(z) %1 kapcsoló után hiányzik a mappa neve.", folderValue},
    {{"--ical", ""}, 1, "A(z) %1 kapcsoló után hiányzik a fájl neve.", calendarValue},
    {{"--no-alarm", ""}, 0, "", setFlag<&Options::noAlarm>},
    {{"--sightings", ""}, 1, "A(z) %1 kapcsoló után hiányzik a CSV-fájl neve.", sightingsValue},
    {{"--place", ""}, 3,
     "A(z) %1 kapcsoló után három érték kell: a hely neve, a földrajzi szélesség és a hosszúság.", placeValues},
    {{"--height", ""}, 1, "A(z) %1 kapcsoló után hiányzik a magasság.", heightValue},
    {{"--tz", ""}, 1, "A(z) %1 kapcsoló után hiányzik az időzóna neve.", zoneValue},
};

const Option* optionNamed(const QString& name)
{
    for (const Option& option : kOptions)
        for (const char* n : option.names)
            if (*n && name == QLatin1String(n))
                return &option;
    return nullptr;
}

// The options' values all read: what is still missing, or the options.
ParsedArguments finish(const Parse& parse, const QSet<const Option*>& seen)
{
    Options options = parse.options;
    if (options.help || options.version)
        return {options, {}};
    // The sightings carry their own places, times and zones; --out names the export's file.
    if (parse.haveSightings) {
        for (const char* name : {"--from", "--to", "--ical", "--no-alarm", "--place", "--height", "--tz"})
            if (seen.contains(optionNamed(QLatin1String(name))))
                return {std::nullopt, QStringLiteral("A(z) %1 kapcsoló a --sightings mellett nem adható meg: az "
                                                     "észlelések helyét, idejét és időzónáját a CSV-fájl adja.")
                                          .arg(QLatin1String(name))};
        return {options, {}};
    }
    if (!parse.from)
        return {std::nullopt, QStringLiteral("Hiányzik a --from kapcsoló (az első év).")};
    if (!parse.to)
        return {std::nullopt, QStringLiteral("Hiányzik a --to kapcsoló (az utolsó év).")};
    // --ical writes one file instead of the folder's lists: a folder beside it would say that
    // both are written.
    if (parse.haveCalendar && parse.haveFolder)
        return {std::nullopt, QStringLiteral("Az --ical és az --out együtt nem adható meg: az --ical mellett csak a "
                                             "naptárfájl készül, a listák nem.")};
    if (!parse.haveCalendar && !parse.haveFolder)
        return {std::nullopt, QStringLiteral("Hiányzik az --out kapcsoló (a mappa, ahová a fájlok kerülnek), "
                                             "vagy az --ical (a naptárfájl).")};
    if (options.noAlarm && !parse.haveCalendar)
        return {std::nullopt, QStringLiteral("A --no-alarm kapcsoló csak az --ical mellett érvényes.")};
    if (*parse.from > *parse.to)
        return {std::nullopt, QStringLiteral("Az első év (%1) későbbi, mint az utolsó (%2).").arg(*parse.from).arg(*parse.to)};
    options.fromYear = *parse.from;
    options.toYear = *parse.to;
    return {options, {}};
}

} // namespace

ParsedArguments parseArguments(const QStringList& arguments)
{
    Parse parse;
    QSet<const Option*> seen;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        const Option* option = optionNamed(name);
        if (!option)
            return {std::nullopt, name.startsWith(u'-') ? QStringLiteral("Ismeretlen kapcsoló: „%1”.").arg(name)
                                                        : QStringLiteral("Váratlan argumentum: „%1”.").arg(name)};
        if (option->values > 0 && seen.contains(option))
            return {std::nullopt, QStringLiteral("A(z) %1 kapcsoló kétszer szerepel.").arg(name)};
        seen.insert(option);
        if (i + option->values >= arguments.size() && option->values > 0)
            return {std::nullopt, QString::fromUtf8(option->missing).arg(name)};
        const QStringList values = arguments.mid(i + 1, option->values);
        if (const std::optional<QString> problem = option->handle(parse, name, values))
            return {std::nullopt, *problem};
        i += option->values;
    }
    return finish(parse, seen);
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

namespace {

// One run over the years asked: the warnings it starts with, the progress line while it computes,
// the line that says what was made.
class YearsRun {
public:
    YearsRun(const Options& options, QTextStream& out, QTextStream& err, bool showProgress)
        : options_(options), out_(out), err_(err), showProgress_(showProgress)
    {
    }

    // Throws astro::Error.
    template <typename Result>
    Result compute(Result (*work)(Ephemeris&, int, int, const Place&, const Progress&))
    {
        Ephemeris ephemeris;
        if (const QString warning = presentation::ephemerisWarning(ephemeris); !warning.isEmpty())
            err_ << kProgram << ": " << warning << '\n';
        if (const QString warning = zoneWarning(options_); !warning.isEmpty())
            err_ << kProgram << ": " << warning << '\n';
        err_.flush();
        const int years = options_.toYear - options_.fromYear + 1;
        const Progress progress = [&](int year) {
            if (!showProgress_)
                return;
            err_ << "\rSzámolok: " << year << " (" << year - options_.fromYear + 1 << '/' << years << ")";
            err_.flush();
        };
        Result result = work(ephemeris, options_.fromYear, options_.toYear, options_.place, progress);
        if (showProgress_) {
            err_ << '\n';
            err_.flush();
        }
        return result;
    }

    void done(const QString& what)
    {
        const QString span = options_.fromYear == options_.toYear
                                 ? QString::number(options_.fromYear)
                                 : QStringLiteral("%1–%2").arg(options_.fromYear).arg(options_.toYear);
        out_ << "Elkészült (" << span << ", " << options_.place.name << ", " << options_.place.timeZone << ") "
             << what << '\n';
        out_.flush();
        err_.flush();
    }

private:
    const Options& options_;
    QTextStream& out_;
    QTextStream& err_;
    bool showProgress_;
};

// Computes the years asked and writes their files into the folder, saying so on out.
// Throws vkt::Failure or astro::Error.
void makeFiles(const Options& options, const QDir& folder, QTextStream& out, QTextStream& err, bool showProgress)
{
    if (const QString problem = makeFolder(folder.path()); !problem.isEmpty())
        throw Failure(QStringLiteral("A(z) %1 mappa nem hozható létre: %2.").arg(QDir::toNativeSeparators(folder.path()), problem));
    YearsRun run(options, out, err, showProgress);
    writeAlmanac(folder.path(), run.compute(computeAlmanac));
    run.done(QStringLiteral("a(z) %1 mappában: %2")
                 .arg(QDir::toNativeSeparators(folder.path()), almanacFileNames().join(QStringLiteral(", "))));
}

// Computes the years' new moons and writes their crescents as an iCalendar file, saying so on out.
// Throws vkt::Failure or astro::Error.
void makeCalendar(const Options& options, QTextStream& out, QTextStream& err, bool showProgress)
{
    YearsRun run(options, out, err, showProgress);
    const std::vector<NewMoonOutlook> outlooks = run.compute(yearsOutlook);
    presentation::writeCrescentCalendar(options.calendarFile, outlooks, options.place, {!options.noAlarm});
    run.done(QStringLiteral("a(z) %1 naptárfájl: %2 esemény")
                 .arg(QDir::toNativeSeparators(options.calendarFile))
                 .arg(presentation::calendarCrescents(outlooks).size()));
}

} // namespace

int runAlmanac(const QStringList& arguments, QTextStream& out, QTextStream& err, bool showProgress)
{
    const ParsedArguments parsed = parseArguments(arguments);
    if (!parsed.options) {
        err << kProgram << ": " << parsed.error << '\n' << "Segítség: " << kProgram << " --help\n";
        err.flush();
        return BadArguments;
    }
    const Options& options = *parsed.options;
    if (options.help || options.version) {
        out << (options.help ? helpText() : kProgram + u' ' + QLatin1String(kVersion) + u'\n');
        out.flush();
        return Success;
    }

    if (!options.sightingsFile.isEmpty())
        return runSightings(options.sightingsFile, options.folder, options.force, out, err);
    const QString problem = options.calendarFile.isEmpty() ? targetProblem(options, QDir(options.folder))
                                                           : calendarProblem(options);
    if (!problem.isEmpty()) {
        err << kProgram << ": " << problem << '\n';
        err.flush();
        return Failed;
    }

    QString failure;
    try {
        if (options.calendarFile.isEmpty())
            makeFiles(options, QDir(options.folder), out, err, showProgress);
        else
            makeCalendar(options, out, err, showProgress);
        return Success;
    } catch (const Failure& f) {
        failure = f.message();
    } catch (const astro::Error& e) {
        failure = presentation::failureText(e);
    }
    if (showProgress)
        err << '\n';
    err << kProgram << ": " << failure << '\n';
    err.flush();
    return Failed;
}

} // namespace vkt::almanac
