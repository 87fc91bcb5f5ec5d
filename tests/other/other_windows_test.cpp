#include "AboutWindow.h"
#include "CalendarWindow.h"
#include "DescriptionWindow.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "WindowLook.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTest>
#include <QToolButton>
#include <functional>

// Readable failures.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
void PrintTo(const QDate& date, std::ostream* os) { *os << date.toString(Qt::ISODate).toStdString(); }

namespace vkt {
namespace {

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

template <class T>
T* child(const QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QLatin1String(name));
    EXPECT_NE(found, nullptr) << name;
    return found;
}

SingleWindow<CalendarWindow> calendarForm;
SingleWindow<DescriptionWindow> descriptionForm;
SingleWindow<AboutWindow> aboutForm;

struct SideWindow {
    const char* name;
    QString caption;
    const char* ok;
    bool keysClose;  // OK is the default and the cancel button
    std::function<QWidget*()> open;  // through the window's single-instance slot
};
void PrintTo(const SideWindow& side, std::ostream* os) { *os << side.name; }
const SideWindow sideWindows[] = {
    {"Form6", "Naptár", "Command61", false, [] { return calendarForm.show([] { return new CalendarWindow; }); }},
    {"Form2", "Program leírása", "Command10", false,
     [] { return descriptionForm.show([] { return new DescriptionWindow; }); }},
    {"frmAbout", "About VKT", "cmdOK", true, [] { return aboutForm.show([] { return new AboutWindow; }); }},
};

// Whatever a test leaves open is closed and gone before the next one.
class OtherWindowsTest : public testing::DataFolderTest {
protected:
    void TearDown() override
    {
        for (QWidget* window : std::initializer_list<QWidget*>{calendarForm.get(), descriptionForm.get(), aboutForm.get()})
            if (window)
                window->close();
        flushDeletes();
        QLocale::setDefault(savedLocale);
        DataFolderTest::TearDown();
    }
    const QLocale savedLocale;
};

class SideWindowTest : public OtherWindowsTest, public ::testing::WithParamInterface<SideWindow> {};

TEST_P(SideWindowTest, OneFixedCentredModelessWindowThatOkDiscards)
{
    const SideWindow& side = GetParam();
    QPointer<QWidget> window = side.open();
    EXPECT_EQ(window->windowTitle(), side.caption);
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(window->frameGeometry().center(), window->screen()->availableGeometry().center());
    EXPECT_EQ(side.open(), window);  // brought to the front, not built again
    QTest::mouseClick(child<QPushButton>(window, side.ok), Qt::LeftButton);
    flushDeletes();
    EXPECT_TRUE(window.isNull());
}

TEST_P(SideWindowTest, EnterAndEscapeCloseOnlyTheAboutBox)
{
    const SideWindow& side = GetParam();
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_A})
        for (bool toWindow : {false, true}) {  // to the focused control, then to the window itself
            QPointer<QWidget> window = side.open();
            EXPECT_EQ(child<QPushButton>(window, side.ok)->isDefault(), side.keysClose);
            QTest::keyClick(toWindow || !window->focusWidget() ? window.data() : window->focusWidget(), key);
            flushDeletes();
            EXPECT_EQ(window.isNull(), side.keysClose && key != Qt::Key_A) << key << ' ' << toWindow;
        }
}

