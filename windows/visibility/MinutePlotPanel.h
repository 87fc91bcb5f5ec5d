#pragma once

#include "astro/CivilTime.h"
#include "astro/CrescentVisibility.h"

#include <QLabel>
#include <optional>

namespace vkt {

// The minute plot of the selected evening (morning), drawn at the panel's size; the pointer over
// it tells that minute's time, in the place's zone, the Moon's altitude and q.
class MinutePlotPanel : public QLabel {
    Q_OBJECT
public:
    explicit MinutePlotPanel(QWidget* parent);

    // Draws the profile; an empty one (no Moon to look for) clears the plot and says why.
    void showProfile(const astro::CrescentProfile& profile, const astro::CivilZone& zone);
    const astro::CrescentProfile& profile() const { return profile_; }
    // The text the pointer at that point shows; empty off the plot.
    QString tipAt(QPoint point) const;

    QSize sizeHint() const override { return {400, 220}; }
    QSize minimumSizeHint() const override { return minimumSize(); }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void draw();

    astro::CrescentProfile profile_;
    std::optional<astro::CivilZone> zone_;
};

} // namespace vkt
