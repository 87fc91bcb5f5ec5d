#pragma once

#include <QLatin1String>

// The files of the data folder, named once for whoever writes them (the program, the almanac tool)
// and whoever reads them (the windows).
namespace vkt::dataFiles {

inline constexpr QLatin1String kNewMoons("ujholdak.txt");
inline constexpr QLatin1String kCrescents("holdsarlok.txt");
inline constexpr QLatin1String kCrescentDetails("holdsarlok-adatok.txt");
inline constexpr QLatin1String kSolarEclipses("napfogyik.txt");
inline constexpr QLatin1String kLunarEclipses("holdfogyik.txt");
inline constexpr QLatin1String kVenusCrescents("venusz.txt");
inline constexpr QLatin1String kLastNewMoon("ujhold.txt");
inline constexpr QLatin1String kLastObservation("utolso.txt");
inline constexpr QLatin1String kComputationLog("szamitott.txt");
inline constexpr QLatin1String kNotes("jegyzetek.txt");
inline constexpr QLatin1String kObservationLog("naplo-vkt.txt");
inline constexpr QLatin1String kSightings("eszlelesek.txt");

} // namespace vkt::dataFiles
