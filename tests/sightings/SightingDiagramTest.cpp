// The diagram drawn without a window: where each point falls and how it is marked, the axes that
// hold every point, the class boundaries in their own frames, and the record under the pointer.
#include "windows/common/Pictures.h"
#include "windows/sightings/SightingDiagram.h"

#include <gtest/gtest.h>
#include <QColor>

namespace vkt {
namespace {

using sightings::Outcome;
using Frame = SightingDiagram::Frame;
using Mark = SightingDiagram::Mark;

const QSize kSize(900, 420);

struct Attempt {
    Outcome eye, binoculars;
    double width, arcv;           // Yallop's frame
    double topoWidth, topoArcv;   // Odeh's
    bool moonUp = true;
};

struct Set {
    std::vector<sightings::Sighting> records;
    std::vector<astro::SightingGeometry> skies;
};

Set setOf(std::initializer_list<Attempt> attempts)
{
    Set set;
    for (const Attempt& a : attempts) {
        sightings::Sighting s;
        s.outcomes = {a.eye, a.binoculars, Outcome::NotTried, Outcome::NotTried};
        astro::SightingGeometry g;
        g.gap = astro::SightingGap::None;
        g.crescent.moonUp = a.moonUp;
        g.crescent.width = a.width;
        g.crescent.arcv = a.arcv;
        g.crescent.topocentricWidth = a.topoWidth;
        g.crescent.topocentricArcv = a.topoArcv;
        set.records.push_back(s);
        set.skies.push_back(g);
    }
    return set;
}

// Seen by eye, seen only with binoculars, missed by both; one never tried and one whose Moon set
// first get no point.
const Set kSet = setOf({{Outcome::Seen, Outcome::NotTried, 0.5, 11, 0.45, 10},
                        {Outcome::NotSeen, Outcome::Seen, 0.3, 8, 0.28, 7},
                        {Outcome::NotSeen, Outcome::NotSeen, 0.2, 5, 0.18, 4},
                        {Outcome::NotTried, Outcome::NotTried, 0.6, 12, 0.6, 12},
                        {Outcome::Seen, Outcome::NotTried, 0.6, 12, 0.6, 12, false}});

TEST(SightingDiagram, EachPointWhereItsFrameSaysMarkedByWhatWasSeen)
{
    const SightingDiagram diagram(kSet.records, kSet.skies);
    ASSERT_EQ(diagram.points().size(), 3u);
    const Mark marks[] = {Mark::SeenByEye, Mark::SeenWithOptics, Mark::NotSeen};
    const QImage image = diagram.render(kSize);
    ASSERT_EQ(image.size(), kSize);
    EXPECT_EQ(QImage::fromData(pngBytes(image), "PNG").convertToFormat(QImage::Format_RGB32), image);  // as exported
    for (std::size_t i = 0; i < 3; ++i) {
        const SightingDiagram::Point& p = diagram.points()[i];
        EXPECT_EQ(p.record, i);
        EXPECT_EQ(p.mark, marks[i]);
        const QPointF yallop = diagram.at(kSize, Frame::Yallop, kSet.skies[i].crescent.width, kSet.skies[i].crescent.arcv);
        const QPointF odeh =
            diagram.at(kSize, Frame::Odeh, kSet.skies[i].crescent.topocentricWidth, kSet.skies[i].crescent.topocentricArcv);
        EXPECT_TRUE(SightingDiagram::plotArea(kSize, Frame::Yallop).contains(yallop));
        EXPECT_TRUE(SightingDiagram::plotArea(kSize, Frame::Odeh).contains(odeh));
        for (const QPointF at : {yallop, odeh}) {
            // A dot is green at its centre, a ring green at its edge and not at its centre, a cross
            // red at its centre (antialiasing blends the edges with the paper).
            const auto greener = [&](QPointF p) {
                const QColor c = image.pixelColor(p.toPoint());
                return c.green() - c.red();
            };
            switch (marks[i]) {
            case Mark::SeenByEye:
                EXPECT_GT(greener(at), 60);
                break;
            case Mark::SeenWithOptics:
                EXPECT_GT(greener(at + QPointF(4, 0)), 30);
                EXPECT_LT(greener(at), 20);
                break;
            case Mark::NotSeen:
                EXPECT_LT(greener(at), -60);
                break;
            }
            EXPECT_EQ(diagram.recordAt(kSize, at + QPointF(2, -2)), i);
        }
    }
    EXPECT_FALSE(diagram.recordAt(kSize, QPointF(5, 5)));
}

// The axes start at W 0 and ARCV 0, reach the classes' usual span, and grow in whole grid steps
// to hold every point of either frame; the two frames share them.
TEST(SightingDiagram, TheAxesHoldEveryPoint)
{
    const struct {
        Set set;
        double widthTop, arcvBottom, arcvTop;
    } cases[] = {
        {kSet, SightingDiagram::kLeastWidthTop, 0, SightingDiagram::kLeastArcvTop},
        {setOf({{Outcome::Seen, Outcome::NotTried, 1.31, 23.1, 1.2, 22}}), 1.4, 0, 24},
        {setOf({{Outcome::NotSeen, Outcome::NotTried, 0.1, 0.5, 0.1, -0.7}}), 1.2, -2, 16},
    };
    for (const auto& c : cases) {
        const SightingDiagram diagram(c.set.records, c.set.skies);
        EXPECT_DOUBLE_EQ(diagram.axes().widthTop, c.widthTop);
        EXPECT_DOUBLE_EQ(diagram.axes().arcvBottom, c.arcvBottom);
        EXPECT_DOUBLE_EQ(diagram.axes().arcvTop, c.arcvTop);
        for (const Frame frame : {Frame::Yallop, Frame::Odeh}) {
            const QRectF area = SightingDiagram::plotArea(kSize, frame);
            EXPECT_EQ(diagram.at(kSize, frame, 0, c.arcvBottom), area.bottomLeft());
            EXPECT_EQ(diagram.at(kSize, frame, c.widthTop, c.arcvTop), area.topRight());
        }
    }
    EXPECT_LT(SightingDiagram::plotArea(kSize, Frame::Yallop).right(), SightingDiagram::plotArea(kSize, Frame::Odeh).left());
}

// Each frame draws its own criterion's boundaries: Yallop's A/B line, 10 q = 2.16° above his
// curve, and Odeh's A/B line, V = 5.65° above his, lie apart at the same width.
TEST(SightingDiagram, EachFrameDrawsItsCriterionsBoundaries)
{
    const SightingDiagram diagram(kSet.records, kSet.skies);
    const QImage image = diagram.render(kSize);
    const double w = 0.8;
    const double yallopAB = 10 * astro::kYallopBounds[0] - 10 * astro::yallopQ(0, w);
    const double odehAB = astro::kOdehBounds[0] - astro::odehV(0, w);
    ASSERT_GT(std::abs(yallopAB - odehAB), 1.0);
    const auto boundaryNear = [&](Frame frame, double arcv) {
        const QPointF at = diagram.at(kSize, frame, w, arcv);
        for (int dy = -1; dy <= 1; ++dy) {
            const QColor c = image.pixelColor(at.toPoint() + QPoint(0, dy));
            if (c.blue() > 120 && c.red() < 100)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(boundaryNear(Frame::Yallop, yallopAB));
    EXPECT_TRUE(boundaryNear(Frame::Odeh, odehAB));
    EXPECT_FALSE(boundaryNear(Frame::Yallop, odehAB));
    EXPECT_FALSE(boundaryNear(Frame::Odeh, yallopAB));
}

} // namespace
} // namespace vkt
