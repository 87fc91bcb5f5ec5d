#pragma once

#include <QByteArray>
#include <QString>
#include <exception>
#include <vector>

namespace vkt::astro {

// What went wrong in a computation, as a kind and the raw facts: the library's own message, the
// zone asked for, the instant a search began. The words for the user are made by whoever shows it.
class Error : public std::exception {
public:
    enum class Kind {
        Library,              // the Swiss Ephemeris refused a call: call() and its message in detail()
        MissingEphemerisFile, // no ephemeris file for the instant julianDay(): its name in file(),
                              // the years the files at hand cover in coveredYears(), the message in detail()
        PhaseNotSettled,      // the search for a lunar phase did not settle near julianDay()
        ConjunctionNotSettled,  // the search for Venus's conjunction did not settle near julianDay()
        UnknownZone,          // the time-zone database lacks the zone named in detail()
        WrongThread,          // an Ephemeris used outside the thread that made it
    };

    // The years one ephemeris file, or the files of a folder together, hold: first to last.
    struct YearSpan {
        int first, last;
        bool operator==(const YearSpan&) const = default;
    };

    static Error library(const char* call, const QString& message, double julianDay);
    static Error missingEphemerisFile(const char* call, const QString& message, double julianDay, const QString& file,
                                      std::vector<YearSpan> coveredYears);
    static Error notSettled(Kind kind, double julianDay);
    static Error unknownZone(const QByteArray& zoneId);
    static Error wrongThread();

    Kind kind() const noexcept { return kind_; }
    const QString& call() const noexcept { return call_; }
    const QString& detail() const noexcept { return detail_; }
    double julianDay() const noexcept { return julianDay_; }
    const QString& file() const noexcept { return file_; }
    const std::vector<YearSpan>& coveredYears() const noexcept { return coveredYears_; }
    // For logs and debuggers only: the kind's name and the raw facts, never shown to the user.
    const char* what() const noexcept override { return what_.constData(); }

private:
    Error(Kind kind, QString call, QString detail, double julianDay);

    Kind kind_;
    QString call_;
    QString detail_;
    double julianDay_;
    QString file_;
    std::vector<YearSpan> coveredYears_;
    QByteArray what_;
};

} // namespace vkt::astro
