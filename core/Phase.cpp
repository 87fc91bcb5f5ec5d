#include "Phase.h"

#include <cmath>

namespace vkt {

Phase ClassifyPhase(double signedDays)
{
    // fmod truncates toward zero, so an observation before the new moon folds to a negative age.
    double age = std::fmod(signedDays, kSynodicMonth);
    if (age < 0)
        age += kSynodicMonth;
    if (age >= kSynodicMonth || age == 0)
        age = 0;  // a rounding hair below zero, or -0.0, is the new moon itself

    const PhaseRow* row = &kLateNewMoon;
    for (const PhaseRow& candidate : PhaseTable) {
        if (age < candidate.upperBound) {
            row = &candidate;
            break;
        }
    }
    return {age, QString::fromUtf16(row->name), QString::fromLatin1(row->pictureFile)};
}

double IlluminationPercent(double signedDays, IlluminationFactor factor)
{
    constexpr double pi = 3.14159265358979;
    const double angle = 2 * pi * signedDays / kSynodicMonth;
    const double p = (1 - std::cos(angle)) * static_cast<int>(factor) + 0.06;
    if (p > 100)
        return 100;
    if (p < 0.2)
        return 0;
    return p;
}

} // namespace vkt
