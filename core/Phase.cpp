#include "core/Phase.h"

#include <cmath>
#include <numbers>

namespace vkt {

namespace {

struct RowTexts {
    QString name;
    QString pictureFile;
};

// The texts are built once; every result then shares them instead of allocating its own.
const RowTexts& textsOf(std::size_t row)
{
    static const auto texts = [] {
        std::array<RowTexts, PhaseTable.size() + 1> all;
        for (std::size_t i = 0; i <= PhaseTable.size(); ++i) {
            const PhaseRow& r = i < PhaseTable.size() ? PhaseTable[i] : kLateNewMoon;
            all[i] = {QString::fromUtf16(r.name), QString::fromLatin1(r.pictureFile)};
        }
        return all;
    }();
    return texts[row];
}

} // namespace

Phase ClassifyPhase(double signedDays)
{
    // fmod truncates toward zero, so an observation before the new moon folds to a negative age.
    double age = std::fmod(signedDays, kSynodicMonth);
    if (age < 0)
        age += kSynodicMonth;
    if (age >= kSynodicMonth || age == 0)
        age = 0;  // a rounding hair below zero, or -0.0, is the new moon itself

    std::size_t row = 0;
    while (row < PhaseTable.size() && !(age < PhaseTable[row].upperBound))
        ++row;
    const RowTexts& texts = textsOf(row);
    return {age, texts.name, texts.pictureFile};
}

double IlluminationPercent(double signedDays, IlluminationFactor factor)
{
    const double angle = 2 * std::numbers::pi * signedDays / kSynodicMonth;
    const double p = (1 - std::cos(angle)) * static_cast<int>(factor) + 0.06;
    if (p > 100)
        return 100;
    if (p < 0.2)
        return 0;
    return p;
}

} // namespace vkt
