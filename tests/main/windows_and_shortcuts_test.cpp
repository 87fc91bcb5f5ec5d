#include "MainWindowFixture.h"
#include "MoonMapWindow.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QTest>
#include <QTimer>

namespace vkt {
namespace {

using testing::MainWindowTest;

struct MoonMapTrigger {
    const char* action;  // nullptr: a click on Picture1
    Qt::Key key;
    const char* file;
    QSize size;  // each fixture picture has its own size, so the one shown can be told
};

const MoonMapTrigger kMoonMaps[] = {
    {"hold02", Qt::Key_F2, "Lunar-day02s.gif", {102, 52}},  {"hold03", Qt::Key_F3, "Lunar-day03s.gif", {103, 53}},
    {"hold04", Qt::Key_F4, "Lunar-day04s.gif", {104, 54}},  {"hold05", Qt::Key_F5, "Lunar-day05s.gif", {105, 55}},
    {"hold06", Qt::Key_F6, "Lunar-day06s.gif", {106, 56}},  {"hold07", Qt::Key_F7, "Lunar-day07s.gif", {107, 57}},
    {"hold08", Qt::Key_F8, "Lunar-day08s.gif", {108, 58}},  {"hold09", Qt::Key_F9, "Lunar-day09s.gif", {109, 59}},
    {"hold10", Qt::Key_F11, "Lunar-day10s.gif", {110, 60}}, {"hold11", Qt::Key_F12, "Lunar-day11s.gif", {111, 61}},
    {nullptr, Qt::Key_unknown, "Lunar-map.jpg", {200, 100}},
};

class MoonMapTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeLines(QStringLiteral("ujholdak.txt"), {});
        for (const MoonMapTrigger& t : kMoonMaps) {
            const QString file = QString::fromLatin1(t.file);
            writePicture(file, t.size, QColor(0x60, 0x60, 0x60), file.endsWith(QStringLiteral(".jpg")) ? "JPG" : "PNG");
        }
        openWindow();
    }

    MoonMapWindow* map() const { return window->sideWindows().moonMap(); }
    QSize shown() const { return map() ? map()->picture()->pixmap().size() : QSize(); }
    int moonMapWindows() const
    {
        int n = 0;
        for (QWidget* w : QApplication::topLevelWidgets())
            n += w->objectName() == QStringLiteral("Form3") && w->isVisible();
        return n;
    }
};

TEST_F(MoonMapTest, ShortcutsBelongToTheMainWindow)
{
    activateMain();
    QTest::keyClick(window.get(), Qt::Key_F2);
    ASSERT_NE(map(), nullptr);
    EXPECT_EQ(shown(), QSize(102, 52));

    // Pressed in the moon-map window, F5 does nothing.
    map()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(map()));
    QTest::keyClick(map(), Qt::Key_F5);
    EXPECT_EQ(shown(), QSize(102, 52));

    // Back in the main window every trigger changes the picture of the same window.
    QPointer<MoonMapWindow> first = map();
    activateMain();
    for (const MoonMapTrigger& t : kMoonMaps) {
        SCOPED_TRACE(t.file);
        if (t.action)
            QTest::keyClick(window.get(), t.key);
        else
            clickPicture1();
        EXPECT_EQ(map(), first.data());
        EXPECT_EQ(shown(), t.size);
        EXPECT_EQ(moonMapWindows(), 1);
    }
    EXPECT_TRUE(messages->messages.empty()) << messageTexts().join(u'|').toStdString();
}

TEST_F(MoonMapTest, ClosedWindowIsBuiltAfreshOnTheNextRequest)
{
    action("hold02")->trigger();
    QPointer<MoonMapWindow> first = map();
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    activateMain();
    QTest::keyClick(window.get(), Qt::Key_F3);
    ASSERT_NE(map(), nullptr);
    EXPECT_TRUE(map()->isVisible());
    EXPECT_EQ(shown(), QSize(103, 53));
    EXPECT_EQ(moonMapWindows(), 1);
}

TEST_F(MoonMapTest, FrameAndPictureAreaFollowTheDesign)
{
    action("hold02")->trigger();
    MoonMapWindow& w = *map();
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Hold térképek"));
    EXPECT_EQ(w.size(), QSize(1167, 729));
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_NE(w.minimumSize(), w.maximumSize());  // sizable
    EXPECT_EQ(w.palette().color(QPalette::Window), QColor(0x00, 0x00, 0x00));
    EXPECT_EQ(w.picture()->objectName(), QStringLiteral("Picture3"));
    EXPECT_EQ(w.picture()->geometry(), twipsRect(240, 240, 17055, 15255));
    EXPECT_EQ(w.parentWidget(), nullptr);
    EXPECT_FALSE(w.isModal());

    // A small picture sits unscaled in the top-left corner on black.
    const QImage small = w.grab(QRect(twipsPoint(240, 240), QSize(200, 100))).toImage();
    EXPECT_EQ(small.pixelColor(0, 0), QColor(0x60, 0x60, 0x60));
    EXPECT_EQ(small.pixelColor(101, 51), QColor(0x60, 0x60, 0x60));
    EXPECT_EQ(small.pixelColor(103, 20), QColor(0x00, 0x00, 0x00));
    EXPECT_EQ(small.pixelColor(20, 53), QColor(0x00, 0x00, 0x00));

    // A large one is cut off, never shrunk; the window keeps its size.
    writePicture(QStringLiteral("Lunar-day04s.gif"), QSize(2000, 1500), QColor(0x60, 0x60, 0x60));
    action("hold04")->trigger();
    EXPECT_EQ(shown(), QSize(2000, 1500));
    EXPECT_EQ(w.size(), QSize(1167, 729));
    EXPECT_EQ(w.picture()->geometry(), twipsRect(240, 240, 17055, 15255));
    const QImage large = w.grab().toImage();
    EXPECT_EQ(large.pixelColor(1150, 720), QColor(0x60, 0x60, 0x60));
    EXPECT_EQ(large.pixelColor(8, 8), QColor(0x00, 0x00, 0x00));
}

