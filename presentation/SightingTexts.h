#pragma once

#include "sightings/Sighting.h"
#include "sightings/SightingFields.h"

#include <QString>

namespace vkt::presentation {

// The words of a sighting record as the windows show them.
QString outcomeWord(sightings::Outcome outcome);  // "látta", "nem látta", "nem próbálta"
QString meansWord(sightings::Means means);        // "szabad szem", "binokulár", "távcső", "kamera"
QString transparencyWord(sightings::Transparency t);  // "kiváló" … "nagyon párás"; empty when not given
QString cloudsWord(sightings::Clouds c);              // "derült", "részben felhős", "borult"; empty when not given

// "2024.03.11. este, Budapest": a record named in a tooltip or a list of surprises.
QString sightingName(const sightings::Sighting& s);

// "12. sor: …": why a line of the data file or of an imported CSV cannot be taken, naming the
// column as that file names it and what the column takes.
QString lineProblemText(const sightings::LineProblem& problem, sightings::Dialect dialect);

} // namespace vkt::presentation
