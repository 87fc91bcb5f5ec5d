#pragma once

#include <QWidget>

class QCalendarWidget;
class QPushButton;

namespace vkt {

// "Naptár": a month calendar to look dates up in. Nothing chosen here is kept.
class CalendarWindow : public QWidget {
    Q_OBJECT
public:
    CalendarWindow();

private:
    void createButtons();
    void createCalendar();
    void showToday();

    QPushButton* nowButton = nullptr;
    QPushButton* okButton = nullptr;
    QCalendarWidget* calendar = nullptr;
};

} // namespace vkt
