// toNumber on any text; an accepted number is finite, formats, and reads back from its own
// shortest exact text with a decimal comma.
#include "fuzz/FuzzCheck.h"
#include "services/Numbers.h"

#include <cmath>
#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<double> value = vkt::toNumber(text);
    if (!value)
        return 0;
    FUZZ_CHECK(std::isfinite(*value));
    const QString two = vkt::formatNumber(*value, vkt::NumberPattern::TwoDecimals);
    const QString one = vkt::formatNumber(*value, vkt::NumberPattern::OneDecimal);
    FUZZ_CHECK(two.size() >= 4 && two[two.size() - 3] == u',');
    FUZZ_CHECK(one.size() >= 3 && one[one.size() - 2] == u',');
    FUZZ_CHECK(two != QStringLiteral("-0,00") && one != QStringLiteral("-0,0"));
    const QString exact = QString::number(*value, 'g', 17).replace(u'.', u',');
    const std::optional<double> back = vkt::toNumber(exact);
    FUZZ_CHECK(back.has_value() && *back == *value);
    FUZZ_CHECK(vkt::toNumber(QStringLiteral("  ") + text + QStringLiteral("  ")) == value);
    return 0;
}
