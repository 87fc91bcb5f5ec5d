#pragma once

#include <QString>
#include <optional>

namespace vkt {

enum class NumberPattern { TwoDecimals /* "0.00" */, OneDecimal /* "0.0" */ };

// Hungarian form: decimal comma, at least one integer digit, a minus sign for negatives
// (never "-0,00").
QString formatNumber(double x, NumberPattern pattern);

// A number as a Hungarian user types it: decimal comma or point, optional sign and
// exponent, blanks around. Empty text, garbage, inf/nan and overflow give nothing.
std::optional<double> toNumber(const QString& text);

} // namespace vkt
