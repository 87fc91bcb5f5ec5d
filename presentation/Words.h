#pragma once

#include "astro/CrescentVisibility.h"
#include "astro/Eclipses.h"

#include <QString>

namespace vkt::presentation {

// "este" or "reggel".
QString twilightWord(astro::Twilight twilight);

// A class as its letter, "A" onwards.
QString classLetter(astro::YallopClass c);
QString classLetter(astro::OdehClass c);

// What a Yallop class promises, in words short enough for a list or a map's legend: "A: könnyen
// látható" and so on.
QString yallopClassText(astro::YallopClass c);
// What an Odeh class promises, likewise: "A: szabad szemmel látható" and so on.
QString odehClassText(astro::OdehClass c);

QString solarEclipseWord(astro::SolarEclipseType type);  // "részleges", "gyűrűs", "teljes", "hibrid"
QString lunarEclipseWord(astro::LunarEclipseType type);  // "félárnyékos", "részleges", "teljes"
QString moonAboveWord(astro::MoonAbove above);           // "látható", "részben látható", "nem látható"
// In place of a rising's or setting's time: "fenn" (stays up), "lenn" (stays down); empty if crossed.
QString horizonWord(astro::Horizon horizon);

} // namespace vkt::presentation
