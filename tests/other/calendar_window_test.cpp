#include "CalendarWindow.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "window_test_support.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QToolButton>

namespace vkt {
namespace {

using testing::flushDeletes;

const QDate StoredDate(2026, 8, 4);

class CalendarWindowTest : public testing::DataFolderTest {
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        // A user whose own locale starts the week on Sunday still gets the Hungarian calendar.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        open();
    }
    void TearDown() override
    {
        if (QWidget* window = form.get())
            window->close();
        flushDeletes();
        QLocale::setDefault(savedLocale);
        DataFolderTest::TearDown();
    }

    void open()
    {
        window = form.show([] { return new CalendarWindow; });
        calendar = window->findChild<QCalendarWidget*>(QStringLiteral("Calendar1"));
        ASSERT_NE(calendar, nullptr);
    }
    void click(const char* button)
    {
        auto* found = window->findChild<QPushButton*>(QLatin1String(button));
        ASSERT_NE(found, nullptr) << button;
        QTest::mouseClick(found, Qt::LeftButton);
    }
    QDate shownMonth() const { return QDate(calendar->yearShown(), calendar->monthShown(), 1); }

    const QLocale savedLocale;
    SingleWindow<CalendarWindow> form;
    QWidget* window = nullptr;
    QCalendarWidget* calendar = nullptr;
};

TEST_F(CalendarWindowTest, OpensOnTheStoredDateNotOnToday)
{
    setNow(QStringLiteral("2026.12.06 22:00:09"));
    EXPECT_EQ(calendar->selectedDate(), StoredDate);
    EXPECT_EQ(shownMonth(), QDate(2026, 8, 1));
    EXPECT_EQ(window->focusWidget(), calendar->focusProxy() ? calendar->focusProxy() : calendar);
}

TEST_F(CalendarWindowTest, SpeaksHungarianAndStartsTheWeekOnMonday)
{
    EXPECT_EQ(calendar->locale().language(), QLocale::Hungarian);
    EXPECT_EQ(calendar->firstDayOfWeek(), Qt::Monday);
    auto* monthButton = calendar->findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_NE(monthButton, nullptr);
    EXPECT_EQ(monthButton->text(), QStringLiteral("augusztus"));

    // The header row of the grid: Monday first, Sunday last, in Hungarian.
    auto* grid = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    ASSERT_NE(grid, nullptr);
    const QAbstractItemModel* model = grid->model();
    const int last = model->columnCount() - 1;
    EXPECT_EQ(model->data(model->index(0, last - 6)).toString(), QStringLiteral("H"));
    EXPECT_EQ(model->data(model->index(0, last)).toString(), QStringLiteral("V"));
}

bool contains(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

TEST_F(CalendarWindowTest, ColoursOfTheStoredLookReachTheScreen)
{
    const QImage image = window->grab().toImage();
    auto* grid = calendar->findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    auto* title = calendar->findChild<QWidget*>(QStringLiteral("qt_calendar_monthbutton"));
    ASSERT_TRUE(grid && title);
    // Monday's name in the header row, and 1 August (a Saturday) in the first week.
    const int saturday = grid->model()->columnCount() - 2;
    const QPoint origin = grid->viewport()->mapTo(window, QPoint(0, 0));
    const QRect monday = grid->visualRect(grid->model()->index(0, saturday - 5)).translated(origin);
    const QRect day = grid->visualRect(grid->model()->index(1, saturday)).translated(origin);

    EXPECT_TRUE(contains(image, monday, QColor(0xFF, 0xFF, 0xFF)));  // white weekday name
    EXPECT_EQ(image.pixelColor(day.topLeft() + QPoint(3, 3)), QColor(0x00, 0x80, 0x00));
    EXPECT_TRUE(contains(image, day, QColor(0xFF, 0xFF, 0x00)));  // yellow day number
    EXPECT_TRUE(contains(image, day.adjusted(day.width() - 2, 0, 1, 0), QColor(0x80, 0x80, 0x80)));  // grid
    const QRect titleArea(title->mapTo(window, QPoint(0, 0)), title->size());
    EXPECT_TRUE(contains(image, titleArea, QColor(0xFF, 0xFF, 0x00)));
    EXPECT_EQ(image.pixelColor(titleArea.topLeft() + QPoint(0, 1)), QColor(0x00, 0x80, 0x00));
}

TEST_F(CalendarWindowTest, MostSelectsTodayWhateverMonthIsShown)
{
    struct Row {
        const char* now;
        QDate today;
    };
    const Row rows[] = {
        {"2026.12.06 22:00:09", QDate(2026, 12, 6)},
        {"2026.03.31 23:59:59", QDate(2026, 3, 31)},  // the time of day plays no part
        {"2027.01.01 00:00:00", QDate(2027, 1, 1)},
        {"2024.02.29 12:00:00", QDate(2024, 2, 29)},
        {"2026.08.04 08:00:00", StoredDate},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.now);
        setNow(QString::fromUtf8(row.now));
        calendar->setCurrentPage(1999, 5);  // the user has paged far away
        click("Command62");
        EXPECT_EQ(calendar->selectedDate(), row.today);
        EXPECT_EQ(shownMonth(), QDate(row.today.year(), row.today.month(), 1));
    }
}

TEST_F(CalendarWindowTest, ReopenedItStartsAgainFromTheStoredDate)
{
    setNow(QStringLiteral("2027.05.17 10:00:00"));
    click("Command62");
    calendar->showNextMonth();
    click("Command61");
    flushDeletes();
    ASSERT_EQ(form.get(), nullptr);

    open();
    EXPECT_EQ(calendar->selectedDate(), StoredDate);
    EXPECT_EQ(shownMonth(), QDate(2026, 8, 1));
}

TEST_F(CalendarWindowTest, AskedForAgainItKeepsTheMonthPagedTo)
{
    calendar->setCurrentPage(2030, 1);
    EXPECT_EQ(form.show([] { return new CalendarWindow; }), window);
    EXPECT_EQ(shownMonth(), QDate(2030, 1, 1));
    EXPECT_EQ(calendar->selectedDate(), StoredDate);
}

TEST_F(CalendarWindowTest, EnterAndEscapeAreNotBoundToOk)
{
    for (const char* name : {"Command61", "Command62"})
        EXPECT_FALSE(window->findChild<QPushButton*>(QLatin1String(name))->isDefault()) << name;
    QWidget* focused = window->focusWidget() ? window->focusWidget() : window;
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(focused, key);
        flushDeletes();
        ASSERT_EQ(form.get(), window);
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_EQ(calendar->selectedDate(), StoredDate);
}

} // namespace
} // namespace vkt
