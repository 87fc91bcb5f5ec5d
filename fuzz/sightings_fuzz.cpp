// The sightings file as any bytes: every line it cannot read is kept byte for byte, and what a
// save writes reads back as the same records and the same kept lines, and saves again unchanged;
// or the save is refused. The same bytes as an exchange CSV: every line is a record or a problem
// reported once, in order, and every record survives its own export.
#include "fuzz/FuzzCheck.h"
#include "services/Failure.h"
#include "sightings/SightingBook.h"
#include "sightings/SightingCsv.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

using vkt::sightings::Dialect;
using vkt::sightings::SightingBook;

QByteArray withEnd(QByteArray line)
{
    if (!line.endsWith('\n') && !line.endsWith('\r'))
        line += "\r\n";
    return line;
}

void checkDataFile(const QByteArray& bytes)
{
    const SightingBook book = SightingBook::fromBytes(bytes);
    QByteArray saved;
    try {
        saved = book.fileBytes();
    } catch (const vkt::Failure&) {
        return;  // refused: what it would write would not read back the same, so nothing is written
    }
    for (const auto& kept : book.keptLines())
        FUZZ_CHECK(saved.contains(kept.bytes));
    const SightingBook again = SightingBook::fromBytes(saved);
    FUZZ_CHECK(again.records().size() == book.records().size());
    for (std::size_t i = 0; i < book.records().size(); ++i)
        FUZZ_CHECK(writeFields(again.records()[i], Dialect::DataFile) == writeFields(book.records()[i], Dialect::DataFile));
    // The same kept lines; one whose quote never closes may have moved to the end.
    const auto keptBytes = [](const SightingBook& b) {
        std::vector<QByteArray> lines;
        for (const auto& kept : b.keptLines())
            lines.push_back(withEnd(kept.bytes));
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    FUZZ_CHECK(keptBytes(again) == keptBytes(book));
    FUZZ_CHECK(again.fileBytes() == saved);
}

void checkCsv(const QByteArray& bytes)
{
    const vkt::sightings::CsvImport read = vkt::sightings::readCsv(bytes);
    int lastLine = 0;
    for (const auto& problem : read.problems) {
        FUZZ_CHECK(problem.line > lastLine);
        lastLine = problem.line;
    }
    for (const auto& row : read.rows) {
        const QStringList fields = writeFields(row.sighting, Dialect::Csv);
        const auto again = vkt::sightings::readFields(fields, Dialect::Csv);
        FUZZ_CHECK(std::holds_alternative<vkt::sightings::Sighting>(again));
        FUZZ_CHECK(writeFields(std::get<vkt::sightings::Sighting>(again), Dialect::Csv) == fields);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    checkDataFile(bytes);
    checkCsv(bytes);
    return 0;
}
