#pragma once

#include <QString>
#include <QTextStream>

namespace vkt::almanac {

// vkt-almanac --sightings FILE.csv [--out FILE [--force]]: the exchange CSV's records with their
// computed sky written as the export CSV (to out, or to the file), and the criteria's tables and
// the observers' records to err. Any line it cannot read is reported with its number and nothing
// is written (BadArguments). Returns the exit code.
int runSightings(const QString& csvPath, const QString& outPath, bool force, QTextStream& out, QTextStream& err);

} // namespace vkt::almanac
