#include "astro/Error.h"

#include <cmath>

namespace vkt::astro {
namespace {

const char* kindName(Error::Kind kind)
{
    switch (kind) {
    case Error::Kind::Library:
        return "library";
    case Error::Kind::MissingEphemerisFile:
        return "missing ephemeris file";
    case Error::Kind::PhaseNotSettled:
        return "phase not settled";
    case Error::Kind::ConjunctionNotSettled:
        return "conjunction not settled";
    case Error::Kind::UnknownZone:
        return "unknown zone";
    case Error::Kind::WrongThread:
        return "wrong thread";
    }
    return "";
}

} // namespace

Error::Error(Kind kind, QString call, QString detail, double julianDay)
    : kind_(kind), call_(std::move(call)), detail_(std::move(detail)), julianDay_(julianDay)
{
    what_ = QByteArray(kindName(kind));
    if (!call_.isEmpty())
        what_ += ' ' + call_.toUtf8();
    if (!detail_.isEmpty())
        what_ += ": " + detail_.toUtf8();
    if (!std::isnan(julianDay_))
        what_ += " JD " + QByteArray::number(julianDay_, 'f', 3);
}

Error Error::library(const char* call, const QString& message, double julianDay)
{
    return Error(Kind::Library, QString::fromLatin1(call), message, julianDay);
}

Error Error::missingEphemerisFile(const char* call, const QString& message, double julianDay, const QString& file,
                                  std::vector<YearSpan> coveredYears)
{
    Error error(Kind::MissingEphemerisFile, QString::fromLatin1(call), message, julianDay);
    error.file_ = file;
    error.coveredYears_ = std::move(coveredYears);
    return error;
}

Error Error::notSettled(Kind kind, double julianDay)
{
    return Error(kind, {}, {}, julianDay);
}

Error Error::unknownZone(const QByteArray& zoneId)
{
    return Error(Kind::UnknownZone, {}, QString::fromLatin1(zoneId), std::nan(""));
}

Error Error::wrongThread()
{
    return Error(Kind::WrongThread, {}, {}, std::nan(""));
}

} // namespace vkt::astro
