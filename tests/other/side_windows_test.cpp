#include "AboutWindow.h"
#include "CalendarWindow.h"
#include "DescriptionWindow.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "Twips.h"
#include "window_test_support.h"

#include <QApplication>
#include <QScreen>
#include <functional>

namespace vkt {
namespace {

using testing::flushDeletes;

// What the three windows share: one instance, modeless, no owner, fixed, centred.
struct SideWindow {
    const char* name;
    QString caption;
    QSize client;
    QColor background;
    std::function<QWidget*()> open;       // through the window's single-instance slot
    std::function<QWidget*()> current;
};

SingleWindow<CalendarWindow> calendar;
SingleWindow<DescriptionWindow> description;
SingleWindow<AboutWindow> about;

const SideWindow sideWindows[] = {
    {"Form6", "Naptár", twipsSize(11190, 8355), QColor(0x00, 0x80, 0x00),
     [] { return calendar.show([] { return new CalendarWindow; }); }, [] { return calendar.get(); }},
    {"Form2", "Program leírása", twipsSize(9495, 7590), QColor(0xFF, 0xFF, 0xC0),
     [] { return description.show([] { return new DescriptionWindow; }); }, [] { return description.get(); }},
    {"frmAbout", "About VKT", twipsSize(5730, 4290), QColor(0xC0, 0xFF, 0xFF),
     [] { return about.show([] { return new AboutWindow; }); }, [] { return about.get(); }},
};

class SideWindowTest : public testing::DataFolderTest, public ::testing::WithParamInterface<SideWindow> {
protected:
    void TearDown() override
    {
        if (QWidget* window = GetParam().current())
            window->close();
        flushDeletes();
        DataFolderTest::TearDown();
    }
};

int shownCount(const char* name)
{
    int shown = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        shown += w->objectName() == QLatin1String(name) && w->isVisible();
    return shown;
}

TEST_P(SideWindowTest, FixedModelessCentredWindowWithoutOwner)
{
    const SideWindow& side = GetParam();
    QWidget* window = side.open();
    EXPECT_EQ(window->objectName(), QLatin1String(side.name));
    EXPECT_EQ(window->windowTitle(), side.caption);
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->minimumSize(), side.client);
    EXPECT_EQ(window->maximumSize(), side.client);
    EXPECT_EQ(window->palette().color(QPalette::Window), side.background);
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window->frameGeometry().center(), window->screen()->availableGeometry().center());
}

TEST_P(SideWindowTest, AskedForTwiceIsShownOnce)
{
    const SideWindow& side = GetParam();
    QWidget* first = side.open();
    EXPECT_EQ(side.open(), first);
    EXPECT_EQ(shownCount(side.name), 1);
}

TEST_P(SideWindowTest, TheCloseBoxDiscardsTheWindowAndTheNextRequestBuildsItAfresh)
{
    const SideWindow& side = GetParam();
    side.open()->close();
    flushDeletes();
    EXPECT_EQ(side.current(), nullptr);
    EXPECT_EQ(shownCount(side.name), 0);
    EXPECT_NE(side.open(), nullptr);
    EXPECT_EQ(shownCount(side.name), 1);
}

TEST_P(SideWindowTest, NoLabelHidesAnother)
{
    EXPECT_TRUE(testing::labelsUncovered(GetParam().open()));
}

INSTANTIATE_TEST_SUITE_P(Windows, SideWindowTest, ::testing::ValuesIn(sideWindows),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace vkt
