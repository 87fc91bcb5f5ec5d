#include "MainWindowFixture.h"
#include "MoonMapWindow.h"
#include "PhasePicture.h"
#include "Twips.h"

#include <QLabel>
#include <QTimer>

namespace vkt {
namespace {

using testing::kPictureGrey;
using testing::MainWindowTest;

struct MoonMapTrigger {
    QKeyCombination key;  // Qt::Key_unknown: a click on Picture1
    const char* file;
    QSize size;  // each picture has its own size, so the one shown can be told
};

const MoonMapTrigger kMoonMaps[] = {
    {Qt::Key_F2, "Lunar-day02s.gif", {102, 52}},  {Qt::Key_F3, "Lunar-day03s.gif", {103, 53}},
    {Qt::Key_F4, "Lunar-day04s.gif", {104, 54}},  {Qt::Key_F5, "Lunar-day05s.gif", {105, 55}},
    {Qt::Key_F6, "Lunar-day06s.gif", {106, 56}},  {Qt::Key_F7, "Lunar-day07s.gif", {107, 57}},
    {Qt::Key_F8, "Lunar-day08s.gif", {108, 58}},  {Qt::Key_F9, "Lunar-day09s.gif", {109, 59}},
    {Qt::Key_F11, "Lunar-day10s.gif", {110, 60}}, {Qt::Key_F12, "Lunar-day11s.gif", {111, 61}},
    {Qt::Key_unknown, "Lunar-map.jpg", {200, 100}},
};

class MoonMapTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        for (const MoonMapTrigger& t : kMoonMaps)
            writePicture(QString::fromLatin1(t.file), t.size);
    }
    MoonMapWindow* map() const { return window->sideWindows().moonMap(); }
    QSize shown() const { return map() ? map()->picture()->pixmap().size() : QSize(); }
};

TEST_F(MoonMapTest, OneWindowShowsEveryPictureUnscaledAndNamesAMissingOne)
{
    press(Qt::Key_F12);
    QPointer<MoonMapWindow> first = map();
    ASSERT_NE(map(), nullptr);
    // Drawn unscaled from the top-left corner of Picture3, on black.
    const QImage image = map()->grab(QRect(twipsPoint(240, 240), QSize(200, 100))).toImage();
    EXPECT_EQ(image.pixelColor(110, 60), kPictureGrey);
    EXPECT_EQ(image.pixelColor(112, 20), QColor(0x00, 0x00, 0x00));
    EXPECT_EQ(image.pixelColor(20, 62), QColor(0x00, 0x00, 0x00));

    for (const MoonMapTrigger& t : kMoonMaps) {
        SCOPED_TRACE(t.file);
        if (t.key.key() != Qt::Key_unknown)
            press(t.key);
        else
            QTest::mouseClick(area().Picture1, Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(map(), first.data());
        EXPECT_EQ(shown(), t.size);
        EXPECT_EQ(shownWindows("Form3").size(), 1);
    }
    expectNoMessage();

    QFile::remove(path(QStringLiteral("Lunar-day06s.gif")));
    press(Qt::Key_F6);
    expectOneMessage(MessageIcon::Error, QStringLiteral("Lunar-day06s.gif"), false);
    EXPECT_TRUE(map()->isVisible());
    EXPECT_EQ(shown(), QSize(200, 100));  // the previous picture stays

    // Once closed, the window is built afresh; a missing picture leaves it shown and empty.
    map()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    press(Qt::Key_F6);
    expectOneMessage(MessageIcon::Error, QStringLiteral("Lunar-day06s.gif"), false);
    ASSERT_NE(map(), nullptr);
    EXPECT_TRUE(map()->isVisible() && map()->picture()->pixmap().isNull());
    EXPECT_EQ(shownWindows("Form3").size(), 1);
}

TEST_F(MainWindowTest, EachItemOpensItsSideWindowOnce)
{
    const struct {
        const char* action;
        const char* window;
        QKeyCombination key;  // Qt::Key_unknown: the item has no shortcut
    } items[] = {
        {"jegyzetek", "Form8", Qt::CTRL | Qt::Key_J}, {"naplo", "Form10", Qt::Key_unknown},
        {"naptar1", "Form6", Qt::CTRL | Qt::Key_N},   {"holdsarlolista", "Form5", Qt::Key_unknown},
        {"jelensegnaptar", "Form7", Qt::Key_unknown}, {"holdfogyi", "Form12", Qt::Key_unknown},
        {"venusz", "Form9", Qt::Key_unknown},         {"vonas", "Form4", Qt::Key_unknown},
        {"prog", "frmAbout", Qt::Key_unknown},        {"leir", "Form2", Qt::CTRL | Qt::Key_L},
    };
    for (const auto& item : items) {
        SCOPED_TRACE(item.action);
        for (int i = 0; i < 2; ++i) {
            if (item.key.key() != Qt::Key_unknown)
                press(item.key);
            else
                action(item.action)->trigger();
        }
        const QList<QWidget*> found = shownWindows(item.window);
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found[0]->parentWidget(), nullptr);
        EXPECT_FALSE(found[0]->isModal());
        EXPECT_TRUE(found[0]->testAttribute(Qt::WA_DeleteOnClose));
    }

    // F10 is bound to nothing, and the hyphen item does nothing.
    messages->messages.clear();  // the journals are missing here
    const QList<QWidget*> before = QApplication::topLevelWidgets();
    press(Qt::Key_F10);
    action("help1")->trigger();
    EXPECT_EQ(QApplication::topLevelWidgets(), before);
    expectNoMessage();
}

// "Kilépés" closes only the main window; the program ends with its last window.
TEST_F(MainWindowTest, KilepesLeavesSideWindowsAndTheProgramEndsWithTheLast)
{
    action("naptar1")->trigger();
    QPointer<QWidget> calendar = shownWindows("Form6").value(0);
    ASSERT_FALSE(calendar.isNull());
    struct QuitCounter final : QObject {
        int quits = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            quits += event->type() == QEvent::Quit;
            return false;
        }
    } counter;
    qApp->installEventFilter(&counter);
    // The program ends only from its event loop, so each step runs there.
    QTimer::singleShot(0, window.get(), [&] {
        press(Qt::CTRL | Qt::Key_Q);
        EXPECT_FALSE(window->isVisible());
        EXPECT_TRUE(calendar->isVisible());
        QMetaObject::invokeMethod(
            qApp,
            [&] {
                EXPECT_EQ(counter.quits, 0);  // a quit after "Kilépés" would have come first
                if (calendar)
                    calendar->close();
            },
            Qt::QueuedConnection);
    });
    QTimer watchdog;  // only against a hang: the loop must end on its own
    QObject::connect(&watchdog, &QTimer::timeout, qApp, [] { QCoreApplication::exit(2); });
    watchdog.start(30000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(counter.quits, 1);
    expectNoMessage();  // nothing asked or saved on the way out
    EXPECT_FALSE(exists(QStringLiteral("ujhold.txt")));
}

} // namespace
} // namespace vkt
