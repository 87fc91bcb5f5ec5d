#pragma once

#include <QString>
#include <optional>

namespace vkt {

enum class NumberPattern { TwoDecimals /* "0.00" */, OneDecimal /* "0.0" */ };

// Hungarian form: decimal comma, at least one integer digit, a minus sign for negatives
// (never "-0,00"). Rounded as the decimal value reads to 15 significant digits, halves away
// from zero: 1.125 gives "1,13", 1.005 "1,01". The same bytes under any process locale.
QString formatNumber(double x, NumberPattern pattern);

// A number as a Hungarian user types it: decimal comma or point, optional sign and
// exponent, blanks around. Empty text, garbage, inf/nan and overflow give nothing; an
// underflow is the nearest double, zero or tiny. The process locale plays no part.
std::optional<double> toNumber(const QString& text);

} // namespace vkt
