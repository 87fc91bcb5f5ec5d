#include "AboutWindow.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "Twips.h"
#include "WindowLook.h"
#include "window_test_support.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>

namespace vkt {
namespace {

using testing::flushDeletes;

class AboutWindowTest : public testing::DataFolderTest {
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        window = form.show([] { return new AboutWindow; });
    }
    void TearDown() override
    {
        if (QWidget* open = form.get())
            open->close();
        flushDeletes();
        DataFolderTest::TearDown();
    }
    template <class T>
    T* control(const char* name) const
    {
        auto* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    SingleWindow<AboutWindow> form;
    QWidget* window = nullptr;
};

TEST_F(AboutWindowTest, TextsFromTheBuildAndTheStoredLabels)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("About VKT"));
    struct Row {
        const char* name;
        QString text;
    };
    const Row rows[] = {
        {"lblTitle", "VKT"},  // the stored trailing blank is gone
        {"lblVersion", "Version 1.4.6"},
        {"Label3", "Holdsarló kor és fázis számoló"},
        {"Label1", "(x86  / 32-bit)"},
        {"Label4", "Tarvo Edition"},
    };
    for (const Row& row : rows)
        EXPECT_EQ(control<QLabel>(row.name)->text(), row.text) << row.name;
    // The maker's lines are ours: the project's own name and year.
    EXPECT_TRUE(control<QLabel>("lblDescription")->text().contains(QStringLiteral("2026")));
    EXPECT_TRUE(control<QLabel>("lblDescription")->text().contains(QStringLiteral("VKT")));
    EXPECT_EQ(control<QLabel>("Label2")->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_FALSE(control<QLabel>("Label2")->text().isEmpty());
}

TEST_F(AboutWindowTest, ShowsTheProgramIconAtItsOwnSize)
{
    const QLabel* picIcon = control<QLabel>("picIcon");
    EXPECT_EQ(picIcon->geometry(), QRect(twipsPoint(240, 240), QSize(32, 32)));
    const QPixmap shown = picIcon->pixmap();
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), QSize(32, 32));
    EXPECT_EQ(shown.toImage(), windowIcon().pixmap(32, 32).toImage());
}

TEST_F(AboutWindowTest, OkEnterAndEscapeEachCloseIt)
{
    struct Row {
        const char* name;
        std::function<void(QPushButton*)> press;
    };
    const Row rows[] = {
        {"click", [](QPushButton* ok) { QTest::mouseClick(ok, Qt::LeftButton); }},
        {"Return", [](QPushButton* ok) { QTest::keyClick(ok, Qt::Key_Return); }},
        {"Enter", [](QPushButton* ok) { QTest::keyClick(ok, Qt::Key_Enter); }},
        {"Escape", [](QPushButton* ok) { QTest::keyClick(ok, Qt::Key_Escape); }},
        // With the focus elsewhere the window itself still answers both keys.
        {"Return to the window", [](QPushButton* ok) { QTest::keyClick(ok->window(), Qt::Key_Return); }},
        {"Escape to the window", [](QPushButton* ok) { QTest::keyClick(ok->window(), Qt::Key_Escape); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        QWidget* shown = form.show([] { return new AboutWindow; });
        auto* ok = shown->findChild<QPushButton*>(QStringLiteral("cmdOK"));
        ASSERT_NE(ok, nullptr);
        EXPECT_TRUE(ok->isDefault());
        row.press(ok);
        flushDeletes();
        EXPECT_EQ(form.get(), nullptr);
    }
}

TEST_F(AboutWindowTest, OtherKeysLeaveItOpen)
{
    QTest::keyClick(window, Qt::Key_A);
    QTest::keyClick(window, Qt::Key_Space);  // Space on the window, not on the button
    flushDeletes();
    EXPECT_EQ(form.get(), window);
}

} // namespace
} // namespace vkt
