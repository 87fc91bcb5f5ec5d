#pragma once

#include "astro/Ephemeris.h"
#include "astro/Error.h"

#include <QString>

namespace vkt::presentation {

// What went wrong in a computation, said to the user.
QString failureText(const astro::Error& error);

// The warning an ephemeris without its data files calls for; empty when it has them.
QString ephemerisWarning(const astro::Ephemeris& ephemeris);

} // namespace vkt::presentation
