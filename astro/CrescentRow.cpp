#include "astro/CrescentRow.h"

#include <cmath>
#include <iterator>

namespace vkt::astro {
namespace {

const char* const kHeaders[] = {"Mikor", "N",      "Dátum",  "Nap",   "Hold", "Késés", "Legjobb",
                                "Kor(h)", "HoldMag", "HoldAz", "NapMag", "NapAz", "ARCL", "ARCV",
                                "DAZ",   "W'",     "Megv%",  "q",     "Y",    "V",     "O"};

QString letter(char c)
{
    return QString(QChar::fromLatin1(c));
}

} // namespace

QString decimalText(double value, int decimals)
{
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && text.mid(1).toDouble() == 0)
        text.remove(0, 1);
    return text.replace(u'.', u',');
}

QStringList crescentRowHeaders()
{
    QStringList headers;
    for (const char* h : kHeaders)
        headers << QString::fromUtf8(h);
    return headers;
}

QStringList crescentRowFields(const CrescentEvening& c, const CivilZone& zone)
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
    const auto d = decimalText;
    f << zone.timeText(c.best) << d(c.ageHours, 1) << d(c.moonAltitude, 1) << d(c.moonAzimuth, 1)
      << d(c.sunAltitude, 1) << d(c.sunAzimuth, 1) << d(c.arcl, 1) << d(c.arcv, 1) << d(c.daz, 1) << d(c.width, 2)
      << d(c.illuminated * 100, 1) << d(c.q, 3) << letter(classLetter(c.yallop)) << d(c.v, 2)
      << letter(classLetter(c.odeh));
    return f;
}

QString yallopClassText(YallopClass c)
{
    switch (c) {
    case YallopClass::A:
        return QStringLiteral("A: könnyen látható");
    case YallopClass::B:
        return QStringLiteral("B: csak tökéletes égen látható");
    case YallopClass::C:
        return QStringLiteral("C: kereséséhez távcső kellhet");
    case YallopClass::D:
        return QStringLiteral("D: csak távcsővel található");
    case YallopClass::E:
        return QStringLiteral("E: távcsővel sem látható");
    case YallopClass::F:
        return QStringLiteral("F: nem látható");
    }
    return {};
}

} // namespace vkt::astro
