#pragma once

#include "windows/sightings/SightingDiagram.h"

#include <QWidget>
#include <optional>

namespace vkt {

// The diagram at the panel's size, redrawn as it changes; pointing at a point names its record.
class DiagramPanel : public QWidget {
    Q_OBJECT
public:
    explicit DiagramPanel(QWidget* parent);

    // The records and their skies, all computed (skies[i] is records[i]'s).
    void show(const std::vector<sightings::Sighting>& records, const std::vector<astro::SightingGeometry>& skies);
    const std::optional<SightingDiagram>& diagram() const { return diagram_; }
    // The record under a point of the panel, named as its tooltip names it; empty where none is.
    QString recordNameAt(QPoint position) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;

private:
    std::optional<SightingDiagram> diagram_;
    std::vector<sightings::Sighting> records_;
    mutable QImage drawn_;  // the diagram at the panel's last size: thousands of points are not redrawn for a tooltip
};

} // namespace vkt
