#include "astro/YearAhead.h"
#include "presentation/Places.h"
#include "presentation/TimeTexts.h"
#include "services/FileBytes.h"
#include "services/Settings.h"
#include "tests/support/ScreenFit.h"
#include "tests/support/TestSupport.h"
#include "tools/almanac/AlmanacLists.h"
#include "presentation/CrescentRow.h"
#include "presentation/YearAheadRow.h"
#include "windows/visibility/ClassLegend.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/HorizonChartPanel.h"
#include "windows/visibility/MapComputation.h"
#include "windows/visibility/MapPanel.h"
#include "windows/visibility/ObservingPlaces.h"
#include "windows/visibility/PlacePanel.h"
#include "windows/visibility/VisibilityHelp.h"
#include "windows/visibility/VisibilityMapPicture.h"
#include "windows/visibility/VisibilityWindow.h"
#include "windows/visibility/YearAheadPanel.h"
#include "windows/visibility/PanelLook.h"
#include "presentation/CrescentCalendar.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSemaphore>
#include <QSettings>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QPainter>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QProcess>
#include <QTextBrowser>
#include <QTimer>
#include <QThreadPool>
#include <QToolTip>
#include <QtConcurrent/QtConcurrentRun>
#include <QDir>
#include <cerrno>
#include <set>
#include <sys/stat.h>

