#include "astro/CivilTime.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "services/FileBytes.h"
#include "tests/support/AccessibleTree.h"
#include "tests/support/TestSupport.h"
#include "tools/almanac/AlmanacLists.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/HorizonChartPanel.h"
#include "windows/visibility/MapPanel.h"
#include "windows/visibility/ObservingPlaces.h"
#include "windows/visibility/PlacePanel.h"
#include "windows/visibility/VisibilityWindow.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSettings>
#include <QTest>
#include <QThreadPool>
#include <QToolTip>
#include <QtConcurrent/QtConcurrentRun>
#include <cerrno>

namespace vkt::testing {
namespace {

using astro::MapEvening;
using astro::MapZone;
using astro::Twilight;

class VisibilityWindowTest : public DataFolderTest {
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
    PlacePanel& places() const { return *window->placePanel; }
    void typePlace(const PlaceInput& p) const
    {
        places().placeNameField->setText(p.name);
        places().latitudeField->setText(p.latitude);
        places().longitudeField->setText(p.longitude);
        places().heightField->setText(p.height);
        QTest::mouseClick(places().applyPlaceButton, Qt::LeftButton);
    }
    std::unique_ptr<VisibilityWindow> window;
};

// The almanac's detailed lines of the new moon whose civil time starts them, split by blanks.
std::vector<QStringList> almanacRows(const astro::Place& place, int year, const QString& newMoonText)
{
    astro::Ephemeris ephemeris;
    const almanac::Almanac a = almanac::computeAlmanac(ephemeris, year, year, place);
    std::vector<QStringList> rows;
    for (const QString& line : a.crescentDetails)
        if (line.startsWith(newMoonText))
            rows.push_back(line.split(QRegularExpression(QStringLiteral(" +"))).mid(2));
    return rows;
}

// The copy reads the table's cells, so the copied lines show both.
TEST_F(VisibilityWindowTest, RowsAreTheAlmanacsDetailedLinesAndCopyAsTabSeparatedText)
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
        EXPECT_EQ(presentation::dateTimeText(presentation::hungarianTime(), window->newMoon()), newMoon);
        EXPECT_TRUE(window->newMoonLabel->text().contains(QStringLiteral("az Utolsó Újhold mezőhöz legközelebbi")));
        const astro::Place place = places().place();
        QTest::mouseClick(window->copyTableButton, Qt::LeftButton);
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
        window.reset();  // one ephemeris at a time

        const std::vector<QStringList> expected = almanacRows(place, 2026, newMoon.left(10) + u' ' + newMoon.mid(11));
        ASSERT_EQ(expected.size(), 8u);  // mornings 3..0 and evenings 0..3 all exist here
        ASSERT_EQ(lines.size(), 9);
        EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Mikor\tN\tDátum\tNap\tHold\tKésés\tLegjobb")));
        for (std::size_t i = 0; i < expected.size(); ++i)
            EXPECT_EQ(lines[int(i) + 1], expected[i].join(u'\t')) << i;
    }
}

TEST_F(VisibilityWindowTest, WithoutAValidFieldTheNewMoonNearestNowIsTakenAndSaidSo)
{
    setNow("2026.04.05 12:00");  // nearer the new moon of 17 April than that of 19 March
    for (const char* field : {"", "22:00", "2026.02.30 10:00"}) {
        SCOPED_TRACE(field);
        open(QString::fromUtf8(field));
        EXPECT_EQ(presentation::dateTimeText(presentation::hungarianTime(), window->newMoon()),
                  QStringLiteral("2026.04.17 13:52"));
        EXPECT_TRUE(window->newMoonLabel->text().contains(QStringLiteral("mostanihoz legközelebbi")));
        window.reset();
    }
}