TEST_F(MoonMapTest, MissingPictureIsNamedWithTheWindowShown)
{
    action("hold02")->trigger();
    QFile::remove(path(QStringLiteral("Lunar-day06s.gif")));
    action("hold06")->trigger();
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("Lunar-day06s.gif")));
    EXPECT_TRUE(map()->isVisible());
    EXPECT_EQ(shown(), QSize(102, 52));  // the previous picture stays

    map()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    messages->messages.clear();
    action("hold06")->trigger();  // first opening: the window shows, empty
    ASSERT_EQ(messages->messages.size(), 1u);
    ASSERT_NE(map(), nullptr);
    EXPECT_TRUE(map()->isVisible());
    EXPECT_TRUE(map()->picture()->pixmap().isNull());
}

struct SideWindowItem {
    const char* action;
    const char* window;
};

const SideWindowItem kSideWindows[] = {
    {"jegyzetek", "Form8"},      {"naplo", "Form10"},  {"naptar1", "Form6"}, {"holdsarlolista", "Form5"},
    {"jelensegnaptar", "Form7"}, {"holdfogyi", "Form12"}, {"venusz", "Form9"}, {"vonas", "Form4"},
    {"prog", "frmAbout"},        {"leir", "Form2"},
};

class SideWindowsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeLines(QStringLiteral("ujholdak.txt"), {});
        openWindow();
    }
    QList<QWidget*> shownWindows(const char* name) const
    {
        QList<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QString::fromLatin1(name) && w->isVisible())
                found.append(w);
        return found;
    }
};

TEST_F(SideWindowsTest, EachItemOpensItsWindowOnce)
{
    for (const SideWindowItem& item : kSideWindows) {
        SCOPED_TRACE(item.action);
        action(item.action)->trigger();
        action(item.action)->trigger();
        const QList<QWidget*> found = shownWindows(item.window);
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0]->parentWidget(), nullptr);
        EXPECT_FALSE(found[0]->isModal());
        EXPECT_TRUE(found[0]->testAttribute(Qt::WA_DeleteOnClose));
    }
    EXPECT_TRUE(window->isVisible());  // all of them open beside the main window
}

TEST_F(SideWindowsTest, ShortcutsOpenTheirWindowsOnce)
{
    const struct {
        QKeyCombination key;
        const char* window;
    } shortcuts[] = {
        {Qt::CTRL | Qt::Key_J, "Form8"},
        {Qt::CTRL | Qt::Key_N, "Form6"},
        {Qt::CTRL | Qt::Key_L, "Form2"},
    };
    for (const auto& s : shortcuts) {
        SCOPED_TRACE(s.window);
        for (int i = 0; i < 2; ++i) {
            activateMain();
            QTest::keyClick(window.get(), s.key.key(), s.key.keyboardModifiers());
        }
        EXPECT_EQ(shownWindows(s.window).size(), 1);
    }
}

// "Kilépés" closes only the main window; the program ends with its last window.
TEST_F(SideWindowsTest, KilepesLeavesSideWindowsAndTheProgramEndsWithTheLast)
{
    action("naptar1")->trigger();
    action("hold02")->trigger();  // no picture in this folder: an error box, the window open
    QPointer<QWidget> calendar = shownWindows("Form6").value(0);
    QPointer<QWidget> map = shownWindows("Form3").value(0);
    ASSERT_FALSE(calendar.isNull() || map.isNull());

    // Each step runs from the event loop; a quit after the first step would end the loop
    // before the second one could run.
    bool secondStepRan = false;
    QTimer::singleShot(0, window.get(), [&] {
        activateMain();
        QTest::keyClick(window.get(), Qt::Key_Q, Qt::ControlModifier);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(calendar->isVisible());
        EXPECT_TRUE(map->isVisible());
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                secondStepRan = true;
                if (map)
                    map->close();
                if (calendar)
                    calendar->close();
            },
            Qt::QueuedConnection);
    });
    QTimer watchdog;  // only against a hang: the loop must end on its own
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
    watchdog.start(30000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(secondStepRan);
    // Nothing was asked or saved on the way out.
    EXPECT_EQ(messages->messages.size(), 1u);
    EXPECT_FALSE(exists(QStringLiteral("ujhold.txt")));
}

} // namespace
} // namespace vkt
