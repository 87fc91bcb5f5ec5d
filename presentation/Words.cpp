#include "presentation/Words.h"

namespace vkt::presentation {

QString twilightWord(astro::Twilight twilight)
{
    return twilight == astro::Twilight::Evening ? QStringLiteral("este") : QStringLiteral("reggel");
}

QString classLetter(astro::YallopClass c)
{
    return QString(QChar(u'A' + static_cast<int>(c)));
}

QString classLetter(astro::OdehClass c)
{
    return QString(QChar(u'A' + static_cast<int>(c)));
}

QString yallopClassText(astro::YallopClass c)
{
    using astro::YallopClass;
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

QString odehClassText(astro::OdehClass c)
{
    using astro::OdehClass;
    switch (c) {
    case OdehClass::A:
        return QStringLiteral("A: szabad szemmel látható");
    case OdehClass::B:
        return QStringLiteral("B: távcsővel látható, szabad szemmel is látszhat");
    case OdehClass::C:
        return QStringLiteral("C: csak távcsővel látható");
    case OdehClass::D:
        return QStringLiteral("D: távcsővel sem látható");
    }
    return {};
}

QString solarEclipseWord(astro::SolarEclipseType type)
{
    using astro::SolarEclipseType;
    switch (type) {
    case SolarEclipseType::Partial:
        return QStringLiteral("részleges");
    case SolarEclipseType::Annular:
        return QStringLiteral("gyűrűs");
    case SolarEclipseType::Total:
        return QStringLiteral("teljes");
    case SolarEclipseType::Hybrid:
        return QStringLiteral("hibrid");
    }
    return {};
}

QString lunarEclipseWord(astro::LunarEclipseType type)
{
    using astro::LunarEclipseType;
    switch (type) {
    case LunarEclipseType::Penumbral:
        return QStringLiteral("félárnyékos");
    case LunarEclipseType::Partial:
        return QStringLiteral("részleges");
    case LunarEclipseType::Total:
        return QStringLiteral("teljes");
    }
    return {};
}

QString moonAboveWord(astro::MoonAbove above)
{
    using astro::MoonAbove;
    switch (above) {
    case MoonAbove::Whole:
        return QStringLiteral("látható");
    case MoonAbove::Partly:
        return QStringLiteral("részben látható");
    case MoonAbove::Never:
        return QStringLiteral("nem látható");
    }
    return {};
}

QString horizonWord(astro::Horizon horizon)
{
    switch (horizon) {
    case astro::Horizon::Crossed:
        return {};
    case astro::Horizon::StaysUp:
        return QStringLiteral("fenn");
    case astro::Horizon::StaysDown:
        return QStringLiteral("lenn");
    }
    return {};
}

} // namespace vkt::presentation
