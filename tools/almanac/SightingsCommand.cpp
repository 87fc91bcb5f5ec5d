#include "tools/almanac/SightingsCommand.h"

#include "presentation/Failures.h"
#include "presentation/ScorecardTexts.h"
#include "presentation/SightingTexts.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "sightings/Scorecard.h"
#include "sightings/SightingCsv.h"
#include "sightings/SightingSky.h"
#include "tools/almanac/CommandLine.h"

#include <QDir>
#include <QFileInfo>

namespace vkt::almanac {
namespace {

const QString kProgram = QStringLiteral("vkt-almanac");

// The CSV's bytes; only a regular file is read (a FIFO would wait for ever).
QByteArray csvBytes(const QString& path)
{
    const QFileInfo info(path);
    if (info.exists() && !info.isFile() && !info.isDir())
        throw Failure(QStringLiteral("A(z) '%1' nem szabályos fájl, nem olvasom.").arg(QDir::toNativeSeparators(path)));
    return readFileBytes(path);
}

} // namespace

int runSightings(const QString& csvPath, const QString& outPath, bool force, QTextStream& out, QTextStream& err)
{
    const auto fail = [&](const QString& message, int code) {
        err << kProgram << ": " << message << '\n';
        err.flush();
        return code;
    };
    if (!outPath.isEmpty() && QFileInfo::exists(outPath) && !force)
        return fail(QStringLiteral("a(z) %1 fájl már megvan. Nem írom felül; ha mégis ezt szeretné, adja meg a --force "
                                   "kapcsolót.")
                        .arg(QDir::toNativeSeparators(outPath)),
                    Failed);
    try {
        const sightings::CsvImport csv = sightings::readCsv(csvBytes(csvPath));
        if (!csv.problems.empty()) {
            for (const sightings::LineProblem& problem : csv.problems)
                err << kProgram << ": " << QDir::toNativeSeparators(csvPath) << ": "
                    << presentation::lineProblemText(problem, sightings::Dialect::Csv) << '\n';
            return fail(QStringLiteral("a hibás sorok miatt semmit sem írtam ki."), BadArguments);
        }
        std::vector<sightings::Sighting> records;
        for (const sightings::CsvRow& row : csv.rows)
            records.push_back(row.sighting);
        Ephemeris ephemeris;
        if (const QString warning = presentation::ephemerisWarning(ephemeris); !warning.isEmpty())
            err << kProgram << ": " << warning << '\n';
        const std::vector<astro::SightingGeometry> skies = sightings::skiesOf(ephemeris, records);
        const QByteArray exported = sightings::exportCsv(records, skies);
        if (outPath.isEmpty()) {
            out << QString::fromUtf8(exported);
            out.flush();
        } else {
            replaceFileBytes(outPath, exported);
        }
        for (const QString& line : presentation::scorecardLines(sightings::scoreCriteria(records, skies), records))
            err << line << '\n';
        for (const QString& line : presentation::recordLines(sightings::sightingRecords(records, skies), records))
            err << line << '\n';
        err.flush();
        return Success;
    } catch (const Failure& f) {
        return fail(f.message(), Failed);
    } catch (const astro::Error& e) {
        return fail(presentation::failureText(e), Failed);
    }
}

} // namespace vkt::almanac
