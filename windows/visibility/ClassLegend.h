#pragma once

#include <QColor>
#include <QFont>
#include <QRectF>
#include <QString>
#include <QWidget>
#include <vector>

class QPainter;

namespace vkt {

// The table's two scales explained: Yallop's A–F and Odeh's A–D, each class a swatch in its
// colour with its letter, then its words. Each scale starts a line; a line wraps within the
// width. Paints on any device, so the window and the printed sheet share it.
class ClassLegend {
public:
    explicit ClassLegend(const QFont& font);

    int heightForWidth(int width) const;
    void paint(QPainter& p, const QRectF& area, const QColor& text) const;

private:
    struct Entry {
        QString words;
        QString letter;  // empty: the scale's heading
        QColor face;
    };
    // Each entry's box, the area's top left at 0, 0.
    std::vector<QRectF> layout(int width) const;
    double swatchWidth() const;

    QFont font_;
    std::vector<Entry> entries_;
};

// The legend under the table, as high as its lines need at the width it is given.
class ClassLegendPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr int kLeastWidth = 760;

    explicit ClassLegendPanel(QWidget* parent);

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ClassLegend legend_;
};

} // namespace vkt
