#include "windows/other/CalendarWindow.h"

#include "services/Clock.h"
#include "services/DateTime.h"
#include "windows/common/WindowLook.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QPushButton>
#include <QTableView>
#include <QTextCharFormat>

namespace vkt {
namespace {

// The day the calendar opens on, whatever the clock says; "Most" moves to today.
const QDate kOpeningDate(2026, 8, 4);

// The calendar's own arrows, year box and grid carry English names or none; these are the
// program's. The month and year buttons are named by their text.
void nameParts(QCalendarWidget& calendar)
{
    const struct {
        const char* child;
        const char* name;
    } parts[] = {
        {"qt_calendar_prevmonth", "Előző hónap"},
        {"qt_calendar_nextmonth", "Következő hónap"},
        {"qt_calendar_yearedit", "Év"},
        {"qt_calendar_calendarview", "Napok"},
    };
    for (const auto& part : parts)
        if (auto* widget = calendar.findChild<QWidget*>(QLatin1String(part.child)))
            widget->setAccessibleName(QString::fromUtf8(part.name));
}

void colourGreen(QCalendarWidget& calendar)
{
    // Day numbers: the view's font and text colour on the green background.
    calendar.setFont(programFont(QStringLiteral("Arial"), 15.75, QFont::Bold));
    QPalette palette = calendar.palette();
    palette.setColor(QPalette::Base, colours::Green);
    palette.setColor(QPalette::AlternateBase, colours::Green);
    palette.setColor(QPalette::Window, colours::Green);
    palette.setColor(QPalette::Text, colours::Yellow);
    palette.setColor(QPalette::Disabled, QPalette::Text, colours::Silver);  // days of the next and last month
    calendar.setPalette(palette);

    // Weekday formats would also colour the names in the header; the palette colours the days.
    for (int day = Qt::Monday; day <= Qt::Sunday; ++day)
        calendar.setWeekdayTextFormat(Qt::DayOfWeek(day), QTextCharFormat());
    QTextCharFormat weekdayNames;
    weekdayNames.setFont(programFont(QStringLiteral("Arial"), 12, QFont::Bold));
    weekdayNames.setForeground(colours::White);
    weekdayNames.setBackground(colours::Green);
    calendar.setHeaderTextFormat(weekdayNames);

    // The title bar is built of the widget's own children; a style sheet on the bar alone
    // colours it without touching the palette of the day grid.
    if (auto* bar = calendar.findChild<QWidget*>(QStringLiteral("qt_calendar_navigationbar")))
        bar->setStyleSheet(QStringLiteral(
            "QWidget#qt_calendar_navigationbar { background-color: %1; }"
            " QToolButton#qt_calendar_monthbutton, QToolButton#qt_calendar_yearbutton {"
            " color: %2; background-color: %1; font-family: Arial; font-size: %3px; font-weight: bold; }"
            " QSpinBox#qt_calendar_yearedit { font-family: Arial; font-size: %3px; font-weight: bold; }")
                               .arg(colours::Green.name(), colours::Yellow.name())
                               .arg(fontPixels(14.25)));

    if (auto* grid = calendar.findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"))) {
        grid->setStyleSheet(QStringLiteral("QTableView { gridline-color: %1; }").arg(colours::Grey.name()));
        grid->setPalette(palette);
    }
}

} // namespace

CalendarWindow::CalendarWindow()
{
    setObjectName(QStringLiteral("calendarWindow"));
    setWindowTitle(QStringLiteral("Naptár"));
    setColours(this, colours::Green, colours::LightGreen);
    setFont(programFont(QStringLiteral("Arial"), 14.25, QFont::Bold));
    setFixedSize(twipsSize(11190, 8355));
    setFrame(this, Frame::Fixed, Minimise::Off);

    createButtons();
    createCalendar();
    setTabOrder(calendar, okButton);
    setTabOrder(okButton, nowButton);
    calendar->setFocus();
}

void CalendarWindow::createButtons()
{
    nowButton = colouredButton(this, QStringLiteral("&Most"), colours::PaleCyan,
                               programFont(QStringLiteral("Arial"), 12, QFont::Normal, true),
                               twipsRect(5040, 7680, 1095, 495));
    nowButton->setObjectName(QStringLiteral("nowButton"));
    okButton = colouredButton(this, QStringLiteral("&OK"), colours::PaleGreen, programFont(QStringLiteral("Arial"), 12),
                              twipsRect(9960, 7680, 855, 495));
    okButton->setObjectName(QStringLiteral("okButton"));
    connect(nowButton, &QPushButton::clicked, this, &CalendarWindow::showToday);
    connect(okButton, &QPushButton::clicked, this, &QWidget::close);
}

void CalendarWindow::createCalendar()
{
    calendar = new QCalendarWidget(this);
    calendar->setObjectName(QStringLiteral("calendar"));
    calendar->setAccessibleName(QStringLiteral("Naptár"));
    nameParts(*calendar);
    calendar->setGeometry(twipsRect(0, 120, 11055, 7455));
    calendar->setLocale(QLocale(QLocale::Hungarian, QLocale::Hungary));
    // Hungarian weeks start on Monday; said outright rather than left to the locale tables.
    calendar->setFirstDayOfWeek(Qt::Monday);
    calendar->setGridVisible(true);
    colourGreen(*calendar);
    calendar->setSelectedDate(kOpeningDate);
    calendar->setCurrentPage(kOpeningDate.year(), kOpeningDate.month());
}

void CalendarWindow::showToday()
{
    // The time of day plays no part: 23:59:59 is still today.
    const CivilTime now = toCivil(currentDateTime());
    const QDate today(now.year, now.month, now.day);
    calendar->setSelectedDate(today);
    calendar->setCurrentPage(today.year(), today.month());
}

} // namespace vkt
