#include "CrescentTable.h"

#include "WindowLook.h"

#include <cmath>

namespace vkt {
namespace {

using astro::CrescentEvening;
using astro::Twilight;

const char* const kHeaders[] = {"Mikor", "N",    "Dátum",  "Nap",   "Hold", "Késés", "Legjobb",
                                "Kor(h)", "HoldMag", "HoldAz", "NapMag", "NapAz", "ARCL", "ARCV",
                                "DAZ",   "W'",   "Megv%",  "q",     "Y",    "V",     "O"};

// Decimal comma, no "-0,0": the almanac's form.
QString decimal(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && text.mid(1).toDouble() == 0)
        text.remove(0, 1);
    return text.replace(u'.', u',');
}

} // namespace

QStringList crescentTableHeaders()
{
    QStringList headers;
    for (const char* h : kHeaders)
        headers << QString::fromUtf8(h);
    return headers;
}

QStringList crescentTableRow(const CrescentEvening& c, const astro::CivilZone& zone)
{
    QStringList f = {c.twilight == Twilight::Evening ? QStringLiteral("este") : QStringLiteral("reggel"),
                     QString::number(c.day),
                     zone.dateText(c.sunEvent),
                     zone.timeText(c.sunEvent),
                     zone.timeText(c.moonEvent),
                     QString::number(std::llround(c.lagMinutes))};
    if (!c.moonUp) {
        while (f.size() < qsizetype(std::size(kHeaders)))
            f << QStringLiteral("-");
        return f;
    }
    f << zone.timeText(c.best) << decimal(c.ageHours, 1) << decimal(c.moonAltitude, 1) << decimal(c.moonAzimuth, 1)
      << decimal(c.sunAltitude, 1) << decimal(c.sunAzimuth, 1) << decimal(c.arcl, 1) << decimal(c.arcv, 1)
      << decimal(c.daz, 1) << decimal(c.width, 2) << decimal(c.illuminated * 100, 1) << decimal(c.q, 3)
      << QString(QChar::fromLatin1(astro::classLetter(c.yallop))) << decimal(c.v, 2)
      << QString(QChar::fromLatin1(astro::classLetter(c.odeh)));
    return f;
}

std::vector<CrescentEvening> crescentTableEvenings(const astro::CrescentRun& run)
{
    std::vector<CrescentEvening> rows(run.mornings.rbegin(), run.mornings.rend());
    rows.insert(rows.end(), run.evenings.begin(), run.evenings.end());
    return rows;
}

QString tabSeparated(const QStringList& headers, const std::vector<QStringList>& rows)
{
    QString text = headers.join(u'\t') + u'\n';
    for (const QStringList& row : rows)
        text += row.join(u'\t') + u'\n';
    return text;
}

QColor classColour(astro::YallopClass c)
{
    static const QColor faces[] = {colours::LightGreen, colours::YellowGreen, colours::Yellow,
                                   colours::Orange,     colours::Salmon,      colours::Red};
    return faces[static_cast<int>(c)];
}

QColor classColour(astro::OdehClass c)
{
    static const QColor faces[] = {colours::LightGreen, colours::Yellow, colours::Orange, colours::Red};
    return faces[static_cast<int>(c)];
}

} // namespace vkt
