#pragma once

#include "astro/CrescentVisibility.h"
#include "astro/VisibilityMap.h"

#include <QByteArray>
#include <QRectF>
#include <optional>
#include <vector>

class QPaintDevice;
class QPainter;

namespace vkt {

// What the observing sheet shows, gathered from the window.
struct SheetContents {
    astro::Place place;
    astro::JulianDay newMoon = 0;
    std::vector<astro::CrescentEvening> evenings;  // the table's rows, in its order
    int selected = -1;                             // the row of the chart and the map; -1: none
    std::optional<astro::VisibilityMap> map;       // the selected evening's
    astro::JulianDay made = 0;                     // when the sheet is made
};

// The observing sheet: one A4 page to take outside. The place with its coordinates and zone, the
// new moon, the table of mornings and evenings, the selected evening's horizon chart and world
// map, both legends and when it was made, dark on white; the classes keep their letters and
// darken class by class, so a grey print tells them apart. Paints on any device (a printer, a
// PDF writer, an image), every time in the place's zone.
class ObservingSheet {
public:
    // The sheet's own units: pixels at 96 dpi, A4 less its margins. A page of another shape gets
    // the sheet scaled to fit.
    static constexpr double kWidth = 700;
    static constexpr double kHeight = 1000;

    explicit ObservingSheet(SheetContents contents);

    // On the whole paintable area of the device.
    void paint(QPaintDevice& device) const;
    void paint(QPainter& p, const QRectF& page) const;
    // The sheet as a one-page A4 PDF.
    QByteArray pdf() const;
    // "Budapest, 2026.03.19 02:23 újhold": the PDF's title, and the base of its file name.
    QString title() const;

private:
    double drawHeading(QPainter& p, double y) const;
    double drawTable(QPainter& p, double y) const;
    double drawChart(QPainter& p, double y, double height) const;
    double drawMap(QPainter& p, double y) const;

    SheetContents c_;
};

} // namespace vkt