namespace vkt::testing {
namespace {

using astro::MapEvening;

class VisibilityWindowTest : public DataFolderTest {
protected:
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
    // Opened, shown and given the keyboard.
    void openActive(const QString& field)
    {
        open(field);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    void expectNoMessage() const
    {
        EXPECT_TRUE(messages->messages.empty()) << messages->messages[0].text.toStdString();
    }
    // The button pressed while writing fails: the error said, the earlier file left as it was.
    QString failedSave(QPushButton* button, const QString& name, const WriteFault& fault)
    {
        const QByteArray earlier = readBytes(name);
        setWriteFault(fault);
        QTest::mouseClick(button, Qt::LeftButton);
        setWriteFault(std::nullopt);
        EXPECT_EQ(readBytes(name), earlier);
        return messages->takeOne(MessageIcon::Error);
    }
    PlacePanel& places() const { return *window->placePanel; }
    // The file dialog answered with that file (empty: cancelled); what it offered is kept.
    void answerFileDialog(const QString& file)
    {
        window->askFileName = [this, file](const QString& suggested) { offered = suggested; return file; };
    }
    // Typed into the fields; an empty zone leaves the zone field as it is.
    void typePlace(const PlaceInput& p, const char* zone = "", QPushButton* button = nullptr) const
    {
        places().placeNameField->setText(p.name);
        places().latitudeField->setText(p.latitude);
        places().longitudeField->setText(p.longitude);
        places().heightField->setText(p.height);
        if (*zone)
            places().zoneCombo->setCurrentText(QString::fromUtf8(zone));
        QTest::mouseClick(button ? button : places().applyPlaceButton, Qt::LeftButton);
    }
    QStringList placeNames() const
    {
        QStringList names;
        for (int i = 0; i < places().placeCombo->count(); ++i)
            names << places().placeCombo->itemText(i);
        return names;
    }
    std::unique_ptr<VisibilityWindow> window;
    QString offered;
};

// The pixels of an image that are not the black background: what is written on it.
int writtenPixels(const QImage& image)
{
    int written = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            written += image.pixel(x, y) != qRgb(0, 0, 0);
    return written;
}

// The new moon nearest the field's, or without a valid field the one nearest now. Each place in
// its own zone, as the almanac's --tz lists it. The copy reads the table's cells, so the copied
// lines show both.
TEST_F(VisibilityWindowTest, RowsAreTheAlmanacsDetailedLinesInThePlacesZoneAndCopyAsTabSeparatedText)
{
    setNow("2026.04.05 12:00");  // nearer the new moon of 17 April than that of 19 March
    // The field in Hungarian clock time; the place typed (none: the last one, Budapest at first), its
    // zone; the new moon there.
    const struct { const char* field; PlaceInput typed; const char* zone; const char* newMoon; const char* why; } cases[] = {
        {"2026. 03. 19. 03:00", {}, "", "2026.03.19 02:23", "az Utolsó Újhold mezőhöz legközelebbi"},
        {"", {}, "", "2026.04.17 13:52", "az Utolsó Újhold mező üres vagy érvénytelen: a mostanihoz legközelebbi"},
        {"22:00", {}, "", "2026.04.17 13:52", "mostanihoz"},
        {"2026.02.30 10:00", {}, "", "2026.04.17 13:52", "mostanihoz"},
        {"2026.08.12 20:00", {"Tihany", "46,91", "17.89", "150"}, "Europe/Budapest", "2026.08.12 19:37", "mezőhöz legközelebbi"},
        // Summer time begins in New York a fortnight before Hungary's.
        {"2026.03.19 03:00", {"New York", "40,71", "-74,01", "10"}, "America/New_York", "2026.03.18 21:23", "mezőhöz"},
        {"2026.11.09 08:00", {"Dakar", "14,7", "-17,45", "20"}, "Africa/Dakar", "2026.11.09 07:02", "mezőhöz"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        open(QString::fromUtf8(c.field));
        if (!c.typed.name.isEmpty())
            typePlace(c.typed, c.zone);
        expectNoMessage();
        const astro::Place place = places().place();
        const QString newMoon = QString::fromUtf8(c.newMoon);
        const QString label = window->newMoonLabel->text();
        EXPECT_TRUE(label.startsWith(QStringLiteral("Újhold: %1 (").arg(newMoon)) && label.contains(QString::fromUtf8(c.why))) << label.toStdString();
        EXPECT_TRUE(window->placeLabel->text().endsWith(QStringLiteral("Idők: %1 szerint").arg(QString::fromLatin1(place.timeZone))));
        QTest::mouseClick(window->copyTableButton, Qt::LeftButton);
        const QStringList lines = QGuiApplication::clipboard()->text().split(u'\n', Qt::SkipEmptyParts);
        window.reset();  // one ephemeris at a time

        // The almanac's detailed lines of that new moon, which its civil time starts, tab for blanks.
        astro::Ephemeris ephemeris;
        QStringList expected;
        for (const QString& line : almanac::computeAlmanac(ephemeris, 2026, 2026, place).crescentDetails)
            if (line.startsWith(newMoon.left(10) + u' ' + newMoon.mid(11)))
                expected << line.split(QRegularExpression(QStringLiteral(" +"))).mid(2).join(u'\t');
        ASSERT_EQ(expected.size(), 8);  // mornings 3..0 and evenings 0..3 all exist here
        ASSERT_EQ(lines.size(), 10);
        EXPECT_EQ(lines[0], QStringLiteral("Holdsarló – %1; újhold: %2").arg(presentation::placeText(place), newMoon));
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("Mikor\tN\tDátum\tNap\tHold\tKésés\tLegjobb")));
        EXPECT_EQ(lines.mid(2), expected);
    }
}

TEST_F(VisibilityWindowTest, InvalidPlaceGetsAMessageAndChangesNothing)
{
    open("2026.03.19 03:00");
    const QString before = window->crescentTable->text({});
    const PlaceInput good = placeInput(places().place());
    const struct { PlaceInput input; const char* zone; const char* says; } cases[] = {
        {{"", good.latitude, good.longitude, good.height}, "Europe/Budapest", "nevét"},
        {{good.name, "90,5", good.longitude, good.height}, "Europe/Budapest", "szélesség"},
        {{good.name, good.latitude, "-180,01", good.height}, "Europe/Budapest", "hosszúság"},
        {{good.name, good.latitude, good.longitude, "9001"}, "Europe/Budapest", "magasság"},
        {{good.name, good.latitude, good.longitude, good.height}, "Europe/Budapesti", "Ismeretlen időzóna: „Europe/Budapesti”"},
        {{good.name, good.latitude, good.longitude, good.height}, "Európa/Budapest", "Ismeretlen időzóna"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.says);
        typePlace(c.input, c.zone);
        const QString said = messages->takeOne(MessageIcon::Warning);
        EXPECT_TRUE(said.contains(QString::fromUtf8(c.says))) << said.toStdString();
        EXPECT_TRUE(said.endsWith(QStringLiteral("A hely nem változott.")));
        EXPECT_EQ(places().place().name, QStringLiteral("Budapest"));
        EXPECT_EQ(window->crescentTable->text({}), before);
    }
    EXPECT_FALSE(exists("VKT/vkt.ini"));  // nothing was stored
}

TEST_F(VisibilityWindowTest, PlacesOfOnesOwnAreSavedAndDeletedTheShippedOnesStay)
{
    open();
    EXPECT_FALSE(places().deletePlaceButton->isEnabled());  // Budapest is shipped
    const QStringList shipped = placeNames();

    // Chosen from the drop-down with the keyboard: the fields follow, and the next run starts there.
    places().placeCombo->setFocus();
    QTest::keyClick(places().placeCombo, Qt::Key_Down);
    EXPECT_EQ(places().placeNameField->text(), QStringLiteral("Debrecen"));
    window.reset();
    open();
    EXPECT_EQ(places().placeCombo->currentText(), QStringLiteral("Debrecen"));
    EXPECT_EQ(places().place().latitude, 47.53);

    // A place abroad saved with its zone, and one with ő and ű in its name; saved again under its
    // name, the newer coordinates win.
    typePlace({"Wien", "48,2", "16,37", "170"}, "Europe/Vienna", places().savePlaceButton);
    typePlace({"Őrszentmiklós-Űrállomás", "47,6", "19,28", "187,5"}, "Europe/Budapest", places().savePlaceButton);
    typePlace({"Őrszentmiklós-Űrállomás", "47,68", "19,28", "187,5"}, "", places().savePlaceButton);
    // A shipped place's name is not taken.
    typePlace({"Budapest", "1", "1", "1"}, "", places().savePlaceButton);
    EXPECT_TRUE(messages->takeOne(MessageIcon::Warning).contains(QStringLiteral("„Budapest” név a beépített helyeké")));
    window.reset();
    open();
    EXPECT_EQ(placeNames(), shipped + QStringList({QStringLiteral("Wien"), QStringLiteral("Őrszentmiklós-Űrállomás")}));
    EXPECT_EQ(places().placeCombo->currentText(), QStringLiteral("Őrszentmiklós-Űrállomás"));
    EXPECT_EQ(places().place().latitude, 47.68);
    EXPECT_TRUE(places().deletePlaceButton->isEnabled());
    EXPECT_TRUE(window->placeLabel->text().startsWith(QStringLiteral("Hely: Őrszentmiklós-Űrállomás (47,68° É, 19,28° K, 188 m)")));

    // Deleting asks first; the place in use stays in use, only out of the list.
    places().placeCombo->setCurrentIndex(int(shipped.size()));
    places().placeCombo->activated(int(shipped.size()));
    QTest::mouseClick(places().deletePlaceButton, Qt::LeftButton);
    ASSERT_EQ(messages->questions.size(), 1u);
    EXPECT_EQ(messages->questions[0], QStringLiteral("Törli a saját helyek közül ezt: „Wien”?"));
    EXPECT_EQ(placeNames().size(), shipped.size() + 2);
    messages->nextConfirmation = true;
    QTest::mouseClick(places().deletePlaceButton, Qt::LeftButton);
    EXPECT_EQ(placeNames(), shipped + QStringList(QStringLiteral("Őrszentmiklós-Űrállomás")));
    EXPECT_EQ(places().place().name, QStringLiteral("Wien"));
    EXPECT_EQ(places().placeCombo->currentIndex(), -1);
    EXPECT_FALSE(places().deletePlaceButton->isEnabled());
    window.reset();
    open();
    EXPECT_EQ(placeNames(), shipped + QStringList(QStringLiteral("Őrszentmiklós-Űrállomás")));
    EXPECT_EQ(places().zoneCombo->currentText(), QStringLiteral("Europe/Vienna"));
    expectNoMessage();
}

// What the window remembered before it knew zones is taken over: the place stays, in the zone of
// its nearest known place; so do coordinates typed, unless the user typed a zone.
TEST_F(VisibilityWindowTest, EarlierSettingsAndTypedCoordinatesGetTheZoneOfTheNearestKnownPlace)
{
    // The stored name, latitude, longitude and height; the zone taken and the place shown.
    const struct { const char* stored[4]; const char* zone; const char* shownName; } cases[] = {
        {{"Őriszentpéter", "46.84", "16.42", "250"}, "Europe/Budapest", "Őriszentpéter"},
        {{"Dakar", "14.7", "-17.45", "20"}, "Africa/Dakar", "Dakar"},
        {{"Sehol", "95", "0", "0"}, "Europe/Budapest", "Budapest"},  // not a place: the default
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shownName);
        {
            QSettings earlier(path("VKT/vkt.ini"), QSettings::IniFormat);
            earlier.beginGroup(QStringLiteral("holdsarlo-lathatosag"));
            const char* keys[] = {"nev", "szelesseg", "hosszusag", "magassag"};
            for (int i = 0; i < 4; ++i)
                earlier.setValue(QString::fromLatin1(keys[i]), QString::fromUtf8(c.stored[i]));
        }
        open();
        EXPECT_EQ(places().place().name, QString::fromUtf8(c.shownName));
        EXPECT_EQ(places().place().timeZone, QByteArray(c.zone));
        expectNoMessage();
        window.reset();
    }

