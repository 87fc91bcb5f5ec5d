#include "tests/support/TestSupport.h"
#include "tests/support/Widgets.h"
#include "windows/calc/CalculationsWindow.h"
#include "windows/common/DrawnText.h"
#include "windows/common/SingleWindow.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace vkt {
namespace {

class CalculationsWindowTest : public testing::DataFolderTest {
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        window = SingleWindow<CalculationsWindow>().show([] { return new CalculationsWindow; });  // centred
    }
    void TearDown() override
    {
        testing::closeAllWindows();
        DataFolderTest::TearDown();
    }
    template <class T>
    T* control(const QString& name) const
    {
        return testing::child<T>(window, name);
    }
    const std::vector<DrawnText::Line>& drawn() const { return control<DrawnText>({})->lines(); }

    QPointer<CalculationsWindow> window;
};

// In order on one window: Enter in the focused degree box does not convert; a result replaces
// whatever was drawn, in either direction, and a failed conversion warns and leaves the earlier
// result (and the typed text) in place.
TEST_F(CalculationsWindowTest, ConversionsShowOneResultAndFailuresKeepIt)
{
    QLineEdit* degrees = control<QLineEdit>("degreesField");
    EXPECT_EQ(window->focusWidget(), degrees);
    QTest::keyClicks(degrees, QStringLiteral("1"));
    QTest::keyClick(degrees, Qt::Key_Return);
    EXPECT_TRUE(drawn().empty() && messages->messages.empty());

    const struct {
        int row;  // 1: degrees to mils, 2: mils to degrees
        QString typed;
        QString result;  // empty: the warning
    } steps[] = {
        {1, "", ""},  // nothing drawn yet
        {1, "1", " 16,67"},     {2, "6000", " 360,00"}, {1, "360", " 6000,00"}, {1, "-10", " -166,67"},
        {2, "3000", " 180,00"}, {1, "0,5", " 8,33"},    {2, "-999999", " -5999,94"},
        {1, "1234567", " 2057600,41"},  // six characters; the rounded factor 16.66667, not 6000/360
        {2, "-0,01", " 0,00"},          // no minus before zero
        {1, "", ""},            {2, "abc", ""},
        {1, "9e307", ""},  // the product leaves the double range
        {2, "1e-400", " 0,00"},  // below the double range: zero
    };
    const char* const fields[] = {"degreesField", "milsField"};
    const char* const buttons[] = {"degreesToMilsButton", "milsToDegreesButton"};
    QStringList shown;
    for (const auto& step : steps) {
        SCOPED_TRACE(QStringLiteral("row %1: %2").arg(step.row).arg(step.typed).toStdString());
        messages->messages.clear();
        QLineEdit* box = control<QLineEdit>(fields[step.row - 1]);
        box->clear();
        QTest::keyClicks(box, step.typed);
        QTest::mouseClick(control<QPushButton>(buttons[step.row - 1]), Qt::LeftButton);
        if (!step.result.isEmpty())
            shown = {QStringLiteral("3400 %1|%2").arg(step.row == 1 ? 1080 : 2650).arg(step.result)};
        QStringList lines;
        for (const DrawnText::Line& line : drawn())
            lines << QStringLiteral("%1 %2|%3").arg(line.leftTwips).arg(line.topTwips).arg(line.text);
        EXPECT_EQ(lines, shown);
        EXPECT_EQ(box->text(), step.typed.left(6));
        EXPECT_EQ(messages->messages.size(), size_t(step.result.isEmpty()));
        for (const auto& m : messages->messages)
            EXPECT_TRUE(m.text == "Kérem, VALÓS ADATOT adjon meg!" && m.icon == MessageIcon::Warning);
    }
}

} // namespace
} // namespace vkt
