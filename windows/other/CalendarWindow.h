#pragma once

#include <QWidget>

class QCalendarWidget;
class QPushButton;

namespace vkt {

// Form6 "Naptár": a month calendar to look dates up in. Nothing chosen here is kept.
class CalendarWindow : public QWidget {
    Q_OBJECT
public:
    CalendarWindow();

private:
    void createButtons();
    void createCalendar();
    void showToday();

    QPushButton* Command62 = nullptr;
    QPushButton* Command61 = nullptr;
    QCalendarWidget* Calendar1 = nullptr;
};

} // namespace vkt
