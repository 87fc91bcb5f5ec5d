#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace vkt {

// Text written straight onto a window's surface. It keeps its lines and paints them again on
// every repaint, until clearDrawing; clicks pass through to whatever lies beneath. A screen
// reader reads the lines as one static text, named by the widget's accessible name.
class DrawnText : public QWidget {
    Q_OBJECT
public:
    explicit DrawnText(QWidget* window);

    void clearDrawing();
    void drawText(int leftTwips, int topTwips, const QString& text);
    // Tells a screen reader that the lines drawn since the last announcement are a new result.
    void announce();

    struct Line {
        int leftTwips;
        int topTwips;
        QString text;
    };
    const std::vector<Line>& lines() const { return lines_; }
    // The lines in drawing order, one to a text line, without the blanks that only place them.
    QString plainText() const;

signals:
    // The text just announced, as a screen reader gets it.
    void announced(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<Line> lines_;
    QString announced_;
};

} // namespace vkt
