#include "CalculationsWindow.h"
#include "DrawnText.h"
#include "MilConversion.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "WindowLook.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>
#include <optional>

namespace vkt {
namespace {

// One QApplication for the whole run, with the program's look, as the program has it.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "calc_tests";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        applyProgramLook(*app);
    }
    void TearDown() override { app.reset(); }

private:
    std::unique_ptr<QApplication> app;
};
const auto* const guiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

const QString Warning = QStringLiteral("Kérem, VALÓS ADATOT adjon meg!");

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
    static void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    template <class T>
    T* control(const char* name) const
    {
        T* found = window->findChild<T*>(QLatin1String(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    // Types into the box as a user would and presses its "Számítás" button.
    void convert(const char* box, const char* button, const QString& typed)
    {
        QLineEdit* input = control<QLineEdit>(box);
        input->clear();
        QTest::keyClicks(input, typed);
        QTest::mouseClick(control<QPushButton>(button), Qt::LeftButton);
    }
    void convertDegrees(const QString& typed) { convert("Text41", "Command41", typed); }
    void convertMils(const QString& typed) { convert("Text42", "Command42", typed); }

    std::vector<QString> warnings() const
    {
        std::vector<QString> texts;
        for (const auto& m : messages->messages) {
            EXPECT_EQ(m.icon, MessageIcon::Warning);
            texts.push_back(m.text);
        }
        return texts;
    }

    SingleWindow<CalculationsWindow> form;
    CalculationsWindow* window = nullptr;
    DrawnText* drawing = nullptr;
};

struct DrawnLine {
    int left;
    int top;
    QString text;
    bool operator==(const DrawnLine&) const = default;
};

std::vector<DrawnLine> linesOf(const DrawnText* drawing)
{
    std::vector<DrawnLine> lines;
    for (const auto& line : drawing->lines())
        lines.push_back({line.leftTwips, line.topTwips, line.text});
    return lines;
}

void PrintTo(const DrawnLine& line, std::ostream* os)
{
    *os << "(" << line.left << ", " << line.top << ", \"" << line.text.toStdString() << "\")";
}

TEST(MilConversion, FactorIsTheRoundedConstantNotTheExactRatio)
{
    EXPECT_EQ(MilsPerDegree, 16.66667);
    EXPECT_NEAR(*DegreesToMils(360), 6000.0012, 1e-9);
    EXPECT_NEAR(*MilsToDegrees(6000), 359.999928, 1e-6);
    EXPECT_FALSE(DegreesToMils(9e307).has_value());
    EXPECT_FALSE(DegreesToMils(-9e307).has_value());
    EXPECT_TRUE(DegreesToMils(1.0786e307).has_value());  // just inside the double range
    EXPECT_TRUE(MilsToDegrees(1.7e308).has_value());
}

TEST_F(CalculationsWindowTest, ConversionTable)
{
    struct Row {
        const char* name;
        bool degrees;  // Text41 and Command41, else Text42 and Command42
        QString typed;
        std::optional<QString> drawn;  // nothing: the warning, and nothing drawn
    };
    const Row rows[] = {
        {"one degree", true, "1", " 16,67"},
        {"full turn in degrees", true, "360", " 6000,00"},
        {"negative degrees", true, "-10", " -166,67"},
        {"beyond a turn", true, "720", " 12000,00"},
        {"Hungarian decimal comma", true, "0,5", " 8,33"},
        {"decimal point", true, "0.5", " 8,33"},
        {"blanks around", true, " 2 ", " 33,33"},
        {"zero", true, "0", " 0,00"},
        {"full turn in mils", false, "6000", " 360,00"},
        {"one mil", false, "1", " 0,06"},
        {"half turn in mils", false, "3000", " 180,00"},
        {"negative mils", false, "-3000", " -180,00"},
        {"tiny negative rounds to plain zero", false, "-0,01", " 0,00"},
        {"empty degree box", true, "", std::nullopt},
        {"empty mil box", false, "", std::nullopt},
        {"blanks only", true, "   ", std::nullopt},
        {"letters", true, "abc", std::nullopt},
        {"letters after digits", false, "12a", std::nullopt},
        {"two separators", true, "1,2,3", std::nullopt},
        {"product beyond the double range", true, "9e307", std::nullopt},
        {"number beyond the double range", false, "1e309", std::nullopt},
        {"infinity spelled out", true, "inf", std::nullopt},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        drawing->clearDrawing();
        messages->messages.clear();
        row.degrees ? convertDegrees(row.typed) : convertMils(row.typed);
        if (row.drawn) {
            EXPECT_TRUE(messages->messages.empty());
            const DrawnLine expected{3400, row.degrees ? 1080 : 2650, *row.drawn};
            EXPECT_EQ(linesOf(drawing), std::vector<DrawnLine>{expected});
        } else {
            EXPECT_EQ(warnings(), std::vector<QString>{Warning});
            EXPECT_TRUE(drawing->lines().empty());
            // The box keeps what the user typed, to be corrected.
            EXPECT_EQ(control<QLineEdit>(row.degrees ? "Text41" : "Text42")->text(), row.typed);
        }
    }
}

TEST_F(CalculationsWindowTest, AConversionErasesTheResultOfTheOtherDirection)
{
    convertDegrees("1");
    convertMils("6000");
    EXPECT_EQ(linesOf(drawing), (std::vector<DrawnLine>{{3400, 2650, " 360,00"}}));

    convertDegrees("360");
    EXPECT_EQ(linesOf(drawing), (std::vector<DrawnLine>{{3400, 1080, " 6000,00"}}));

    convertDegrees("1");  // the same direction again replaces, never stacks
    EXPECT_EQ(linesOf(drawing), (std::vector<DrawnLine>{{3400, 1080, " 16,67"}}));
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(CalculationsWindowTest, AFailedConversionLeavesTheEarlierResult)
{
    convertDegrees("1");
    convertMils("abc");
    convertDegrees("");
    convertDegrees("9e307");
    EXPECT_EQ(warnings(), (std::vector<QString>{Warning, Warning, Warning}));
    EXPECT_EQ(linesOf(drawing), (std::vector<DrawnLine>{{3400, 1080, " 16,67"}}));
    EXPECT_EQ(control<QLineEdit>("Text42")->text(), QStringLiteral("abc"));
}

TEST_F(CalculationsWindowTest, InputBoxesTakeSixCharacters)
{
    for (const char* box : {"Text41", "Text42"}) {
        SCOPED_TRACE(box);
        QLineEdit* input = control<QLineEdit>(box);
        QTest::keyClicks(input, QStringLiteral("1234567"));
        EXPECT_EQ(input->text(), QStringLiteral("123456"));
    }
    convertMils("-99999");  // the widest a box can hold still converts
    EXPECT_EQ(linesOf(drawing), (std::vector<DrawnLine>{{3400, 2650, " -5999,94"}}));
}

TEST_F(CalculationsWindowTest, EnterAndEscapeDoNothing)
{
    QLineEdit* degrees = control<QLineEdit>("Text41");
    QTest::keyClicks(degrees, QStringLiteral("1"));
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(degrees, key);
        flushDeletes();
        ASSERT_EQ(form.get(), window);
        EXPECT_TRUE(window->isVisible());
    }
    EXPECT_TRUE(drawing->lines().empty());
    EXPECT_TRUE(messages->messages.empty());
    for (const char* name : {"Command41", "Command42", "Command499"})
        EXPECT_FALSE(control<QPushButton>(name)->isDefault()) << name;
}

TEST_F(CalculationsWindowTest, TabOrderStartsAtTheDegreeBox)
{
    EXPECT_EQ(window->focusWidget(), control<QLineEdit>("Text41"));
    const char* order[] = {"Text41", "Command41", "Text42", "Command42", "Command499"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        EXPECT_EQ(control<QWidget>(order[i])->nextInFocusChain(), control<QWidget>(order[i + 1])) << order[i];
}

TEST_F(CalculationsWindowTest, LabelsReadAsDesigned)
{
    struct Row {
        const char* name;
        QString text;
        bool underlined;
    };
    const Row rows[] = {
        {"Label41", "Fok -  Vonás átszámítás:", true},
        {"Label42", "fok  =", false},
        {"Label43", "vonás", false},
        {"Label45", "Vonás - Fok átszámítás:", true},
        {"Label46", "vonás =  ", false},
        {"Label47", "fok", false},
        {"Label48",
         "A tüzérségben és a navigációban használt 6000 egységre osztott kör (ún. tüzérségi kör) olyan "
         "szögmértékegység, amely a teljes kört 360 fok helyett 6000 egységre osztja fel.",
         false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const QLabel* label = control<QLabel>(row.name);
        EXPECT_EQ(label->text(), row.text);
        EXPECT_EQ(label->font().underline(), row.underlined);
    }
    for (const char* name : {"Command41", "Command42"})
        EXPECT_EQ(control<QPushButton>(name)->text(), QStringLiteral("Számítás"));
    EXPECT_EQ(control<QPushButton>("Command499")->text(), QStringLiteral("OK"));
}

TEST_F(CalculationsWindowTest, SilverFrameAndLinesOnTheCyanSurface)
{
    const QImage image = window->grab().toImage();
    const QColor silver(0xC0, 0xC0, 0xC0);
    struct Row {
        const char* name;
        QPoint at;
        QColor colour;
    };
    const Row rows[] = {
        {"Shape1 left edge", twipsPoint(240, 3000), silver},
        {"Shape1 bottom edge", QPoint(twips(2000), twips(240) + twips(4815) - 1), silver},
        {"Line1", twipsPoint(4000, 1800), silver},
        {"Line2", twipsPoint(4000, 3360), silver},
        {"right of Line2", twipsPoint(7000, 3360), QColor(0xC0, 0xFF, 0xFF)},
        {"outside the frame", twipsPoint(120, 3000), QColor(0xC0, 0xFF, 0xFF)},
    };
    for (const Row& row : rows)
        EXPECT_EQ(image.pixelColor(row.at), row.colour) << row.name;
}

TEST_F(CalculationsWindowTest, OneFixedModelessWindowWithoutOwner)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("Form4"));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Számítások"));
    EXPECT_EQ(window->parentWidget(), nullptr);
    EXPECT_FALSE(window->isModal());
    EXPECT_EQ(window->minimumSize(), twipsSize(8610, 5970));
    EXPECT_EQ(window->maximumSize(), twipsSize(8610, 5970));
    const Qt::WindowFlags flags = window->windowFlags();
    EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(flags & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_EQ(window->frameGeometry().center(), window->screen()->availableGeometry().center());

    convertDegrees("1");
    EXPECT_EQ(form.show([] { return new CalculationsWindow; }), window);  // brought to the front, unchanged
    EXPECT_EQ(drawing->lines().size(), 1u);
    int shown = 0;
    for (const QWidget* w : QApplication::topLevelWidgets())
        shown += w->objectName() == QStringLiteral("Form4") && w->isVisible();
    EXPECT_EQ(shown, 1);
}

TEST_F(CalculationsWindowTest, OkClosesAndTheNextOpeningStartsEmpty)
{
    convertDegrees("1");
    QTest::mouseClick(control<QPushButton>("Command499"), Qt::LeftButton);
    flushDeletes();
    EXPECT_EQ(form.get(), nullptr);

    open();
    EXPECT_TRUE(control<QLineEdit>("Text41")->text().isEmpty());
    EXPECT_TRUE(control<QLineEdit>("Text42")->text().isEmpty());
    EXPECT_TRUE(drawing->lines().empty());
}

} // namespace
} // namespace vkt
