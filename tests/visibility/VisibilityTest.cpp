#include "astro/CivilTime.h"
#include "tests/support/AccessibleTree.h"
#include "tests/support/TestSupport.h"
#include "tools/almanac/AlmanacLists.h"
#include "windows/visibility/ObservingPlaces.h"
#include "windows/visibility/VisibilityWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSettings>
#include <QTableWidget>
#include <QTest>

namespace vkt::testing {
namespace {

class VisibilityTest : public DataFolderTest {
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        // The user's configuration goes to this test's own folder.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir->path());
    }
    void TearDown() override
    {
        window.reset();
        DataFolderTest::TearDown();
    }
    void open(const QString& field = {})
    {
        window = std::make_unique<VisibilityWindow>(field);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void expectNoMessage() const
    {
        EXPECT_TRUE(messages->messages.empty()) << messages->messages[0].text.toStdString();
    }
    void typePlace(const PlaceInput& p) const
    {
        box(window->placeName, p.name);
        box(window->latitude, p.latitude);
        box(window->longitude, p.longitude);
        box(window->height, p.height);
        QTest::mouseClick(window->apply, Qt::LeftButton);
    }
    static void box(QLineEdit* b, const QString& text)
    {
        b->clear();
        // The test library types ASCII only; other letters come as an input method would put them.
        if (QString::fromLatin1(text.toLatin1()) == text && !text.contains(QRegularExpression(QStringLiteral("[^ -~]"))))
            QTest::keyClicks(b, text);
        else
            b->insert(text);
    }
    QStringList rowCells(int row) const
    {
        QStringList cells;
        for (int c = 0; c < window->table->columnCount(); ++c)
            cells << window->table->item(row, c)->text();
        return cells;
    }
    std::unique_ptr<VisibilityWindow> window;
};

// The almanac's detailed lines of the new moon whose civil time starts them, split by blanks.
std::vector<QStringList> almanacRows(const astro::Place& place, int year, const QString& newMoonText)
{
    const astro::Ephemeris ephemeris;
    const almanac::Almanac a = almanac::computeAlmanac(ephemeris, year, year, place);
    std::vector<QStringList> rows;
    for (const QString& line : a.crescentDetails)
        if (line.startsWith(newMoonText))
            rows.push_back(line.split(QRegularExpression(QStringLiteral(" +"))).mid(2));
    return rows;
}

TEST_F(VisibilityTest, RowsAreTheAlmanacsDetailedLinesAndCopyAsTabSeparatedText)
{
    struct Case {
        const char* field;
        PlaceInput typed;  // empty name: the remembered place, Budapest at first
        const char* newMoon;
    };
    const Case cases[] = {
        {"2026. 03. 19. 03:00", {}, "2026.03.19 02:23"},
        {"2026.08.12 20:00", {QStringLiteral("Tihany"), QStringLiteral("46,91"), QStringLiteral("17.89"), QStringLiteral("150")},
         "2026.08.12 19:37"},
        // A place far south and west, still in Hungarian civil time.
        {"2026.11.09 08:00", {QStringLiteral("Dakar"), QStringLiteral("14,7"), QStringLiteral("-17,45"), QStringLiteral("20")},
         "2026.11.09 08:02"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        open(QString::fromUtf8(c.field));
        if (!c.typed.name.isEmpty())
            typePlace(c.typed);
        expectNoMessage();
        const QString newMoon = QString::fromUtf8(c.newMoon);
        EXPECT_EQ(astro::hungarianTime().text(window->newMoon()), newMoon);
        EXPECT_TRUE(window->newMoonText->text().contains(QStringLiteral("az Utolsó Újhold mezőhöz legközelebbi")));
        const astro::Place place = window->place();
        const int rowCount = window->table->rowCount();
        std::vector<QStringList> shown;
        for (int row = 0; row < rowCount; ++row)
            shown.push_back(rowCells(row));
        const QString copied = [&] {
            QTest::mouseClick(window->copyTable, Qt::LeftButton);
            return QGuiApplication::clipboard()->text();
        }();
        window.reset();  // one ephemeris at a time

        const std::vector<QStringList> expected = almanacRows(place, 2026, newMoon.left(10) + u' ' + newMoon.mid(11));
        ASSERT_EQ(expected.size(), 8u);  // mornings 3..0 and evenings 0..3 all exist here
        ASSERT_EQ(shown.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(shown[i], expected[i]) << i;
        const QStringList lines = copied.split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 9);
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Mikor\tN\tDátum\tNap\tHold\tKésés\tLegjobb")));
        EXPECT_EQ(lines[1], shown[0].join(u'\t'));
        EXPECT_EQ(lines[8], shown[7].join(u'\t'));
    }
}

TEST_F(VisibilityTest, WithoutAValidFieldTheNewMoonNearestNowIsTakenAndSaidSo)
{
    setNow("2026.04.05 12:00");  // nearer the new moon of 17 April than that of 19 March
    for (const char* field : {"", "22:00", "2026.02.30 10:00", "újhold"}) {
        SCOPED_TRACE(field);
        open(QString::fromUtf8(field));
        EXPECT_EQ(astro::hungarianTime().text(window->newMoon()), QStringLiteral("2026.04.17 13:52"));
        EXPECT_TRUE(window->newMoonText->text().contains(QStringLiteral("mostanihoz legközelebbi")));
        window.reset();
    }
}

TEST_F(VisibilityTest, InvalidPlaceGetsAMessageAndChangesNothing)
{
    open("2026.03.19 03:00");
    const QString before = window->tableText();
    const PlaceInput good = placeInput(window->place());
    struct Case {
        PlaceInput input;
        const char* says;
    };
    const Case cases[] = {
        {{"", good.latitude, good.longitude, good.height}, "nevét"},
        {{good.name, "90,5", good.longitude, good.height}, "szélesség"},
        {{good.name, "47°", good.longitude, good.height}, "szélesség"},
        {{good.name, good.latitude, "-180,01", good.height}, "hosszúság"},
        {{good.name, good.latitude, "", good.height}, "hosszúság"},
        {{good.name, good.latitude, good.longitude, "9001"}, "magasság"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.input.latitude.toStdString() + " " + c.input.longitude.toStdString());
        typePlace(c.input);
        ASSERT_EQ(messages->messages.size(), 1u);
        EXPECT_EQ(messages->messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(messages->messages[0].text.contains(QString::fromUtf8(c.says))) << messages->messages[0].text.toStdString();
        EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("A hely nem változott.")));
        messages->messages.clear();
        EXPECT_EQ(window->place().name, QStringLiteral("Budapest"));
        EXPECT_EQ(window->tableText(), before);
    }
    EXPECT_EQ(rememberedPlace().name, QStringLiteral("Budapest"));
    EXPECT_FALSE(exists("VKT/vkt.ini"));  // nothing was stored
}

TEST_F(VisibilityTest, PlaceIsRememberedBetweenRunsAndEveryControlIsNamed)
{
    open();
    EXPECT_EQ(window->places->currentText(), QStringLiteral("Budapest"));
    EXPECT_EQ(unnamedControls(window.get()), "");
    EXPECT_LE(window->frameGeometry().width(), 1280);
    EXPECT_LE(window->frameGeometry().height(), 800);

    // Chosen from the drop-down with the keyboard: the fields follow, and the next run starts there.
    window->places->setFocus();
    QTest::keyClick(window->places, Qt::Key_Down);
    EXPECT_EQ(window->placeName->text(), QStringLiteral("Debrecen"));
    EXPECT_EQ(window->place().name, QStringLiteral("Debrecen"));
    window.reset();
    open();
    EXPECT_EQ(window->places->currentText(), QStringLiteral("Debrecen"));
    EXPECT_EQ(window->place().latitude, 47.53);
    EXPECT_TRUE(exists("VKT/vkt.ini"));

    // A typed place with ő and ű in its name, outside the list.
    typePlace({QStringLiteral("Őrszentmiklós-Űrállomás"), QStringLiteral("47,68"), QStringLiteral("19,28"),
               QStringLiteral("187,5")});
    window.reset();
    open();
    EXPECT_EQ(window->placeName->text(), QStringLiteral("Őrszentmiklós-Űrállomás"));
    EXPECT_EQ(window->place().height, 187.5);
    EXPECT_EQ(window->places->currentIndex(), -1);
    EXPECT_TRUE(window->newMoonText->text().contains(QStringLiteral("Őrszentmiklós-Űrállomás (47,68° É, 19,28° K, 188 m)")));
    expectNoMessage();
}

} // namespace
} // namespace vkt::testing