    open();
    // The second: Vienna's city is nearer than Budapest's.
    for (const auto& [latitude, longitude, zone] :
         {std::tuple{"14,7", "-17,45", "Africa/Dakar"}, {"47,7", "16,55", "Europe/Budapest"}, {"-33,87", "151,2", "Australia/Sydney"}}) {
        SCOPED_TRACE(zone);
        places().latitudeField->setText(QString::fromUtf8(latitude));
        places().longitudeField->setText(QString::fromUtf8(longitude));
        emit places().longitudeField->editingFinished();
        EXPECT_EQ(places().zoneCombo->currentText(), QString::fromUtf8(zone));
    }
    EXPECT_TRUE(places().zoneHint->text().contains(QStringLiteral("Australia/Sydney")));
    // A zone the user typed is left alone.
    QTest::keyClicks(places().zoneCombo->lineEdit(), QStringLiteral("X"));
    places().zoneCombo->setCurrentText(QStringLiteral("Europe/Lisbon"));
    places().latitudeField->setText(QStringLiteral("14,7"));
    emit places().latitudeField->editingFinished();
    EXPECT_EQ(places().zoneCombo->currentText(), QStringLiteral("Europe/Lisbon"));
    expectNoMessage();
}

// A configuration that cannot be written is said, and the window works on; a FIFO where the file
// should be is not opened (it would wait for a writer for ever).
TEST_F(VisibilityWindowTest, SettingsThatCannotBeKeptAreSaidAndTheWindowWorksOn)
{
    const struct { const char* what; std::function<void()> spoil; const char* saidOnOpening; const char* saidOnChoosing; } cases[] = {
        {"a file where the folder should be", [this] { writeBytes("VKT", "not a folder"); }, "",
         "nem írható. Ezért a hely nem marad meg a következő indításig."},
        {"a FIFO", [this] { ASSERT_TRUE(QDir(dir->path()).mkpath("VKT")); ASSERT_EQ(::mkfifo(qPrintable(path("VKT/vkt.ini")), 0600), 0); },
         "helyén egy FIFO (névvel ellátott csővezeték) van", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(dir->remove());
        dir = std::make_unique<QTemporaryDir>();
        setConfigurationFolder(dir->path());
        c.spoil();
        open("2026.03.19 03:00");
        const auto expectSaid = [&](const char* said) {
            if (*said) {
                EXPECT_TRUE(messages->takeOne(MessageIcon::Warning).contains(QString::fromUtf8(said)));
            }
            expectNoMessage();
        };
        expectSaid(c.saidOnOpening);
        places().placeCombo->activated(1);
        EXPECT_EQ(places().place().name, QStringLiteral("Debrecen"));
        EXPECT_EQ(window->crescentTable->rowCount(), 8);
        expectSaid(c.saidOnChoosing);
        window.reset();
    }
}

// The year ahead of a place abroad, from a few days before now, in its zone: the same rows as the
// year's list for that place, which the almanac's own lists bear out. The calendar holds those,
// with reminders as the check box says (remembered); a double-click opens a new moon.
TEST_F(VisibilityWindowTest, YearAheadIsTheAlmanacsListGoesToTheCalendarAndOpensANewMoon)
{
    setNow("2027.01.04 12:00");
    open("2027.01.07 21:00");
    typePlace({"Lima", "-12,05", "-77,04", "150"}, "America/Lima");
    YearAheadPanel& year = *window->yearTable;
    year.finished();
    ASSERT_EQ(year.rowCount(), 12);
    const astro::CivilZone zone(places().place().timeZone);
    const std::vector<astro::NewMoonOutlook> expected = [&] {
        astro::Ephemeris ephemeris;
        return astro::yearAhead(ephemeris, places().place(), zone.startOfYear(2027));
    }();
    for (int row = 0; row < 12; ++row) {
        const QStringList fields = presentation::yearAheadFields(expected[std::size_t(row)], zone);
        for (int column = 0; column < int(fields.size()); ++column)
            EXPECT_EQ(year.item(row, column)->text(), fields[column]) << row << ", " << column;
        // Coloured like the table of evenings: the Yallop class of the cell.
        EXPECT_EQ(year.item(row, 1)->background().color(), panelLook::classColour(expected[std::size_t(row)].firstEveningYallop->yallop));
    }

    window->tabs->setCurrentWidget(year.parentWidget());
    QApplication::processEvents();  // the page laid out now it is shown
    const QString file = path("naptar.ics");
    answerFileDialog(file);
    const auto counts = [&] {
        const QString text = QString::fromUtf8(readBytes("naptar.ics"));
        return std::pair{int(text.count(u"BEGIN:VEVENT")), int(text.count(u"BEGIN:VALARM"))};
    };
    EXPECT_TRUE(window->alarmCheck->isChecked());
    QTest::mouseClick(window->calendarButton, Qt::LeftButton);
    EXPECT_EQ(offered, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/holdsarlo-Lima.ics"));
    const int crescents = int(presentation::calendarCrescents(year.finished()).size());
    EXPECT_GE(crescents, 22);  // a first evening and a last morning of nearly every new moon
    EXPECT_EQ(counts(), std::pair(crescents, crescents));
    QTest::mouseClick(window->alarmCheck, Qt::LeftButton);
    EXPECT_TRUE(failedSave(window->calendarButton, "naptar.ics", {WriteStep::Flush, ENOSPC}).contains(u"naptar.ics"));

    // A double click as a mouse gives it: a click, then the second press as a double click.
    const QPoint cell = year.visualRect(year.model()->index(2, 0)).center();
    QTest::mouseClick(year.viewport(), Qt::LeftButton, {}, cell);
    QTest::mouseDClick(year.viewport(), Qt::LeftButton, {}, cell);
    EXPECT_EQ(window->tabs->currentIndex(), 0);
    EXPECT_TRUE(window->backToFieldButton->isEnabled());
    EXPECT_TRUE(window->newMoonLabel->text().startsWith(QStringLiteral("Újhold: %1 (a következő 12 újhold").arg(year.item(2, 0)->text())));
    expectNoMessage();

    window.reset();
    open("2027.01.07 21:00");
    answerFileDialog(file);
    EXPECT_FALSE(window->alarmCheck->isChecked());
    QTest::mouseClick(window->calendarButton, Qt::LeftButton);
    EXPECT_EQ(counts(), std::pair(crescents, 0));
    // Asked and not given a file: nothing written.
    QFile::remove(file);
    answerFileDialog({});
    QTest::mouseClick(window->calendarButton, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(file));
    expectNoMessage();
}

// The map follows the selected row in the background: a selection made while the previous map
// is still waiting cancels it, and only the new evening's map is shown and saved.
TEST_F(VisibilityWindowTest, NewSelectionCancelsTheRunningMapAndTheFineMapIsShownAndSaved)
{
    // Every worker of the maps busy, so the first evening's map cannot start before it is cancelled.
    QThreadPool* pool = &MapComputation::pool();
    QSemaphore release;
    std::vector<QFuture<void>> blockers;
    for (int i = 0; i < pool->maxThreadCount(); ++i)
        blockers.push_back(QtConcurrent::run(pool, [&release] { release.acquire(); }));

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
    // The evening after's map, whole: Budapest in its zone.
    EXPECT_EQ(map.accessibleDescription(), QStringLiteral("Yallop-zónák 2026.03.20 este a Föld minden pontján; Budapest zónája: A."));
    // The pointer over a place tells its zone, wherever the map is drawn in its panel.
    const auto tipAt = [&](double latitude, double longitude) {
        const QRect drawn = map.pictureRect();
        const QPoint point = (VisibilityMapPicture::at(drawn.size(), latitude, longitude) + drawn.topLeft()).toPoint();
        QHelpEvent help(QEvent::ToolTip, point, map.mapToGlobal(point));
        QApplication::sendEvent(&map, &help);
        return QToolTip::text();
    };
    EXPECT_TRUE(tipAt(48, 18).endsWith(QStringLiteral("K: A: könnyen látható"))) << QToolTip::text().toStdString();
    EXPECT_TRUE(tipAt(-60, -150).endsWith(QStringLiteral("Ny: nincs holdsarló"))) << QToolTip::text().toStdString();
    const QString file = path("terkep.png");
    answerFileDialog(file);
    QTest::mouseClick(window->saveMapButton, Qt::LeftButton);
    EXPECT_EQ(QFileInfo(offered).fileName(), QStringLiteral("terkep-2026.03.20.png"));
    const QImage saved(file);
    ASSERT_FALSE(saved.isNull());
    // The Earth picture's full size under a title line, the legend below: Budapest's mark where
    // the full-size map puts it.
    const QSize area = VisibilityMapPicture::kEarthSize + QSize(0, VisibilityMapPicture::kLegendHeight);
    const int title = saved.height() - area.height();
    EXPECT_GT(writtenPixels(saved.copy(0, 0, saved.width(), title)), 100);
    EXPECT_EQ(saved.pixelColor(VisibilityMapPicture::at(area, 47.5, 19.05).toPoint() + QPoint(0, title)), QColor(Qt::red));

    // With the focus on the map, the arrows step through the table's evenings and mornings, and
    // the map follows; at the table's end it stays.
    window->tabs->setCurrentWidget(map.parentWidget());
    map.setFocus();
    const int shownRow = table.currentRow();
    const struct { Qt::Key key; int presses; int row; } steps[] = {
        {Qt::Key_Left, 1, shownRow - 1}, {Qt::Key_Right, 2, shownRow + 1}, {Qt::Key_Right, table.rowCount(), table.rowCount() - 1}};
    for (const auto& step : steps) {
        for (int i = 0; i < step.presses; ++i)
            QTest::keyClick(&map, step.key);
        EXPECT_EQ(table.currentRow(), step.row);
        const MapEvening wanted = astro::mapEveningOf(*table.selected(), places().place());
        EXPECT_TRUE(QTest::qWaitFor([&] { return map.shown() && map.shown()->evening == wanted; })) << step.row;
    }

    // A resize shows the picture drawn last, scaled, until the map is drawn afresh for the new size.
    const QSize before = map.size();
    window->resize(window->size() + QSize(60, 60));
    QApplication::processEvents();
    ASSERT_NE(map.size(), before);
    EXPECT_TRUE(QTest::qWaitFor([&] { return map.drawnForSize(); }));
}

// The window fits small screens at every common scale, every control of every tab whole, the
// legend under the table as high as its lines need. Every column says what it holds, next to its
// own header; the two scales never share a colour, each darkens class by class so a grey print
// keeps them apart, and the legend shows both sets.
TEST_F(VisibilityWindowTest, FitsSmallScreensAndExplainsColumnsAndScalesWhereTheyAreShown)
{
    open("2026.03.19 03:00");
    expectFitsSmallScreens(window.get(), window->tabs);
    window->tabs->setCurrentIndex(0);
    QApplication::processEvents();
    EXPECT_GE(window->classLegend->height(), window->classLegend->heightForWidth(window->classLegend->width()));
    const auto tip = [](const QTableWidget& table, const char* header) {
        for (int column = 0; column < table.columnCount(); ++column)
            if (table.horizontalHeaderItem(column)->text() == QString::fromUtf8(header))
                return table.horizontalHeaderItem(column)->toolTip();
        return QString();
    };
    for (const QTableWidget* table : {static_cast<QTableWidget*>(window->crescentTable), static_cast<QTableWidget*>(window->yearTable)})
        for (int column = 0; column < table->columnCount(); ++column)
            EXPECT_FALSE(table->horizontalHeaderItem(column)->toolTip().isEmpty()) << column;
    for (const auto& [header, says] : {std::pair{"DAZ", "a Nap azimutja mínusz a Holdé"}, {"ARCV", "légkör (fénytörés) nélkül"},
                                       {"W'", "ívperc"}, {"Y", "A: q > +0,216"}, {"O", "D: V < -0,96"}, {"Kor(h)", "órában"}})
        EXPECT_TRUE(tip(*window->crescentTable, header).contains(QString::fromUtf8(says))) << header;
    EXPECT_TRUE(tip(*window->yearTable, "Első este (Odeh A–C)").contains(QStringLiteral("Odeh szerint A–C")));

    std::vector<QColor> yallop, odeh;
    for (int i = 0; i <= int(astro::YallopClass::F); ++i)
        yallop.push_back(panelLook::classColour(astro::YallopClass(i)));
    for (int i = 0; i <= int(astro::OdehClass::D); ++i)
        odeh.push_back(panelLook::classColour(astro::OdehClass(i)));
    for (const std::vector<QColor>* scale : {&yallop, &odeh})
        for (std::size_t i = 0; i < scale->size(); ++i) {
            const QColor face = (*scale)[i];
            EXPECT_GE(std::abs(qGray(face.rgb()) - qGray(panelLook::classLetterColour(face).rgb())), 100) << i;
            if (i > 0) {
                EXPECT_GE(qGray((*scale)[i - 1].rgb()) - qGray(face.rgb()), 20) << i;
            }
            for (const QColor& other : scale == &yallop ? odeh : yallop)
                EXPECT_NE(face, other) << i;
        }
    // The selected row's class cells in their own scale's colour.
    const CrescentTablePanel& table = *window->crescentTable;
    const astro::CrescentEvening& c = *table.selected();
    EXPECT_EQ(table.item(table.currentRow(), 18)->background().color(), panelLook::classColour(c.yallop));
    EXPECT_EQ(table.item(table.currentRow(), 20)->background().color(), panelLook::classColour(c.odeh));

    // Drawn narrow, the legend wraps and still shows every class's face.
    ClassLegend legend(panelLook::font());
    EXPECT_GT(legend.heightForWidth(400), legend.heightForWidth(1200));
    QImage drawn(400, legend.heightForWidth(400), QImage::Format_RGB32);
    drawn.fill(Qt::white);
    {
        QPainter p(&drawn);
        legend.paint(p, drawn.rect(), Qt::black);
    }
    std::set<QRgb> shown;
    for (int y = 0; y < drawn.height(); ++y)
        for (int x = 0; x < drawn.width(); ++x)
            shown.insert(drawn.pixel(x, y));
    for (const std::vector<QColor>* scale : {&yallop, &odeh})
        for (const QColor& face : *scale)
            EXPECT_TRUE(shown.count(face.rgb())) << face.name().toStdString();
}

// F1 and "Súgó" bring up one help page that names every column and both sources; Esc and Ctrl+W
// close the window.
TEST_F(VisibilityWindowTest, HelpExplainsEveryColumnAndEscOrCtrlWCloses)
{
    openActive("2026.03.19 03:00");
    QTest::keyClick(window.get(), Qt::Key_F1);
    const QPointer<VisibilityHelpWindow> help = window->findChild<VisibilityHelpWindow*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    QTest::mouseClick(window->helpButton, Qt::LeftButton);
    EXPECT_EQ(window->findChildren<VisibilityHelpWindow*>().size(), 1);
    const QString text = help->page->toPlainText();
    for (const QString& header : presentation::crescentRowHeaders() + presentation::yearAheadHeaders())
        EXPECT_TRUE(text.contains(header)) << header.toStdString();
    for (const char* source : {"NAO Technical Note 69 (1997)", "Experimental Astronomy 18 (2004)", "fenn", "Europe/Budapest"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(source))) << source;
    help->close();
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(help, nullptr);

    for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)}) {
        openActive("2026.03.19 03:00");
        QTest::keySequence(window.get(), keys);
        EXPECT_FALSE(window->isVisible()) << keys.toString().toStdString();
    }
}

