#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace vkt {

// Text written straight onto a window's surface. It keeps its lines and paints them again on
// every repaint, until clearDrawing; clicks pass through to whatever lies beneath.
class DrawnText : public QWidget {
    Q_OBJECT
public:
    explicit DrawnText(QWidget* window);

    void clearDrawing();
    void drawText(int leftTwips, int topTwips, const QString& text);

    struct Line {
        int leftTwips;
        int topTwips;
        QString text;
    };
    const std::vector<Line>& lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<Line> lines_;
};

} // namespace vkt
