#pragma once

#include "core/Crescent.h"

namespace vkt {

class MainClientArea;

// "Utolsó Megfigyelés": the age at the saved observation time.
void RunFromLastObservation(MainClientArea& area);

// "Most!": the age at the present moment.
void RunFromNow(MainClientArea& area);

// Clears the drawn result, loads the phase picture and draws the result lines.
// A picture that cannot be loaded throws vkt::Failure after the clearing, before any line.
// clockNow is the instant of a "Most!" run; the last-observation path reads no clock.
void ShowCrescentResult(MainClientArea& area, const CrescentResult& result, CrescentPath path, DateTime clockNow = 0);

} // namespace vkt
