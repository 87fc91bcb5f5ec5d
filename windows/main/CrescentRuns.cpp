#include "windows/main/CrescentRuns.h"

#include "services/Clock.h"
#include "services/DataFiles.h"
#include "services/Failure.h"
#include "services/Messages.h"
#include "services/Numbers.h"
#include "services/TextFiles.h"
#include "windows/common/DrawnText.h"
#include "windows/common/Pictures.h"
#include "windows/common/Twips.h"
#include "windows/main/MainClientArea.h"
#include "windows/main/PhasePicture.h"
#include "windows/main/SavedTimes.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <optional>

namespace vkt {
namespace {

// Two times thousands of years apart have no minute count; say so instead of a bare failure.
std::optional<CrescentResult> calculate(DateTime newMoon, DateTime observation, IlluminationFactor factor)
{
    try {
        return CalculateCrescentAge(newMoon, observation, factor);
    } catch (const MinuteRangeFailure&) {
        showMessage(QStringLiteral("Az újhold és a megfigyelés időpontja túl messze van egymástól (több mint "
                                   "4000 év), a holdsarló kora nem számítható ki. Kérem, ellenőrizze a dátumokat!"),
                    MessageIcon::Warning);
        return std::nullopt;
    }
}

// The same for both buttons once the result is shown: the new moon as typed, then the log record.
// The record is the user's data: it is written even when the new moon could not be saved, and that
// failure is reported after it (both, when the log fails too).
void saveAndLog(MainClientArea& area, const CrescentResult& result, CrescentPath path, DateTime clockNow = 0)
{
    std::optional<Failure> unsaved;
    try {
        SavedTimes::saveLastNewMoon(area.newMoonField->text());
    } catch (const Failure& failure) {
        unsaved = failure;
    }
    try {
        appendText(dataFile(dataFiles::kComputationLog), BuildLogRecord(result, path, clockNow));
    } catch (const Failure&) {
        if (unsaved)
            showMessage(unsaved->message(), MessageIcon::Error);
        throw;
    }
    if (unsaved)
        throw *unsaved;
}

// The clock's time of day has its own x, but the Hungarian date before it can reach past that x in
// this font; then the time moves right just enough to keep one blank between them.
void keepTimeClearOfDate(std::vector<ResultLine>& lines, const QFontMetrics& metrics)
{
    ResultLine& date = lines[0];
    ResultLine& time = lines[1];
    const int dateEnd = date.x + pixelsAsTwips(metrics.horizontalAdvance(date.text + u' '));
    if (time.x < dateEnd)
        time.x = dateEnd;
}

} // namespace

void ShowCrescentResult(MainClientArea& area, const CrescentResult& result, CrescentPath path, DateTime clockNow)
{
    area.resultArea->clearDrawing();
    area.phasePicture->setPicture(
        loadPicture(dataFile(result.PictureFile), area.devicePixelRatioF()),
        QStringLiteral("%1, megvilágítottság: %2 %. Enterrel vagy kattintással a holdtérkép nyílik meg.")
            .arg(result.PhaseName, formatNumber(result.Illumination, NumberPattern::TwoDecimals)));
    std::vector<ResultLine> lines = BuildResultLines(result, path, clockNow);
    if (path == CrescentPath::Now)
        keepTimeClearOfDate(lines, QFontMetrics(area.font()));
    for (const ResultLine& line : lines)
        area.resultArea->drawText(line.x, line.y, line.text);
    area.resultArea->announce();
}

void RunFromLastObservation(MainClientArea& area)
{
    const std::optional<QString> saved = SavedTimes::loadLastObservation();
    if (!saved) {
        // The message names the file with an accent, as it always has.
        showMessage(QStringLiteral("Az 'utolsó.txt' fájl nem található!"), MessageIcon::Error);
        return;
    }
    area.observationField->setText(*saved);

    const std::optional<DateTime> newMoon = toDateTime(area.newMoonField->text());
    const std::optional<DateTime> observation = toDateTime(area.observationField->text());
    if (!newMoon || !observation) {
        showMessage(QStringLiteral("Kérem, adjon meg egy ÉRVÉNYES ÚJHOLD / MEGFIGYELÉSI dátumot!"),
                    MessageIcon::Warning);
        return;
    }
    const std::optional<CrescentResult> result =
        calculate(*newMoon, *observation, IlluminationFactor::LastObservation);
    if (!result)
        return;
    ShowCrescentResult(area, *result, CrescentPath::LastObservation);
    saveAndLog(area, *result, CrescentPath::LastObservation);
}

void RunFromNow(MainClientArea& area)
{
    const std::optional<DateTime> newMoon = toDateTime(area.newMoonField->text());
    // Read once: the field, the age, the drawn time and the log record all name this instant.
    const DateTime now = currentDateTime();
    area.observationField->setText(DateTimeText(now));
    if (!newMoon) {
        showMessage(QStringLiteral("Kérem, adja meg az UTOLSÓ ÚJHOLD időpontját!"), MessageIcon::Warning);
        return;
    }
    const std::optional<CrescentResult> result = calculate(*newMoon, now, IlluminationFactor::Now);
    if (!result)
        return;
    ShowCrescentResult(area, *result, CrescentPath::Now, now);
    saveAndLog(area, *result, CrescentPath::Now, now);
}

} // namespace vkt
