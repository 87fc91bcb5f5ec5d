#include "windows/visibility/ClassLegend.h"

#include "presentation/Words.h"
#include "windows/visibility/PanelLook.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace vkt {
namespace {

constexpr double kGap = 10;     // between two entries of a line
constexpr double kPadding = 4;  // between a swatch and its words

} // namespace

ClassLegend::ClassLegend(const QFont& font) : font_(font)
{
    // "A: könnyen látható": the swatch shows the letter, the words follow it.
    const auto words = [](const QString& text) { return text.mid(3); };
    entries_.push_back({QStringLiteral("Yallop:"), {}, {}});
    for (int i = 0; i <= static_cast<int>(astro::YallopClass::F); ++i) {
        const auto c = astro::YallopClass(i);
        entries_.push_back({words(presentation::yallopClassText(c)), presentation::classLetter(c), panelLook::classColour(c)});
    }
    entries_.push_back({QStringLiteral("Odeh:"), {}, {}});
    for (int i = 0; i <= static_cast<int>(astro::OdehClass::D); ++i) {
        const auto c = astro::OdehClass(i);
        entries_.push_back({words(presentation::odehClassText(c)), presentation::classLetter(c), panelLook::classColour(c)});
    }
}

double ClassLegend::swatchWidth() const
{
    return QFontMetricsF(font_).horizontalAdvance(QLatin1Char('W')) + 8;
}

std::vector<QRectF> ClassLegend::layout(int width) const
{
    const QFontMetricsF metrics(font_);
    const double line = std::ceil(metrics.height()) + 2;
    double headingWidth = 0;
    for (const Entry& e : entries_)
        if (e.letter.isEmpty())
            headingWidth = std::max(headingWidth, metrics.horizontalAdvance(e.words) + kPadding);
    std::vector<QRectF> boxes;
    double x = 0, y = -line;
    for (const Entry& e : entries_) {
        if (e.letter.isEmpty()) {
            x = 0;
            y += line;
            boxes.emplace_back(x, y, headingWidth, line);
            x = headingWidth;
            continue;
        }
        const double w = swatchWidth() + kPadding + metrics.horizontalAdvance(e.words);
        // A wrapped line starts under the scale's first class.
        if (x > headingWidth && x + w > width) {
            x = headingWidth;
            y += line;
        }
        boxes.emplace_back(x, y, w, line);
        x += w + kGap;
    }
    return boxes;
}

int ClassLegend::heightForWidth(int width) const
{
    return int(std::ceil(layout(width).back().bottom()));
}

void ClassLegend::paint(QPainter& p, const QRectF& area, const QColor& text) const
{
    p.save();
    p.setFont(font_);
    p.setRenderHint(QPainter::Antialiasing, false);
    const std::vector<QRectF> boxes = layout(int(area.width()));
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        const QRectF box = boxes[i].translated(area.topLeft());
        if (e.letter.isEmpty()) {
            p.setPen(text);
            p.drawText(box, Qt::AlignLeft | Qt::AlignVCenter, e.words);
            continue;
        }
        // The letter on the swatch keeps a class apart where its colour does not show (grey print).
        const QRectF swatch(box.left(), box.top() + 2, swatchWidth(), box.height() - 4);
        p.setPen(QPen(colours::Grey, 1));
        p.setBrush(e.face);
        p.drawRect(swatch);
        p.setPen(panelLook::classLetterColour(e.face));
        p.drawText(swatch, Qt::AlignCenter, e.letter);
        p.setPen(text);
        p.drawText(QRectF(swatch.right() + kPadding, box.top(), box.right() - swatch.right() - kPadding, box.height()),
                   Qt::AlignLeft | Qt::AlignVCenter, e.words);
    }
    p.restore();
}

ClassLegendPanel::ClassLegendPanel(QWidget* parent)
    : QWidget(parent), legend_(programFont(QStringLiteral("Arial"), 8.25))
{
    setObjectName(QStringLiteral("classLegend"));
    setAccessibleName(QStringLiteral("A Yallop- és az Odeh-osztályok jelmagyarázata"));
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

int ClassLegendPanel::heightForWidth(int width) const
{
    return legend_.heightForWidth(width);
}

QSize ClassLegendPanel::sizeHint() const
{
    return {900, heightForWidth(900)};
}

// Narrower than the window's place fields ever let it be, so its least height is what it needs.
QSize ClassLegendPanel::minimumSizeHint() const
{
    return {kLeastWidth, heightForWidth(kLeastWidth)};
}

void ClassLegendPanel::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    legend_.paint(p, rect(), panelLook::Text);
}

} // namespace vkt