TEST_F(VisibilityWindowTest, InvalidPlaceGetsAMessageAndChangesNothing)
{
    open("2026.03.19 03:00");
    const QString before = window->crescentTable->text();
    const PlaceInput good = placeInput(places().place());
    struct Case {
        PlaceInput input;
        const char* says;
    };
    const Case cases[] = {
        {{"", good.latitude, good.longitude, good.height}, "nevét"},
        {{good.name, "90,5", good.longitude, good.height}, "szélesség"},
        {{good.name, "47°", good.longitude, good.height}, "szélesség"},
        {{good.name, good.latitude, "-180,01", good.height}, "hosszúság"},
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
        EXPECT_EQ(places().place().name, QStringLiteral("Budapest"));
        EXPECT_EQ(window->crescentTable->text(), before);
    }
    EXPECT_EQ(rememberedPlace().name, QStringLiteral("Budapest"));
    EXPECT_FALSE(exists("VKT/vkt.ini"));  // nothing was stored
}

TEST_F(VisibilityWindowTest, PlaceIsRememberedBetweenRunsAndEveryControlIsNamed)
{
    open();
    EXPECT_EQ(places().placeCombo->currentText(), QStringLiteral("Budapest"));
    EXPECT_EQ(unnamedControls(window.get()), "");
    EXPECT_LE(window->frameGeometry().width(), 1280);
    EXPECT_LE(window->frameGeometry().height(), 800);

    // Chosen from the drop-down with the keyboard: the fields follow, and the next run starts there.
    places().placeCombo->setFocus();
    QTest::keyClick(places().placeCombo, Qt::Key_Down);
    EXPECT_EQ(places().placeNameField->text(), QStringLiteral("Debrecen"));
    EXPECT_EQ(places().place().name, QStringLiteral("Debrecen"));
    window.reset();
    open();
    EXPECT_EQ(places().placeCombo->currentText(), QStringLiteral("Debrecen"));
    EXPECT_EQ(places().place().latitude, 47.53);
    EXPECT_TRUE(exists("VKT/vkt.ini"));

    // A typed place with ő and ű in its name, outside the list.
    typePlace({QStringLiteral("Őrszentmiklós-Űrállomás"), QStringLiteral("47,68"), QStringLiteral("19,28"),
               QStringLiteral("187,5")});
    window.reset();
    open();
    EXPECT_EQ(places().placeNameField->text(), QStringLiteral("Őrszentmiklós-Űrállomás"));
    EXPECT_EQ(places().place().height, 187.5);
    EXPECT_EQ(places().placeCombo->currentIndex(), -1);
    EXPECT_TRUE(window->newMoonLabel->text().contains(QStringLiteral("Őrszentmiklós-Űrállomás (47,68° É, 19,28° K, 188 m)")));
    expectNoMessage();
}

TEST_F(VisibilityWindowTest, ChartIsSavedAsShownNothingWhenCancelledAndTheOldFileKeptOnAFault)
{
    open("2026.03.19 03:00");
    const QString file = path("horizont.png");
    QString offered;
    window->askFileName = [&](const QString& suggested) {
        offered = suggested;
        return QString();
    };
    QTest::mouseClick(window->saveChartButton, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(file));

    // A failed write is reported and leaves the earlier file whole.
    writeBytes("horizont.png", "earlier");
    window->askFileName = [&](const QString&) { return file; };
    setWriteFault(WriteFault{WriteStep::Write, ENOSPC, 10});
    QTest::mouseClick(window->saveChartButton, Qt::LeftButton);
    setWriteFault(std::nullopt);
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(readBytes("horizont.png"), QByteArray("earlier"));

    QTest::mouseClick(window->saveChartButton, Qt::LeftButton);
    const QImage saved(file);
    ASSERT_FALSE(saved.isNull());
    // The first evening with a crescent, as shown beside the table.
    const astro::CrescentEvening* selected = window->crescentTable->selected();
    ASSERT_NE(selected, nullptr);
    EXPECT_EQ(offered, QStringLiteral("horizont-%1.png")
                           .arg(presentation::dateText(presentation::hungarianTime(), selected->sunEvent)));
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
              window->chartPicture->pixmap().toImage().convertToFormat(QImage::Format_RGB32));
}

