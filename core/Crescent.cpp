#include "core/Crescent.h"

#include "services/Failure.h"
#include "services/Numbers.h"

#include <cstdlib>

namespace vkt {
namespace {

const QString kIndent(36, u' ');  // moves lines 3 to 5 right of the phase picture

} // namespace

QString HoursAndMinutesText(const CrescentResult& r)
{
    return QStringLiteral("%1 óra %2 perc").arg(r.TotalHours).arg(r.MinuteOfHour);
}

QString DaysHoursAndMinutesText(const CrescentResult& r)
{
    return QStringLiteral("%1 nap  %2 óra %3 perc").arg(r.Days).arg(r.HourOfDay).arg(r.MinuteOfHour);
}

QString DecimalDaysText(const CrescentResult& r)
{
    return formatNumber(r.DayFraction, NumberPattern::TwoDecimals) + QStringLiteral(" nap");
}

CrescentResult CalculateCrescentAge(DateTime newMoon, DateTime observation, IlluminationFactor factor)
{
    CrescentResult r;
    r.NewMoon = newMoon;
    r.Observation = observation;
    r.SignedDays = observation - newMoon;
    const std::int32_t signedMinutes = minutesBetween(newMoon, observation);
    // The 32-bit minimum has no positive twin; it lies beyond any age worth showing anyway.
    if (signedMinutes == INT32_MIN)
        throw MinuteRangeFailure(QStringLiteral("A két időpont túl messze van egymástól."));
    r.TotalMinutes = std::abs(signedMinutes);
    r.TotalHours = r.TotalMinutes / 60;
    r.MinuteOfHour = r.TotalMinutes % 60;
    r.DayFraction = r.TotalHours / 24.0;
    const Phase phase = ClassifyPhase(r.SignedDays);
    r.PhaseAge = phase.phaseAge;
    r.PhaseName = phase.name;
    r.PictureFile = phase.pictureFile;
    r.Illumination = IlluminationPercent(r.SignedDays, factor);
    r.Days = static_cast<std::int32_t>(r.DayFraction);
    r.HourOfDay = r.TotalHours - 24 * r.Days;
    return r;
}

std::vector<ResultLine> BuildResultLines(const CrescentResult& r, CrescentPath path, DateTime clockNow)
{
    const QString observed = QStringLiteral("Megfigyelés ideje:         ");
    std::vector<ResultLine> lines;
    if (path == CrescentPath::LastObservation) {
        lines.push_back({650, 1265, observed + DateTimeText(r.Observation)});
    } else {
        lines.push_back({650, 1265, observed + shortDateText(clockNow)});
        lines.push_back({4850, 1265, longTimeText(clockNow)});
    }
    lines.push_back({650, 2100, QStringLiteral("Holdsarló kora:             ") + HoursAndMinutesText(r)});
    lines.push_back({650, 2800, kIndent + DaysHoursAndMinutesText(r)});
    lines.push_back({650, 3300, kIndent + DecimalDaysText(r)});
    lines.push_back({650, 5120, kIndent + r.PhaseName + QStringLiteral(" - ")
                                    + formatNumber(r.Illumination, NumberPattern::TwoDecimals) + QStringLiteral(" %")});
    return lines;
}

QStringList BuildLogRecord(const CrescentResult& r, CrescentPath path, DateTime clockNow)
{
    const QString age = QStringLiteral("Holdsarló kora:      ");
    const QString observed = path == CrescentPath::LastObservation
                                 ? DateTimeText(r.Observation)
                                 : shortDateText(clockNow) + longTimeText(clockNow);
    const QString blankLine(6, u' ');
    return {
        QStringLiteral("Megfigyelés ideje:   ") + observed,
        age + HoursAndMinutesText(r),
        age + DaysHoursAndMinutesText(r),
        age + DecimalDaysText(r),
        QStringLiteral("Holdfázis:           ") + r.PhaseName + QStringLiteral("  ---  ")
            + formatNumber(r.Illumination, NumberPattern::OneDecimal) + QStringLiteral(" %"),
        blankLine,
        blankLine,
    };
}

} // namespace vkt
