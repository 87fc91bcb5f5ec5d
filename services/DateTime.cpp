#include "services/DateTime.h"

#include "services/Failure.h"

#include <chrono>
#include <cmath>
#include <limits>

namespace vkt {
namespace {

using namespace std::chrono;

constexpr sys_days kEpoch = sys_days{year{1899} / December / 30};
constexpr std::int64_t kSecondsPerDay = 86400;

std::int64_t floorDiv(std::int64_t a, std::int64_t b)
{
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

std::int64_t toSeconds(DateTime value)
{
    return std::llround(value * kSecondsPerDay);
}

// A small cursor over the text; the grammar is tiny, so a hand parser keeps it fast and strict.
class Cursor {
public:
    explicit Cursor(const QString& s) : p_(s.constData()), end_(s.constData() + s.size()) {}

    bool atEnd() const { return p_ == end_; }
    QChar peek() const { return atEnd() ? QChar() : *p_; }
    bool take(QChar c)
    {
        if (peek() != c)
            return false;
        ++p_;
        return true;
    }
    int skipBlanks()
    {
        int n = 0;
        while (!atEnd() && *p_ == u' ') {
            ++p_;
            ++n;
        }
        return n;
    }
    // 1..maxDigits ASCII digits.
    std::optional<int> number(int maxDigits)
    {
        int value = 0, digits = 0;
        while (!atEnd() && p_->unicode() >= u'0' && p_->unicode() <= u'9') {
            if (++digits > maxDigits)
                return std::nullopt;
            value = value * 10 + (p_->unicode() - u'0');
            ++p_;
        }
        if (digits == 0)
            return std::nullopt;
        return value;
    }

private:
    const QChar* p_;
    const QChar* end_;
};

bool isOuterBlank(QChar c)
{
    return c == u' ' || c == u'\r' || c == u'\n' || c == u'\t';
}

bool parseTime(Cursor& c, int firstNumber, CivilTime& t)
{
    // firstNumber (the hour) is already read and the ':' is next.
    if (!c.take(u':'))
        return false;
    auto minute = c.number(2);
    if (!minute)
        return false;
    int second = 0;
    if (c.take(u':')) {
        auto s = c.number(2);
        if (!s)
            return false;
        second = *s;
    }
    if (firstNumber > 23 || *minute > 59 || second > 59)
        return false;
    t.hour = firstNumber;
    t.minute = *minute;
    t.second = second;
    return true;
}

} // namespace

std::optional<DateTime> fromCivil(const CivilTime& t)
{
    if (t.year < 100 || t.year > 9999)
        return std::nullopt;
    const year_month_day ymd{year{t.year}, month{static_cast<unsigned>(t.month)},
                             day{static_cast<unsigned>(t.day)}};
    if (!ymd.ok() || t.hour < 0 || t.hour > 23 || t.minute < 0 || t.minute > 59 || t.second < 0
        || t.second > 59)
        return std::nullopt;
    const auto days = (sys_days{ymd} - kEpoch).count();
    return days + (t.hour * 3600 + t.minute * 60 + t.second) / double(kSecondsPerDay);
}

CivilTime toCivil(DateTime value)
{
    const std::int64_t seconds = toSeconds(value);
    const std::int64_t days = floorDiv(seconds, kSecondsPerDay);
    const std::int64_t ofDay = seconds - days * kSecondsPerDay;
    const year_month_day ymd{kEpoch + std::chrono::days{days}};
    CivilTime t;
    t.year = int(ymd.year());
    t.month = int(unsigned(ymd.month()));
    t.day = int(unsigned(ymd.day()));
    t.hour = int(ofDay / 3600);
    t.minute = int(ofDay / 60 % 60);
    t.second = int(ofDay % 60);
    return t;
}

std::optional<DateTime> toDateTime(const QString& text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && isOuterBlank(text[first]))
        ++first;
    while (last > first && isOuterBlank(text[last - 1]))
        --last;
    if (first == last)
        return std::nullopt;
    const QString body = text.sliced(first, last - first);
    Cursor c(body);

    CivilTime t;
    auto lead = c.number(4);
    if (!lead)
        return std::nullopt;
    if (c.peek() == u':') {
        // A time of day alone, on the epoch day.
        if (!parseTime(c, *lead, t) || !c.atEnd())
            return std::nullopt;
        return (t.hour * 3600 + t.minute * 60 + t.second) / double(kSecondsPerDay);
    }

    const QChar sep = c.peek();
    if (sep != u'.' && sep != u'-' && sep != u'/')
        return std::nullopt;
    c.take(sep);
    c.skipBlanks();
    auto month = c.number(2);
    if (!month || !c.take(sep))
        return std::nullopt;
    c.skipBlanks();
    auto day = c.number(2);
    if (!day)
        return std::nullopt;
    if (sep == u'.')
        c.take(u'.');
    t.year = *lead;
    t.month = *month;
    t.day = *day;
    if (!c.atEnd()) {
        if (c.skipBlanks() == 0)
            return std::nullopt;
        auto hour = c.number(2);
        if (!hour || !parseTime(c, *hour, t) || !c.atEnd())
            return std::nullopt;
    }
    return fromCivil(t);
}

QString shortDateText(DateTime value)
{
    const CivilTime t = toCivil(value);
    return QStringLiteral("%1. %2. %3.")
        .arg(t.year, 4, 10, QLatin1Char('0'))
        .arg(t.month, 2, 10, QLatin1Char('0'))
        .arg(t.day, 2, 10, QLatin1Char('0'));
}

QString longTimeText(DateTime value)
{
    const CivilTime t = toCivil(value);
    return QStringLiteral("%1:%2:%3")
        .arg(t.hour)
        .arg(t.minute, 2, 10, QLatin1Char('0'))
        .arg(t.second, 2, 10, QLatin1Char('0'));
}

QString DateTimeText(DateTime value)
{
    const std::int64_t seconds = toSeconds(value);
    if (seconds >= 0 && seconds < kSecondsPerDay)
        return longTimeText(value);
    if (seconds % kSecondsPerDay == 0)
        return shortDateText(value);
    return shortDateText(value) + u' ' + longTimeText(value);
}

std::int32_t minutesBetween(DateTime a, DateTime b)
{
    const std::int64_t diff = floorDiv(toSeconds(b), 60) - floorDiv(toSeconds(a), 60);
    if (diff < std::numeric_limits<std::int32_t>::min() || diff > std::numeric_limits<std::int32_t>::max())
        throw MinuteRangeFailure(QStringLiteral("A két időpont túl messze van egymástól (%1 perc).").arg(diff));
    return static_cast<std::int32_t>(diff);
}

} // namespace vkt
