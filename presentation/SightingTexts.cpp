#include "presentation/SightingTexts.h"

#include "core/Crescent.h"
#include "presentation/Words.h"

namespace vkt::presentation {
namespace {

using sightings::Column;
using sightings::Dialect;
using Kind = sightings::LineProblem::Kind;

// What a column takes, said after a value it could not read.
QString columnHint(Column column, Dialect dialect)
{
    const bool file = dialect == Dialect::DataFile;
    switch (column) {
    case Column::Date:
        return file ? QStringLiteral("például 2024.03.11.") : QStringLiteral("ÉÉÉÉ-HH-NN alakban");
    case Column::Time:
        return QStringLiteral("ÓÓ:PP alakban, vagy üresen a legjobb időpontra");
    case Column::Zone:
        return QStringLiteral("IANA-név, például Europe/Budapest, vagy üresen a hosszúság helyi középidejére");
    case Column::Session:
        return file ? QStringLiteral("este vagy reggel") : QStringLiteral("evening vagy morning");
    case Column::Latitude:
        return QStringLiteral("-90 és 90 közötti fok, északra pozitív");
    case Column::Longitude:
        return QStringLiteral("-180 és 180 közötti fok, keletre pozitív");
    case Column::Height:
        return QStringLiteral("-500 és 9000 közötti méter, vagy üresen");
    case Column::NakedEye:
    case Column::Binoculars:
    case Column::Telescope:
    case Column::Camera:
        return file ? QStringLiteral("látta, nem látta vagy nem próbálta") : QStringLiteral("seen, not seen vagy üresen");
    case Column::Sky:
        return file ? QStringLiteral("kiváló, tiszta, párás, nagyon párás vagy üresen")
                    : QStringLiteral("superb, clear, hazy, very hazy vagy üresen");
    case Column::Clouds:
        return file ? QStringLiteral("derült, részben felhős, borult vagy üresen")
                    : QStringLiteral("clear, partly cloudy, cloudy vagy üresen");
    case Column::Place:
    case Column::Observer:
    case Column::Note:
        break;
    }
    return {};
}

QString characterText(const QString& character)
{
    const char32_t code = character.size() == 2 ? QChar::surrogateToUcs4(character[0], character[1])
                                                : (character.isEmpty() ? 0 : character[0].unicode());
    return QStringLiteral("„%1” (U+%2)").arg(character, QString::number(quint32(code), 16).toUpper().rightJustified(4, u'0'));
}

} // namespace

QString outcomeWord(sightings::Outcome outcome)
{
    switch (outcome) {
    case sightings::Outcome::Seen:
        return QStringLiteral("látta");
    case sightings::Outcome::NotSeen:
        return QStringLiteral("nem látta");
    case sightings::Outcome::NotTried:
        break;
    }
    return QStringLiteral("nem próbálta");
}

QString meansWord(sightings::Means means)
{
    switch (means) {
    case sightings::Means::NakedEye:
        return QStringLiteral("szabad szem");
    case sightings::Means::Binoculars:
        return QStringLiteral("binokulár");
    case sightings::Means::Telescope:
        return QStringLiteral("távcső");
    case sightings::Means::Camera:
        break;
    }
    return QStringLiteral("kamera");
}

QString transparencyWord(sightings::Transparency t)
{
    switch (t) {
    case sightings::Transparency::Superb:
        return QStringLiteral("kiváló");
    case sightings::Transparency::Clear:
        return QStringLiteral("tiszta");
    case sightings::Transparency::Hazy:
        return QStringLiteral("párás");
    case sightings::Transparency::VeryHazy:
        return QStringLiteral("nagyon párás");
    case sightings::Transparency::Unknown:
        break;
    }
    return {};
}

QString cloudsWord(sightings::Clouds c)
{
    switch (c) {
    case sightings::Clouds::Clear:
        return QStringLiteral("derült");
    case sightings::Clouds::PartlyCloudy:
        return QStringLiteral("részben felhős");
    case sightings::Clouds::Cloudy:
        return QStringLiteral("borult");
    case sightings::Clouds::Unknown:
        break;
    }
    return {};
}

QString sightingName(const sightings::Sighting& s)
{
    QString name = s.date.toString(QStringLiteral("yyyy.MM.dd.")) + u' ' + twilightWord(s.session);
    if (s.time)
        name += u' ' + s.time->toString(QStringLiteral("HH:mm"));
    if (!s.place.name.isEmpty())
        name += QStringLiteral(", ") + s.place.name;
    return name;
}

QStringList observationAgeTexts(const astro::SightingGeometry& sky)
{
    if (sky.gap != astro::SightingGap::None || !sky.observed)
        return {};
    // The program's date-time values count days from 1899-12-30 00:00, here in UT.
    constexpr double kDateTimeEpoch = 2415018.5;
    const CrescentResult age = CalculateCrescentAge(astro::roundedToMinute(sky.crescent.newMoon) - kDateTimeEpoch,
                                                    astro::roundedToMinute(sky.observation) - kDateTimeEpoch,
                                                    IlluminationFactor::Now);
    return {HoursAndMinutesText(age), DaysHoursAndMinutesText(age), DecimalDaysText(age)};
}

QString lineProblemText(const sightings::LineProblem& problem, Dialect dialect)
{
    const QString line = QStringLiteral("%1. sor: ").arg(problem.line);
    const QString column = sightings::columnNames(dialect).value(static_cast<int>(problem.column));
    switch (problem.kind) {
    case Kind::Blank:
        return line + QStringLiteral("üres sor.");
    case Kind::FieldCount:
        return line + QStringLiteral("%1 mező van benne %2 helyett.").arg(problem.count).arg(sightings::kColumnCount);
    case Kind::UnclosedQuote:
        return line + QStringLiteral("az idézőjeles mező nem zárul le.");
    case Kind::BadEncoding:
        return line + (dialect == Dialect::DataFile
                           ? QStringLiteral("olyan bájt van benne, amely nem közép-európai (Windows-1250) szöveg.")
                           : QStringLiteral("nem UTF-8 kódolású szöveg."));
    case Kind::BadValue:
        return line + QStringLiteral("a(z) „%1” oszlop értéke („%2”) nem értelmezhető; %3.")
                          .arg(column, problem.text, columnHint(problem.column, dialect));
    case Kind::YearOutOfRange:
        return line + QStringLiteral("a dátum („%1”) nem %2 és %3 közé esik.")
                          .arg(problem.text)
                          .arg(sightings::kFirstYear)
                          .arg(sightings::kLastYear);
    case Kind::NotCodePage:
        return line + QStringLiteral("a(z) „%1” oszlopban olyan karakter van, %2, amely nem fér el a közép-európai "
                                     "kódlapú észlelésfájlban.")
                          .arg(column, characterText(problem.text));
    case Kind::Duplicate:
        return line + QStringLiteral("ez az észlelés már szerepel (azonos dátum, napszak, hely és időpont).");
    case Kind::Header:
        return line + QStringLiteral("nem a várt fejléc; az első sor ez legyen: %1").arg(sightings::columnNames(dialect).join(u','));
    }
    return line;
}

} // namespace vkt::presentation
