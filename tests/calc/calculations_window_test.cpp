#include "tests/support/TestSupport.h"
#include "tests/support/Widgets.h"
#include "windows/calc/CalculationsWindow.h"
#include "windows/common/DrawnText.h"
#include "windows/common/SingleWindow.h"

#include <QApplication>
#include <QLabel>
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

// In order on one window: a result replaces whatever was drawn, in either direction, and a
// failed conversion warns and leaves the earlier result (and the typed text) in place.
TEST_F(CalculationsWindowTest, ConversionsShowOneResultAndFailuresKeepIt)
{
    const struct {
        int row;  // 1: degrees to mils (Text41, Command41), 2: mils to degrees (Text42, Command42)
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
    QStringList shown;
    for (const auto& step : steps) {
        SCOPED_TRACE(QStringLiteral("row %1: %2").arg(step.row).arg(step.typed).toStdString());
        messages->messages.clear();
        QLineEdit* box = control<QLineEdit>(QStringLiteral("Text4%1").arg(step.row));
        box->clear();
        QTest::keyClicks(box, step.typed);
        QTest::mouseClick(control<QPushButton>(QStringLiteral("Command4%1").arg(step.row)), Qt::LeftButton);
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

// Its size, place and closing are the side windows' test; here its texts, and Enter in the degree
// box does not convert.
TEST_F(CalculationsWindowTest, ShowsItsTextsAndEnterDoesNotConvert)
{
    const std::pair<const char*, QString> labels[] = {
        {"Label41", "Fok -  Vonás átszámítás:"}, {"Label42", "fok  ="},   {"Label43", "vonás"},
        {"Label45", "Vonás - Fok átszámítás:"},  {"Label46", "vonás =  "}, {"Label47", "fok"},
        {"Label48", "A tüzérségben és a navigációban használt 6000 egységre osztott kör (ún. tüzérségi kör) olyan "
                    "szögmértékegység, amely a teljes kört 360 fok helyett 6000 egységre osztja fel."},
    };
    for (const auto& [name, text] : labels)
        EXPECT_EQ(control<QLabel>(name)->text(), text) << name;
    for (const char* name : {"Text41", "Text42"})  // white boxes on the cyan window
        EXPECT_EQ(control<QLineEdit>(name)->palette().color(QPalette::Base), QColor(0xFF, 0xFF, 0xFF)) << name;
    QLineEdit* degrees = control<QLineEdit>("Text41");
    EXPECT_EQ(window->focusWidget(), degrees);
    QTest::keyClicks(degrees, QStringLiteral("1"));
    QTest::keyClick(degrees, Qt::Key_Return);
    EXPECT_TRUE(drawn().empty() && messages->messages.empty());
}

} // namespace
} // namespace vkt
