#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace vkt::astro {

// What went wrong in a computation, as a kind and the raw facts: the library's own message, the
// zone asked for, the instant a search began. The words for the user are made by whoever shows it.
class Error : public std::exception {
public:
    enum class Kind {
        Library,              // the Swiss Ephemeris refused a call: call() and its message in detail()
        PhaseNotSettled,      // the search for a lunar phase did not settle near julianDay()
        ConjunctionNotSettled,  // the search for Venus's conjunction did not settle near julianDay()
        UnknownZone,          // the time-zone database lacks the zone named in detail()
        WrongThread,          // an Ephemeris used outside the thread that made it
    };

    static Error library(const char* call, const QString& message);
    static Error notSettled(Kind kind, double julianDay);
    static Error unknownZone(const QByteArray& zoneId);
    static Error wrongThread();

    Kind kind() const noexcept { return kind_; }
    const QString& call() const noexcept { return call_; }
    const QString& detail() const noexcept { return detail_; }
    double julianDay() const noexcept { return julianDay_; }
    // For logs and debuggers only: the kind's name and the raw facts, never shown to the user.
    const char* what() const noexcept override { return what_.constData(); }

private:
    Error(Kind kind, QString call, QString detail, double julianDay);

    Kind kind_;
    QString call_;
    QString detail_;
    double julianDay_;
    QByteArray what_;
};

} // namespace vkt::astro
