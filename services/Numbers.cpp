#include "services/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <string>

namespace vkt {
namespace {

// Significant digits a double holds for certain: 1.005, stored a hair below, reads as 1.005.
constexpr int kSignificantDigits = 15;

} // namespace

QString formatNumber(double x, NumberPattern pattern)
{
    const int decimals = pattern == NumberPattern::TwoDecimals ? 2 : 1;
    // to_chars writes the same bytes whatever the process locale says.
    char buffer[64];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(x), std::chars_format::scientific,
                                         kSignificantDigits - 1);
    if (ec != std::errc() || !std::isfinite(x))
        return QString::fromLatin1(buffer, ec == std::errc() ? end - buffer : 0);

    // "d.dddde±XX": the digits, and how many of them stand before the decimal point.
    const std::string text(buffer, end);
    const std::size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    const std::size_t exponent = e + (text[e + 1] == '+' ? 2 : 1);
    int integerDigits = 0;
    std::from_chars(text.data() + exponent, text.data() + text.size(), integerDigits);
    ++integerDigits;

    // Halves away from zero, on the decimal digits as a reader sees them.
    const int kept = integerDigits + decimals;
    if (kept < 0) {
        digits.clear();
    } else if (kept < int(digits.size())) {
        const bool up = digits[std::size_t(kept)] >= '5';
        digits.resize(std::size_t(kept));
        if (up) {
            int i = kept - 1;
            for (; i >= 0 && digits[std::size_t(i)] == '9'; --i)
                digits[std::size_t(i)] = '0';
            if (i >= 0) {
                ++digits[std::size_t(i)];
            } else {
                digits.insert(digits.begin(), '1');
                ++integerDigits;
            }
        }
    }
    // Now as many digits as integerDigits + decimals, with zeros put in on either side.
    const int total = integerDigits + decimals;
    if (int(digits.size()) < total)
        digits.append(std::size_t(total - int(digits.size())), '0');
    if (integerDigits < 1) {
        digits.insert(0, std::size_t(1 - integerDigits), '0');
        integerDigits = 1;
    }

    std::string out;
    if (x < 0 && digits.find_first_not_of('0') != std::string::npos)
        out += '-';  // a negative that rounds to zero is plain zero
    out.append(digits, 0, std::size_t(integerDigits));
    out += ',';
    out.append(digits, std::size_t(integerDigits), std::size_t(decimals));
    return QString::fromLatin1(out);
}

QString decimalText(double value, int decimals)
{
    // QString::number always writes a decimal point, whatever the process locale.
    QString text = QString::number(value, 'f', decimals);
    if (text.startsWith(u'-') && text.mid(1).toDouble() == 0)
        text.remove(0, 1);
    return text.replace(u'.', u',');
}

QString typedNumberText(double value)
{
    return QString::number(value, 'g', 10).replace(u'.', u',');
}

std::optional<double> toNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    std::string s;
    s.reserve(trimmed.size());
    for (QChar ch : trimmed) {
        const char16_t u = ch.unicode();
        const bool allowed = (u >= u'0' && u <= u'9') || u == u'+' || u == u'-' || u == u'.'
                             || u == u',' || u == u'e' || u == u'E';
        if (!allowed)
            return std::nullopt;  // also rules out "inf" and "nan"
        s.push_back(u == u',' ? '.' : char(u));
    }
    std::size_t start = 0;
    if (!s.empty() && (s[0] == '+' || s[0] == '-'))
        start = 1;
    // from_chars takes neither a leading '+' nor a bare exponent; digits must come first.
    if (start >= s.size() || (s[start] != '.' && !std::isdigit(static_cast<unsigned char>(s[start]))))
        return std::nullopt;
    double value = 0;
    const char* first = s.data() + start;
    const char* last = s.data() + s.size();
    const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range && end == last) {
        // Too large, or too small for a double: the C reader tells which. An underflow is a
        // number, zero or the nearest tiny one; an overflow is none.
        static const locale_t c = newlocale(LC_ALL_MASK, "C", locale_t(0));
        const std::string magnitude(first, last);
        value = strtod_l(magnitude.c_str(), nullptr, c);
        if (!std::isfinite(value))
            return std::nullopt;
    } else if (ec != std::errc() || end != last || !std::isfinite(value)) {
        return std::nullopt;
    }
    return s[0] == '-' ? -value : value;
}

} // namespace vkt