// Each label's text reaches the window's picture as the label paints it alone (no sibling
// covers it), and a wrapped label is tall enough for all its lines.
TEST_P(SideWindowTest, EveryLabelIsReadInFull)
{
    QWidget* window = GetParam().open();
    const QImage whole = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (QLabel* label : window->findChildren<QLabel*>()) {
        SCOPED_TRACE(label->objectName().toStdString());
        EXPECT_GE(label->height(), label->wordWrap() ? label->heightForWidth(label->width()) : 0);
        const QImage alone = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb background = label->palette().color(QPalette::Window).rgb();
        int covered = 0;
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                covered += alone.pixel(x, y) != background
                           && whole.pixel(label->pos() + QPoint(x, y)) != alone.pixel(x, y);
        EXPECT_EQ(covered, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Windows, SideWindowTest, ::testing::ValuesIn(sideWindows),
                         [](const auto& info) { return std::string(info.param.name); });

class CalendarWindowTest : public OtherWindowsTest {
protected:
    void SetUp() override
    {
        OtherWindowsTest::SetUp();
        // A user whose own locale starts the week on Sunday still gets the Hungarian calendar.
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        setNow(QStringLiteral("2027.05.17 10:00:00"));
        open();
    }
    void open()
    {
        window = calendarForm.show([] { return new CalendarWindow; });
        calendar = child<QCalendarWidget>(window, "Calendar1");
    }
    QDate shownMonth() const { return QDate(calendar->yearShown(), calendar->monthShown(), 1); }

    QWidget* window = nullptr;
    QCalendarWidget* calendar = nullptr;
};

TEST_F(CalendarWindowTest, OpensOnTheStoredDateInHungarianEveryTime)
{
    for (int opening : {1, 2}) {
        SCOPED_TRACE(opening);
        EXPECT_EQ(calendar->selectedDate(), QDate(2026, 8, 4));
        EXPECT_EQ(shownMonth(), QDate(2026, 8, 1));
        EXPECT_EQ(child<QToolButton>(calendar, "qt_calendar_monthbutton")->text(), QStringLiteral("augusztus"));
        const QAbstractItemModel* grid = child<QTableView>(calendar, "qt_calendar_calendarview")->model();
        EXPECT_EQ(grid->index(0, grid->columnCount() - 7).data().toString(), QStringLiteral("H"));  // Monday first

        QTest::mouseClick(child<QPushButton>(window, "Command62"), Qt::LeftButton);  // today, then a page on
        calendar->showNextMonth();
        window->close();
        flushDeletes();
        open();
    }
}

TEST_F(CalendarWindowTest, MostSelectsTodayWhateverMonthIsShown)
{
    const std::pair<const char*, QDate> rows[] = {
        {"2026.12.06 22:00:09", QDate(2026, 12, 6)},
        {"2026.03.31 23:59:59", QDate(2026, 3, 31)},  // the time of day plays no part
        {"2027.01.01 00:00:00", QDate(2027, 1, 1)},
        {"2024.02.29 12:00:00", QDate(2024, 2, 29)},
    };
    for (const auto& [now, today] : rows) {
        SCOPED_TRACE(now);
        setNow(QString::fromUtf8(now));
        calendar->setCurrentPage(1999, 5);  // the user has paged far away
        QTest::mouseClick(child<QPushButton>(window, "Command62"), Qt::LeftButton);
        EXPECT_EQ(calendar->selectedDate(), today);
        EXPECT_EQ(shownMonth(), QDate(today.year(), today.month(), 1));
    }
}

TEST_F(OtherWindowsTest, DescriptionPageReadsExactlyAsDesigned)
{
    const QWidget* window = descriptionForm.show([] { return new DescriptionWindow; });
    struct Row {
        const char* name;
        qsizetype length;  // the count the design gives, as a check on the blank runs
        QString text;
    };
    const Row rows[] = {
        {"Label6", 38, "A program használatához néhány tanács:"},
        {"Label7", 123,
         "A legördülő 'Újhold időpontok' listában az időpontok a magyar időszámítás szerint vannak (nyári- téli "
         "isz. korrigálásával!)"},
        {"Label1", 97,
         "1.) a SÁRGA (Utolsó Újhold) gombra kattintva megjelenik a legutolsónak megadott újhold időpontja."},
        {"Label2", 179,
         "2.) a ZÖLD (Utolsó Megfigyelés) gombra kattintva betölti az elmentett utolsó megfigyelési dátumot. Ha "
         "újat adunk meg, a MENTÉS gombbal elmenthetjük, legközelebb már azt tölti be. "},
        {"Label3", 128,
         "3.) a KÉK (Most!) gombra kattintva a pillanatnyi időt-dátumot (a számítógép rendszer idejét) tölti be a "
         "'Megfigyelési idejének'."},
        {"Label5", 173,
         "Újhold időpont választásánál:  a program az aktuális (téli- nyári-) MAGYAR idő szerinti időpontokat "
         "tölti be (átírható, ha kell). A Program NEM számol át az időzónák között!"},
        {"Label4", 245,
         "A ZÖLD vagy a KÉK gombra kattintva az 'Utolsó Újhold' mező tartalmát a program  -ELMENTI-  és a SÁRGA "
         "gombbal legközelebb már azt jeleníti meg!" + QString(25, u' ')
             + "Minden számítás automatikusan elmentődik a   '\\Pic\\szamitott.txt'   file -ba!"},
    };
    for (const Row& row : rows) {
        const QString shown = child<QLabel>(window, row.name)->text();
        EXPECT_EQ(shown, row.text) << row.name;
        EXPECT_EQ(shown.size(), row.length) << row.name;
    }
}

TEST_F(OtherWindowsTest, AboutBoxShowsTheBuildTextsAndTheIcon)
{
    const QWidget* window = aboutForm.show([] { return new AboutWindow; });
    const std::pair<const char*, QString> rows[] = {
        {"lblTitle", "VKT"},  // the stored trailing blank is gone
        {"lblVersion", "Version 1.4.6"},
        {"Label3", "Holdsarló kor és fázis számoló"},
        {"Label1", "(x86  / 32-bit)"},
        {"Label4", "Tarvo Edition"},
    };
    for (const auto& [name, text] : rows)
        EXPECT_EQ(child<QLabel>(window, name)->text(), text) << name;
    // The maker's lines are ours: the project's own name and year.
    EXPECT_TRUE(child<QLabel>(window, "lblDescription")->text().contains(QStringLiteral("2026 a VKT")));
    EXPECT_FALSE(child<QLabel>(window, "Label2")->text().isEmpty());
    const QImage icon = child<QLabel>(window, "picIcon")->pixmap().toImage();
    EXPECT_EQ(icon.size(), QSize(32, 32));
    EXPECT_EQ(icon, windowIcon().pixmap(32, 32).toImage());
}

} // namespace
} // namespace vkt
