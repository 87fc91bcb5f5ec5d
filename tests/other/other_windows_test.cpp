#include "services/Version.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Widgets.h"
#include "windows/calc/CalculationsWindow.h"
#include "windows/common/SingleWindow.h"
#include "windows/common/WindowLook.h"
#include "windows/other/AboutWindow.h"
#include "windows/other/CalendarWindow.h"
#include "windows/other/DescriptionWindow.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolButton>

// Readable failures.
void PrintTo(const QDate& date, std::ostream* os) { *os << date.toString(Qt::ISODate).toStdString(); }

namespace vkt {
namespace {

using testing::child;
using testing::flushDeletes;

// Through the window's single-instance slot, as the main window opens it.
template <class Window>
QWidget* open()
{
    static SingleWindow<Window> form;
    return form.show([] { return new Window; });
}

const struct SideWindow {
    QString caption;
    bool keysClose;  // OK is the default and the cancel button
    QWidget* (*open)();
} sideWindows[] = {
    {"Naptár", false, open<CalendarWindow>},
    {"Program leírása", false, open<DescriptionWindow>},
    {"About VKT", true, open<AboutWindow>},
    {"Számítások", false, open<CalculationsWindow>},
};

class OtherWindowsTest : public testing::DataFolderTest {
protected:
    void TearDown() override
    {
        testing::closeAllWindows();
        QLocale::setDefault(savedLocale);
        DataFolderTest::TearDown();
    }
    const QLocale savedLocale;
};

// Every label reaches the window's picture as it paints alone (no sibling covers it) and a
// wrapped one is tall enough for all its lines; only the About box closes on Enter or Esc.
TEST_F(OtherWindowsTest, FixedCentredReadableAndOnlyTheAboutBoxTakesEnterAndEsc)
{
    for (const SideWindow& side : sideWindows) {
        SCOPED_TRACE(side.caption.toStdString());
        QPointer<QWidget> window = side.open();
        EXPECT_EQ(window->windowTitle(), side.caption);
        EXPECT_TRUE(window->minimumSize() == window->maximumSize()
                    && !(window->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint)));
        EXPECT_EQ(window->frameGeometry().center(), window->screen()->availableGeometry().center());
        const QImage whole = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
        for (QLabel* label : window->findChildren<QLabel*>()) {
            EXPECT_GE(label->height(), label->wordWrap() ? label->heightForWidth(label->width()) : 0)
                << label->objectName().toStdString();
            const QImage alone = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const QRgb background = label->palette().color(QPalette::Window).rgb();
            int covered = 0;
            for (int y = 0; y < alone.height(); ++y)
                for (int x = 0; x < alone.width(); ++x)
                    covered += alone.pixel(x, y) != background
                               && whole.pixel(label->pos() + QPoint(x, y)) != alone.pixel(x, y);
            EXPECT_EQ(covered, 0) << label->objectName().toStdString();
        }
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            window = side.open();
            QTest::keyClick(window->focusWidget() ? window->focusWidget() : window.data(), key);
            flushDeletes();
            EXPECT_EQ(window.isNull(), side.keysClose) << key;
        }
        window = side.open();
        QTest::mouseClick(child<QPushButton>(window, "okButton"), Qt::LeftButton);
        flushDeletes();
        EXPECT_TRUE(window.isNull());
    }
}

// Every opening starts on 4 August 2026 in Hungarian, even for a user whose own locale starts
// the week on Sunday; "Most" goes to the clock's day wherever the user has paged.
TEST_F(OtherWindowsTest, CalendarOpensOnTheStoredDateAndNowShowsToday)
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    const std::pair<const char*, QDate> clocks[] = {
        {"2026.03.31 23:59:59", QDate(2026, 3, 31)},  // the time of day plays no part
        {"2024.02.29 00:00:00", QDate(2024, 2, 29)},
    };
    for (const auto& [now, today] : clocks) {
        SCOPED_TRACE(now);
        QWidget* window = open<CalendarWindow>();  // built afresh after the last turn's close
        auto* calendar = child<QCalendarWidget>(window, "calendar");
        EXPECT_EQ(calendar->selectedDate(), QDate(2026, 8, 4));
        EXPECT_EQ(std::pair(calendar->yearShown(), calendar->monthShown()), std::pair(2026, 8));
        EXPECT_EQ(child<QToolButton>(calendar, "qt_calendar_monthbutton")->text(), QStringLiteral("augusztus"));
        const QAbstractItemModel* grid = child<QTableView>(calendar, "qt_calendar_calendarview")->model();
        EXPECT_EQ(grid->index(0, grid->columnCount() - 7).data().toString(), QStringLiteral("H"));  // Monday first

        setNow(QString::fromUtf8(now));
        calendar->setCurrentPage(1999, 5);
        QTest::mouseClick(child<QPushButton>(window, "nowButton"), Qt::LeftButton);
        EXPECT_EQ(calendar->selectedDate(), today);
        EXPECT_EQ(std::pair(calendar->yearShown(), calendar->monthShown()), std::pair(today.year(), today.month()));
        window->close();
        flushDeletes();
    }
}

// The title and version come from the build.
TEST_F(OtherWindowsTest, AboutBoxShowsTheBuildTextsAndTheIcon)
{
    const QWidget* window = open<AboutWindow>();
    EXPECT_EQ(child<QLabel>(window, "titleLabel")->text(), QStringLiteral("VKT"));  // the stored trailing blank is gone
    EXPECT_EQ(child<QLabel>(window, "versionLabel")->text(), QStringLiteral("Version %1").arg(kVersion));
    EXPECT_EQ(child<QLabel>(window, "icon")->pixmap().toImage(), windowIcon().pixmap(32, 32).toImage());
}

} // namespace
} // namespace vkt
