#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace vkt {

// Days since 1899-12-30 00:00, the time of day as the fraction. Linear on both sides of
// the epoch, so the difference of two values is always the real interval in days.
using DateTime = double;

struct CivilTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
};

// Throws nothing: an invalid civil time has no value.
std::optional<DateTime> fromCivil(const CivilTime& t);
CivilTime toCivil(DateTime value);  // rounded to the second

// Lenient Hungarian reading: "2026. 12. 06. 22:00:09", "2026.12.06 22:00", "2026-12-06",
// "22:00" (a time alone lies on the epoch day). Blanks, CR and LF around the text are ignored.
std::optional<DateTime> toDateTime(const QString& text);

// "yyyy. MM. dd. H:mm:ss"; the date alone at midnight, the time alone on the epoch day.
QString DateTimeText(DateTime value);
QString shortDateText(DateTime value);  // "yyyy. MM. dd."
QString longTimeText(DateTime value);   // "H:mm:ss"

// Minute boundaries crossed from a to b, signed. Throws MinuteRangeFailure outside 32 bits.
std::int32_t minutesBetween(DateTime a, DateTime b);

} // namespace vkt
