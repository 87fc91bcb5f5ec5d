#include "Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

namespace vkt {

QString formatNumber(double x, NumberPattern pattern)
{
    const int decimals = pattern == NumberPattern::TwoDecimals ? 2 : 1;
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, x);
    std::string text(buffer);
    if (text.front() == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);  // a negative that rounds to zero is plain zero
    for (char& ch : text)
        if (ch == '.')
            ch = ',';
    return QString::fromLatin1(text);
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
    if (ec != std::errc() || end != last || !std::isfinite(value))
        return std::nullopt;
    return s[0] == '-' ? -value : value;
}

} // namespace vkt