// The map follows the selected row in the background: a selection made while the previous map
// is still waiting cancels it, and only the new evening's map is shown and saved.
TEST_F(VisibilityWindowTest, NewSelectionCancelsTheRunningMapAndTheFineMapIsShownAndSaved)
{
    // Every worker busy, so the first evening's map cannot start before it is cancelled.
    QThreadPool* pool = QThreadPool::globalInstance();
    QSemaphore release;
    std::vector<QFuture<void>> blockers;
    for (int i = 0; i < pool->maxThreadCount(); ++i)
        blockers.push_back(QtConcurrent::run([&release] { release.acquire(); }));

    open("2026.03.19 03:00");
    CrescentTablePanel& table = *window->crescentTable;
    MapPanel& map = *window->mapPicture;
    QFuture<astro::VisibilityMap> first = map.computation();
    ASSERT_NE(table.selected(), nullptr);
    const int row = table.currentRow() + 1;  // the evening after
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualRect(table.model()->index(row, 3)).center());
    ASSERT_EQ(table.currentRow(), row);
    EXPECT_TRUE(first.isCanceled());
    release.release(int(blockers.size()));
    for (QFuture<void>& b : blockers)
        b.waitForFinished();

    ASSERT_TRUE(QTest::qWaitFor([&] { return map.shown() && map.shown()->cellDegrees == 1; }));
    first.waitForFinished();
    EXPECT_EQ(first.resultCount(), 0);
    const astro::VisibilityMap& shown = *map.shown();
    EXPECT_EQ(shown.evening, (MapEvening{QDate(2026, 3, 20), Twilight::Evening}));
    EXPECT_TRUE(shown.complete);
    EXPECT_EQ(shown.zone(0, 0), MapZone::None);  // no sunset at the north pole in March
    EXPECT_EQ(shown.at(47.5, 19.05), MapZone(int(table.selected()->yallop)));
    EXPECT_EQ(map.accessibleDescription(),
              QStringLiteral("Yallop-zónák 2026.03.20 este a Föld minden pontján; Budapest zónája: A."));
    // The pointer over a place tells its zone: a pixel is 0,6° on the 600-pixel map.
    const auto tipAt = [&](QPoint point) {
        QHelpEvent help(QEvent::ToolTip, point, map.mapToGlobal(point));
        QApplication::sendEvent(&map, &help);
        return QToolTip::text();
    };
    EXPECT_EQ(tipAt(QPoint(330, 70)), QStringLiteral("48,0° É, 18,0° K: A: könnyen látható"));
    EXPECT_EQ(tipAt(QPoint(50, 250)), QStringLiteral("60,0° D, 150,0° Ny: nincs holdsarló"));
    const QString file = path("terkep.png");
    QString offered;
    window->askFileName = [&](const QString& suggested) {
        offered = suggested;
        return file;
    };
    QTest::mouseClick(window->saveMapButton, Qt::LeftButton);
    EXPECT_EQ(offered, QStringLiteral("terkep-2026.03.20.png"));
    const QImage saved(file);
    ASSERT_FALSE(saved.isNull());
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32), map.pixmap().toImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(VisibilityWindowTest, APlaceWithoutEveningsLeavesNoChartOrMapOfAnotherPlace)
{
    open("2026.06.15 04:00");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->mapPicture->shown() != nullptr; }));
    // The midnight sun: no sunset, no sunrise, no row.
    typePlace({QStringLiteral("Longyearbyen"), QStringLiteral("78,22"), QStringLiteral("15,65"), QStringLiteral("100")});
    EXPECT_EQ(window->crescentTable->rowCount(), 0);
    EXPECT_TRUE(window->chartPicture->pixmap().isNull());
    EXPECT_TRUE(window->mapPicture->pixmap().isNull());
    EXPECT_EQ(window->mapPicture->accessibleDescription(), QStringLiteral("Nincs kijelölt este vagy reggel."));
}

} // namespace
} // namespace vkt::testing