TEST_F(VisibilityWindowTest, APlaceWithoutEveningsListsItsDaysAndShowsNothingOfAnotherPlace)
{
    open("2026.06.15 04:00");
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->mapPicture->shown() != nullptr; }));
    // The midnight sun: no sunset, no sunrise; every morning and evening is listed saying so.
    typePlace({"Longyearbyen", "78,22", "15,65", "100"});
    ASSERT_EQ(window->crescentTable->rowCount(), 8);
    for (int row = 0; row < 8; ++row)
        EXPECT_EQ(window->crescentTable->item(row, 3)->text(), QStringLiteral("fenn")) << row;
    EXPECT_FALSE(window->mapPicture->accessibleDescription().contains(u"Budapest"));
    EXPECT_EQ(window->crescentTable->selected(), nullptr);
    EXPECT_TRUE(window->chartPicture->pixmap().isNull());
    EXPECT_TRUE(window->tableNote->text().contains(QStringLiteral("fenn vagy lenn")));
    // A day picked all the same says what its sky does, and its chart is named by its day.
    window->crescentTable->selectRow(5);
    const QString said = window->chartPicture->accessibleDescription();
    EXPECT_TRUE(said.startsWith(QStringLiteral("A Nap ezen a napon végig a látóhatár fölött van"))) << said.toStdString();
    answerFileDialog(path("horizont.png"));
    QTest::mouseClick(window->saveChartButton, Qt::LeftButton);
    EXPECT_EQ(QFileInfo(offered).fileName(), QStringLiteral("horizont-%1.png").arg(window->crescentTable->item(5, 2)->text()));
}

