#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"
#include "windows/visibility/SavablePicture.h"

#include <QLabel>
#include <optional>

namespace vkt {

// The horizon chart of the selected evening (morning), drawn at the panel's size whenever that
// changes.
class HorizonChartPanel : public QLabel {
    Q_OBJECT
public:
    explicit HorizonChartPanel(QWidget* parent);

    // Draws the evening's chart at the place; nullptr clears it.
    void showEvening(const astro::CrescentEvening* evening, const astro::Place& place, const astro::CivilZone& zone);
    // The chart shown under a title line naming the place, the day, evening or morning and the
    // criterion, as it is saved; empty when none is.
    std::optional<SavablePicture> picture() const;

    // A modest size to start from; whatever the layout gives is drawn at, not the picture's size.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return minimumSize(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void draw();

    std::optional<astro::CrescentEvening> evening_;
    std::optional<astro::CivilZone> zone_;
    QString placeName_;
};

} // namespace vkt
