#pragma once

#include <QString>
#include <optional>

namespace vkt {

enum class NumberPattern { TwoDecimals /* "0.00" */, OneDecimal /* "0.0" */ };

// Hungarian form: decimal comma, at least one integer digit, a minus sign for negatives
// (never "-0,00"). Rounded as the decimal value reads to 15 significant digits, halves away
// from zero: 1.125 gives "1,13", 1.005 "1,01". The same bytes under any process locale.
QString formatNumber(double x, NumberPattern pattern);

// A measured value with a decimal comma and the given decimals, rounded as the stored binary value
// lies (1.005, stored a hair below, gives "1,00"); a value that rounds to zero shows without a
// sign ("0,0", never "-0,0"). The same bytes under any process locale.
QString decimalText(double value, int decimals);

// A number as a user would type it back into a field: up to ten significant digits, a decimal
// comma, no exponent for the values a place holds ("47,5", "-0,25", "1014").
QString typedNumberText(double value);

// A number as a Hungarian user types it: decimal comma or point, optional sign and
// exponent, blanks around. Empty text, garbage, inf/nan and overflow give nothing; an
// underflow is the nearest double, zero or tiny. The process locale plays no part.
std::optional<double> toNumber(const QString& text);

} // namespace vkt