// The chart is offered in Pictures at first and the sheet in Documents; once saved, the folder
// saved in last is offered, in the next window too. The chart is saved as shown under its title
// line, the sheet to take outside as one A4 page naming the place and the day; each is written
// whole or not at all, nothing when cancelled. Ctrl+P shows the sheet in a print preview.
TEST_F(VisibilityWindowTest, ChartAndSheetAreSavedWholeOrNotAtAllWhereTheUserSavesThem)
{
    openActive("2026.03.19 03:00");
    const QString chart = path("horizont.png"), sheet = path("lap.pdf");
    // The first evening with a crescent, as shown beside the table.
    const astro::CrescentEvening* selected = window->crescentTable->selected();
    ASSERT_NE(selected, nullptr);
    answerFileDialog({});
    QTest::mouseClick(window->saveChartButton, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(chart));
    EXPECT_EQ(offered, QStandardPaths::writableLocation(QStandardPaths::PicturesLocation) +
                           QStringLiteral("/horizont-%1.png").arg(presentation::dateText(presentation::hungarianTime(), selected->dayInstant)));

    answerFileDialog(sheet);
    QTest::mouseClick(window->saveSheetButton, Qt::LeftButton);
    EXPECT_EQ(offered, QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) +
                           QStringLiteral("/holdsarlo-Budapest-2026.03.19.pdf"));
    const auto run = [](const char* program, const QStringList& arguments) {
        QProcess process;
        process.start(QString::fromUtf8(program), arguments);
        EXPECT_TRUE(process.waitForFinished(20000)) << program;
        return QString::fromUtf8(process.readAllStandardOutput());
    };
    const QString info = run(VKT_PDFINFO, {sheet});
    EXPECT_TRUE(info.contains(QRegularExpression(QStringLiteral("Pages: +1\n")))) << info.toStdString();
    EXPECT_TRUE(info.contains(QStringLiteral("(A4)"))) << info.toStdString();
    const QString text = run(VKT_PDFTOTEXT, {sheet, QStringLiteral("-")});
    for (const QString& said : {QStringLiteral("Holdsarló megfigyelőlap"), presentation::placeText(places().place()),
                                QStringLiteral("Újhold: 2026.03.19 02:23"), QStringLiteral("Készült: 2026"),
                                QStringLiteral("Horizontábra: 2026.03.19 este"), QStringLiteral("Yallop-zónák 2026.03.19 este"),
                                QStringLiteral("csak tökéletes égen látható"), QStringLiteral("szabad szemmel látható")})
        EXPECT_TRUE(text.simplified().contains(said)) << said.toStdString() << "\n" << text.toStdString();
    EXPECT_TRUE(failedSave(window->saveSheetButton, "lap.pdf", {WriteStep::Flush, ENOSPC}).contains(u"lap.pdf"));

    bool previewed = false;
    QTimer::singleShot(0, [&] {
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget())) {
            previewed = true;
            preview->reject();
        }
    });
    QTest::keySequence(window.get(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_TRUE(previewed);

    writeBytes("horizont.png", "earlier");
    answerFileDialog(chart);
    failedSave(window->saveChartButton, "horizont.png", {WriteStep::Write, ENOSPC, 10});
    QTest::mouseClick(window->saveChartButton, Qt::LeftButton);
    const QImage saved(chart);
    ASSERT_FALSE(saved.isNull());
    const QImage shown = window->chartPicture->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    const int title = saved.height() - shown.height();
    EXPECT_EQ(saved.width(), shown.width());
    EXPECT_GE(title, 20);
    EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32).copy(0, title, shown.width(), shown.height()), shown);
    EXPECT_GT(writtenPixels(saved.copy(0, 0, saved.width(), title)), 100);

    // Remembered beside the place: the next window offers the same folder.
    window.reset();
    open("2026.03.19 03:00");
    answerFileDialog({});
    QTest::mouseClick(window->saveChartButton, Qt::LeftButton);
    EXPECT_EQ(QFileInfo(offered).absolutePath(), QFileInfo(chart).absolutePath());
    expectNoMessage();
}

} // namespace
} // namespace vkt::testing
