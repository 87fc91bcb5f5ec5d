#pragma once

#include "astro/SightingGeometry.h"
#include "sightings/Sighting.h"
#include "sightings/SightingFields.h"

#include <QString>
#include <QStringList>

namespace vkt::presentation {

// The words of a sighting record as the windows show them.
QString outcomeWord(sightings::Outcome outcome);  // "látta", "nem látta", "nem próbálta"
QString meansWord(sightings::Means means);        // "szabad szem", "binokulár", "távcső", "kamera"
QString transparencyWord(sightings::Transparency t);  // "kiváló" … "nagyon párás"; empty when not given
QString cloudsWord(sightings::Clouds c);              // "derült", "részben felhős", "borult"; empty when not given

// "2024.03.11. este, Budapest": a record named in a tooltip or a list of surprises.
QString sightingName(const sightings::Sighting& s);

// The crescent's age at the moment of the sighting in the main window's three forms (hours and
// minutes; days, hours and minutes; decimal days), counted in whole minutes of UT so that a change
// of summer time cannot add an hour; before the new moon in the morning. Empty when the sky has
// no such moment.
QStringList observationAgeTexts(const astro::SightingGeometry& sky);

// "12. sor: …": why a line of the data file or of an imported CSV cannot be taken, naming the
// column as that file names it and what the column takes.
QString lineProblemText(const sightings::LineProblem& problem, sightings::Dialect dialect);

} // namespace vkt::presentation
