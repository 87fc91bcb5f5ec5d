#pragma once

#include <QString>
#include <array>

namespace vkt {

inline constexpr double kSynodicMonth = 29.53058868;

struct PhaseRow {
    double upperBound;  // exclusive, in days of the folded age
    const char16_t* name;
    const char* pictureFile;
};

// The first row whose bound is above the folded age applies; past the last row the Moon is new again.
inline constexpr std::array<PhaseRow, 12> PhaseTable{{
    {1.84, u"Újhold", "000-ujhold.gif"},
    {2.1, u"Növekvő sarló", "004-novekvo.gif"},
    {5.53, u"Növekvő sarló", "010-novekvo.gif"},
    {6.95, u"Növekvő sarló", "014-novekvo.gif"},
    {9.21, u"Első negyed", "020-negyed.gif"},
    {12.9, u"Növekvő hold", "030-novekvo.gif"},
    {16.61, u"Telihold", "040-telihold.gif"},
    {21.05, u"Fogyó hold", "050-fogyo.gif"},
    {23.15, u"Utolsó negyed", "060-utolso.gif"},
    {26.63, u"Fogyó sarló", "070-fogyo.gif"},
    {27.6, u"Fogyó sarló", "072-fogyo.gif"},
    {28.2, u"Fogyó sarló", "073-fogyo.gif"},
}};
inline constexpr PhaseRow kLateNewMoon{kSynodicMonth, u"Újhold", "000-ujhold.gif"};

struct Phase {
    double phaseAge;  // 0 <= phaseAge < kSynodicMonth
    QString name;
    QString pictureFile;
};

Phase ClassifyPhase(double signedDays);

// 53 on the "Utolsó Megfigyelés" path, 54 on the "Most!" path.
enum class IlluminationFactor { LastObservation = 53, Now = 54 };

// Percent of the disc lit: 0, or 0.2 to 100.
double IlluminationPercent(double signedDays, IlluminationFactor factor);

} // namespace vkt
