#include "CalculationsWindow.h"
#include "DrawnText.h"
#include "SingleWindow.h"
#include "TestSupport.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <optional>

// Readable failures.
void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace vkt {
namespace {

const QString Warning = QStringLiteral("Kérem, VALÓS ADATOT adjon meg!");

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class CalculationsWindowTest : public testing::DataFolderTest {
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        open();
    }
    void TearDown() override
    {
        if (QWidget* window = form.get())
            window->close();
        flushDeletes();
        DataFolderTest::TearDown();
    }
    void open()
    {
        window = form.show([] { return new CalculationsWindow; });
        drawing = window->findChild<DrawnText*>();
        ASSERT_NE(drawing, nullptr);
    }
    template <class T>
    T* control(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Types into a box as a user would and presses its "Számítás" button.
    void convert(bool degrees, const QString& typed)
    {
        QLineEdit* box = control<QLineEdit>(degrees ? "Text41" : "Text42");
        box->clear();
        QTest::keyClicks(box, typed);
        QTest::mouseClick(control<QPushButton>(degrees ? "Command41" : "Command42"), Qt::LeftButton);
    }
    // Each drawn line as "left top|text", in twips.
    std::vector<std::string> drawn() const
    {
        std::vector<std::string> lines;
        for (const DrawnText::Line& line : drawing->lines())
            lines.push_back(QStringLiteral("%1 %2|%3").arg(line.leftTwips).arg(line.topTwips).arg(line.text).toStdString());
        return lines;
    }
    SingleWindow<CalculationsWindow> form;
    CalculationsWindow* window = nullptr;
    DrawnText* drawing = nullptr;
};

// Run in order on one window: a result replaces whatever was drawn, in either direction, and a
// failed conversion warns and leaves the earlier result (and the typed text) in place.
TEST_F(CalculationsWindowTest, ConversionsShowOneResultAndFailuresKeepIt)
{
    struct Row {
        bool degrees;  // Text41 and Command41, else Text42 and Command42
        QString typed;
        std::optional<QString> result;  // nothing: the warning
    };
    const Row rows[] = {
        {true, "", std::nullopt},  // nothing drawn yet
        {true, "1", " 16,67"},
        {false, "6000", " 360,00"},
        {true, "360", " 6000,00"},
        {true, "-10", " -166,67"},
        {false, "3000", " 180,00"},
        {true, "0,5", " 8,33"},
        {true, "999999", " 16666653,33"},  // the rounded factor 16.66667, not 6000/360
        {false, "-99999", " -5999,94"},    // the widest a box holds
        {false, "-0,01", " 0,00"},         // no minus before zero
        {true, "", std::nullopt},
        {false, "abc", std::nullopt},
        {true, "9e307", std::nullopt},  // the product leaves the double range
        {true, "-9e307", std::nullopt},
    };
    std::vector<std::string> shown;
    for (const Row& row : rows) {
        SCOPED_TRACE((row.degrees ? "degrees: " : "mils: ") + row.typed.toStdString());
        messages->messages.clear();
        convert(row.degrees, row.typed);
        if (row.result)
            shown = {(QStringLiteral("3400 %1|").arg(row.degrees ? 1080 : 2650) + *row.result).toStdString()};
        EXPECT_EQ(drawn(), shown);
        EXPECT_EQ(messages->messages.size(), row.result ? 0u : 1u);
        for (const auto& m : messages->messages)
            EXPECT_TRUE(m.text == Warning && m.icon == MessageIcon::Warning);
        EXPECT_EQ(control<QLineEdit>(row.degrees ? "Text41" : "Text42")->text(), row.typed);
    }
}

TEST_F(CalculationsWindowTest, TextsAndSixCharacterBoxes)
{
    const std::pair<const char*, QString> labels[] = {
        {"Label41", "Fok -  Vonás átszámítás:"},
        {"Label42", "fok  ="},
        {"Label43", "vonás"},
        {"Label45", "Vonás - Fok átszámítás:"},
        {"Label46", "vonás =  "},
        {"Label47", "fok"},
        {"Label48", "A tüzérségben és a navigációban használt 6000 egységre osztott kör (ún. tüzérségi kör) olyan "
                    "szögmértékegység, amely a teljes kört 360 fok helyett 6000 egységre osztja fel."},
    };
    for (const auto& [name, text] : labels)
        EXPECT_EQ(control<QLabel>(name)->text(), text) << name;
    EXPECT_EQ(control<QPushButton>("Command41")->text(), QStringLiteral("Számítás"));
    EXPECT_EQ(control<QPushButton>("Command42")->text(), QStringLiteral("Számítás"));
    for (const char* box : {"Text41", "Text42"}) {
        QTest::keyClicks(control<QLineEdit>(box), QStringLiteral("1234567"));
        EXPECT_EQ(control<QLineEdit>(box)->text(), QStringLiteral("123456")) << box;
    }
}

TEST_F(CalculationsWindowTest, OneFixedCentredModelessWindowThatKeysLeaveOpenAndOkDiscards)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Számítások"));
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint));
    EXPECT_EQ(window->frameGeometry().center(), window->screen()->availableGeometry().center());

    // Enter and Esc in the focused degree box neither convert nor close.
    QLineEdit* degrees = control<QLineEdit>("Text41");
    EXPECT_EQ(window->focusWidget(), degrees);
    QTest::keyClicks(degrees, QStringLiteral("1"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
        QTest::keyClick(degrees, key);
    flushDeletes();
    ASSERT_EQ(form.get(), window);
    EXPECT_TRUE(drawing->lines().empty());
    EXPECT_TRUE(messages->messages.empty());

    convert(true, "1");
    EXPECT_EQ(form.show([] { return new CalculationsWindow; }), window);  // brought to the front, unchanged
    EXPECT_EQ(drawing->lines().size(), 1u);

    QTest::mouseClick(control<QPushButton>("Command499"), Qt::LeftButton);
    flushDeletes();
    EXPECT_EQ(form.get(), nullptr);
    open();  // built afresh: empty boxes, nothing drawn
    EXPECT_TRUE(control<QLineEdit>("Text41")->text().isEmpty());
    EXPECT_TRUE(drawing->lines().empty());
}

} // namespace
} // namespace vkt
