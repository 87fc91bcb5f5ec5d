// vkt-almanac's command line: any argument vector (NUL-separated UTF-8) ends in exit code 0, 1
// or 2 with a message, never a crash. Arguments that would start a computation are checked
// against the limits instead of being run.
#include "astro/CivilTime.h"
#include "fuzz/FuzzCheck.h"
#include "services/TextFiles.h"
#include "tools/almanac/CommandLine.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

using namespace vkt::almanac;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    QStringList arguments;
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QByteArray& argument : bytes.split('\0'))
        arguments << QString::fromUtf8(argument);

    const ParsedArguments parsed = parseArguments(arguments);
    if (parsed.options && !parsed.options->help && !parsed.options->version) {
        const Options& o = *parsed.options;
        FUZZ_CHECK(parsed.error.isEmpty());
        FUZZ_CHECK(kFirstYear <= o.fromYear && o.fromYear <= o.toYear && o.toYear <= kLastYear);
        // A folder for the lists or a file for the calendar, never both.
        FUZZ_CHECK(o.folder.trimmed().isEmpty() != o.calendarFile.trimmed().isEmpty());
        FUZZ_CHECK(!o.noAlarm || !o.calendarFile.isEmpty());
        FUZZ_CHECK(!o.place.name.isEmpty() && std::abs(o.place.latitude) <= 90 && std::abs(o.place.longitude) <= 180);
        FUZZ_CHECK(o.place.height >= -500 && o.place.height <= 9000);
        FUZZ_CHECK(CivilZone::known(o.place.timeZone));
        zoneWarning(o);
        vkt::encodeWindows1250(o.place.name);  // throws, and so aborts, on a name no list file can hold
        return 0;
    }
    QString out, err;
    QTextStream outStream(&out), errStream(&err);
    const int code = runAlmanac(arguments, outStream, errStream, false);
    if (parsed.options && parsed.options->help) {
        FUZZ_CHECK(code == Success && out == helpText() && err.isEmpty());
    } else if (parsed.options) {
        FUZZ_CHECK(code == Success && out.startsWith(QStringLiteral("vkt-almanac ")) && err.isEmpty());
    } else {
        FUZZ_CHECK(!parsed.error.isEmpty());
        FUZZ_CHECK(code == BadArguments && out.isEmpty() && err.contains(parsed.error));
    }
    return 0;
}
