#include "presentation/CrescentCalendar.h"

#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "presentation/Words.h"
#include "services/Clock.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/Numbers.h"
#include "services/Version.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <cmath>
#include <cstdlib>
#include <libical/ical.h>
#include <memory>

namespace vkt::presentation {
namespace {

using astro::CrescentEvening;
using astro::Twilight;

// The right-hand side of every UID: the program's home page's domain.
constexpr char kUidDomain[] = "vkt.example.org";
constexpr int kAlarmSeconds = 3600;

struct FreeComponent {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, FreeComponent>;

icaltimetype utc(qint64 secondsSinceEpoch)
{
    return icaltime_from_timet_with_zone(time_t(secondsSinceEpoch), 0, icaltimezone_get_utc_timezone());
}

// The instant as the lists show it, to the minute.
icaltimetype utcMinute(const astro::CivilZone& zone, astro::JulianDay ut)
{
    return utc(zone.at(ut).toSecsSinceEpoch());
}

// The time this file was made, from the program's clock (local wall-clock time).
icaltimetype stamp()
{
    const CivilTime now = toCivil(currentDateTime());
    return utc(QDateTime(QDate(now.year, now.month, now.day), QTime(now.hour, now.minute, now.second)).toSecsSinceEpoch());
}

// The place as the same observer would give it again: its name and coordinates. Its height and
// zone may be corrected without the events becoming others.
QByteArray placeKey(const astro::Place& place)
{
    const QByteArray text = place.name.toUtf8() + '\n' + QByteArray::number(place.latitude, 'f', 4) + '\n' +
                            QByteArray::number(place.longitude, 'f', 4);
    return QCryptographicHash::hash(text, QCryptographicHash::Sha1).toHex().left(16);
}

QByteArray uid(const CrescentEvening& c, const astro::CivilZone& zone, const QByteArray& placeKey)
{
    const QByteArray date = zone.at(c.sunEvent).date().toString(QStringLiteral("yyyyMMdd")).toLatin1();
    const char* side = c.twilight == Twilight::Evening ? "evening" : "morning";
    return date + '-' + side + '-' + placeKey + '@' + kUidDomain;
}

QString summary(const CrescentEvening& c)
{
    return QStringLiteral("Holdsarló %1: Yallop %2, Odeh %3")
        .arg(twilightWord(c.twilight), classLetter(c.yallop), classLetter(c.odeh));
}

QString description(const CrescentEvening& c, const astro::Place& place, const astro::CivilZone& zone)
{
    const bool evening = c.twilight == Twilight::Evening;
    const qint64 age = std::llround((astro::roundedToMinute(c.best) - astro::roundedToMinute(c.newMoon)) * 1440);
    const QString events = evening ? QStringLiteral("Napnyugta: %1, holdnyugta: %2, késés: %3 perc")
                                         .arg(timeText(zone, c.sunEvent), timeText(zone, c.moonEvent))
                                   : QStringLiteral("Holdkelte: %1, napkelte: %2, késés: %3 perc")
                                         .arg(timeText(zone, c.moonEvent), timeText(zone, c.sunEvent));
    const QString ageLine = evening ? QStringLiteral("a holdsarló kora %1").arg(ageText(age))
                                    : QStringLiteral("az újholdig még %1").arg(ageText(-age));
    const QStringList lines = {
        placeText(place),
        QStringLiteral("Újhold: %1").arg(dateTimeText(zone, c.newMoon)),
        events.arg(std::llround(c.lagMinutes)),
        QStringLiteral("Legjobb időpont: %1 (%2 idő), %3")
            .arg(timeText(zone, c.best), QString::fromLatin1(place.timeZone), ageLine),
        QStringLiteral("A Hold a legjobb időpontban %1 magasan, %2 azimutnál")
            .arg(degreesText(c.moonAltitude), degreesText(c.moonAzimuth)),
        QStringLiteral("Yallop: %1 (q = %2)").arg(yallopClassText(c.yallop), decimalText(c.q, 3)),
        QStringLiteral("Odeh: %1 (V = %2)").arg(odehClassText(c.odeh), decimalText(c.v, 2)),
    };
    return lines.join(u'\n');
}

void addText(icalcomponent* component, icalproperty* (*make)(const char*), const QString& text)
{
    icalcomponent_add_property(component, make(text.toUtf8().constData()));
}

icalcomponent* alarm(const QString& text)
{
    icalcomponent* alarm = icalcomponent_new_valarm();
    icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
    icalcomponent_add_property(alarm, icalproperty_new_trigger(icaltriggertype_from_int(-kAlarmSeconds)));
    addText(alarm, icalproperty_new_description, text);
    return alarm;
}

icalcomponent* event(const CrescentEvening& c, const astro::Place& place, const astro::CivilZone& zone,
                     const QByteArray& placeKey, const icaltimetype& made, const CalendarOptions& options)
{
    const bool evening = c.twilight == Twilight::Evening;
    icalcomponent* event = icalcomponent_new_vevent();
    icalcomponent_add_property(event, icalproperty_new_uid(uid(c, zone, placeKey).constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(made));
    icalcomponent_add_property(event, icalproperty_new_dtstart(utcMinute(zone, evening ? c.sunEvent : c.moonEvent)));
    icalcomponent_add_property(event, icalproperty_new_dtend(utcMinute(zone, evening ? c.moonEvent : c.sunEvent)));
    const QString title = summary(c);
    addText(event, icalproperty_new_summary, title);
    addText(event, icalproperty_new_description, description(c, place, zone));
    addText(event, icalproperty_new_location,
            QStringLiteral("%1 (%2)").arg(place.name, coordinatesText(place.latitude, place.longitude, 2)));
    icalcomponent_add_property(event, icalproperty_new_geo(icalgeotype{place.latitude, place.longitude}));
    // An evening outdoors does not make the observer busy for others.
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
    if (options.alarm)
        icalcomponent_add_component(event, alarm(title));
    return event;
}

} // namespace

std::vector<CrescentEvening> calendarCrescents(const std::vector<astro::NewMoonOutlook>& outlooks)
{
    std::vector<CrescentEvening> crescents;
    for (const astro::NewMoonOutlook& o : outlooks)
        for (const std::optional<CrescentEvening>* c : {&o.lastMorning(), &o.firstEvening()})
            if (*c)
                crescents.push_back(**c);
    return crescents;
}

QByteArray crescentCalendar(const std::vector<astro::NewMoonOutlook>& outlooks, const astro::Place& place,
                            const CalendarOptions& options)
{
    const astro::CivilZone zone(place.timeZone);
    const QByteArray key = placeKey(place);
    const icaltimetype made = stamp();
    const Component calendar(icalcomponent_new_vcalendar());
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(),
                               icalproperty_new_prodid((QByteArray("-//VKT//vkt ") + kVersion + "//HU").constData()));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_method(ICAL_METHOD_PUBLISH));
    // The calendar's name where a program shows it (Google's and Apple's extension).
    icalproperty* name = icalproperty_new_x(QStringLiteral("Holdsarló – %1").arg(place.name).toUtf8().constData());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
    for (const CrescentEvening& c : calendarCrescents(outlooks))
        icalcomponent_add_component(calendar.get(), event(c, place, zone, key, made, options));

    char* text = icalcomponent_as_ical_string_r(calendar.get());
    if (!text)
        throw Failure(QStringLiteral("Az iCalendar-fájl nem készíthető el: %1").arg(QString::fromUtf8(icalerror_strerror(icalerrno))));
    const QByteArray bytes(text);
    std::free(text);
    return bytes;
}

void writeCrescentCalendar(const QString& path, const std::vector<astro::NewMoonOutlook>& outlooks,
                           const astro::Place& place, const CalendarOptions& options)
{
    replaceFileBytes(path, crescentCalendar(outlooks, place, options));
}

} // namespace vkt::presentation
