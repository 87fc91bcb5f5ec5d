#include "services/DataFiles.h"
#include "services/FileBytes.h"
#include "sightings/SightingBook.h"
#include "tests/support/ScreenFit.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Widgets.h"
#include "sightings/SightingCsv.h"
#include "windows/sightings/DiagramPanel.h"
#include "windows/sightings/SightingForm.h"
#include "windows/sightings/SightingTable.h"
#include "windows/sightings/SightingsWindow.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSortFilterProxyModel>
#include <QStandardPaths>
#include <QTableView>
#include <QTextBrowser>
#include <QTest>
#include <cerrno>

namespace vkt::testing {
namespace {

using sightings::Sighting;
using sightings::SightingBook;

const QString kFile = dataFiles::kSightings;
const QByteArray kHeader = cp1250("Dátum;Időpont;Időzóna;Napszak;Szélesség;Hosszúság;Magasság;Szabad szem;Binokulár;"
                                  "Távcső;Kamera;Átlátszóság;Felhőzet;Hely;Megfigyelő;Megjegyzés\r\n");
const QByteArray kKiss = cp1250("2026.03.20.;18:52;Europe/Budapest;este;47,5;19,04;100;látta;;;;;;Budapest;Kiss;\r\n");

class SightingsWindowTest : public DataFolderTest {
protected:
    // Every message a test expects it takes; any other is a fault.
    void TearDown() override
    {
        EXPECT_TRUE(messages->messages.empty()) << messages->messages[0].text.toStdString();
        window.reset();
        closeAllWindows();
        DataFolderTest::TearDown();
    }
    void open(const QString& observationField = {})
    {
        window = std::make_unique<SightingsWindow>([observationField] { return observationField; });
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void openOn(const QByteArray& records)
    {
        writeBytes(kFile, kHeader + records);
        open();
    }
    SightingForm& form() const { return *window->form; }
    // The place, the date and the time of an evening typed into the form, Budapest's.
    void typeRecord(const QString& date = QStringLiteral("2026.03.21"), const QString& time = {},
                    const QString& observers = QStringLiteral("Nagy Éva"))
    {
        form().dateField->setDate(QDate::fromString(date, QStringLiteral("yyyy.MM.dd")));
        form().timeField->setText(time);
        form().sessionCombo->setCurrentIndex(form().sessionCombo->findText(QStringLiteral("este")));
        form().observersField->setText(observers);
        form().outcomeCombos[0]->setCurrentIndex(form().outcomeCombos[0]->findText(QStringLiteral("látta")));
    }
    std::vector<Sighting> stored() const { return SightingBook::read(path(kFile)).records(); }
    void selectRow(int sourceRow)
    {
        auto* proxy = static_cast<QSortFilterProxyModel*>(window->recordTable->model());
        window->recordTable->setCurrentIndex(proxy->mapFromSource(window->model()->index(sourceRow, 0)));
    }

    std::unique_ptr<SightingsWindow> window;
};

// A record added, edited and deleted through the form: the file holds after each step exactly what
// the form said, in the data file's own bytes; a deletion not confirmed deletes nothing.
TEST_F(SightingsWindowTest, AddEditAndDeleteThroughTheFormReachTheFile)
{
    open("2026.03.20 18:40");
    typeRecord(QStringLiteral("2026.03.20"), QStringLiteral("18:52:30"), QStringLiteral("Kiss Ödön"));
    form().placeCombo->setCurrentIndex(form().placeCombo->findText(QStringLiteral("Budapest")));
    emit form().placeCombo->activated(form().placeCombo->currentIndex());
    form().noteField->setText(QStringLiteral("vékony; halvány"));
    window->saveButton->click();
    const QByteArray bytes = readBytes(kFile);
    EXPECT_TRUE(bytes.startsWith(kHeader));
    EXPECT_TRUE(bytes.endsWith(cp1250("Budapest;Kiss Ödön;\"vékony; halvány\"\r\n"))) << bytes.toStdString();
    EXPECT_FALSE(form().edited());
    ASSERT_EQ(window->model()->rowCount(), 1);
    EXPECT_EQ(window->model()->data(window->model()->index(0, SightingTable::Observers), Qt::DisplayRole),
              QStringLiteral("Kiss Ödön"));

    // A second, then the first edited: the edit replaces it in its place.
    window->newButton->click();
    typeRecord();
    window->saveButton->click();
    selectRow(0);
    EXPECT_EQ(form().observersField->text(), QStringLiteral("Kiss Ödön"));
    EXPECT_EQ(form().timeField->text(), QStringLiteral("18:52:30"));
    form().observersField->setText(QStringLiteral("Kiss Ödön, Szabó Ű."));
    window->saveButton->click();
    std::vector<Sighting> records = stored();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].observers, QStringLiteral("Kiss Ödön, Szabó Ű."));
    EXPECT_EQ(records[0].time, QTime(18, 52, 30));  // an edit keeps the seconds
    EXPECT_EQ(records[1].observers, QStringLiteral("Nagy Éva"));
    EXPECT_FALSE(records[1].time.has_value());  // the best time

    // Deleting asks; no deletes nothing, yes deletes that one.
    selectRow(1);
    messages->nextConfirmation = false;
    window->deleteButton->click();
    ASSERT_EQ(messages->questions.size(), 1u);
    EXPECT_TRUE(messages->questions[0].contains(QStringLiteral("2026.03.21."))) << messages->questions[0].toStdString();
    EXPECT_EQ(stored().size(), 2u);
    messages->nextConfirmation = true;
    window->deleteButton->click();
    records = stored();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].date, QDate(2026, 3, 20));
    EXPECT_EQ(window->model()->rowCount(), 1);
}

// A form that cannot be read is refused with the field named, and nothing is written; typed
// coordinates are offered their zone.
TEST_F(SightingsWindowTest, FormWithAWrongFieldIsRefusedNamingIt)
{
    open();
    const struct { QLineEdit* SightingForm::*field; const char* text; const char* says; } cases[] = {
        {&SightingForm::timeField, "25:10", "óó:pp"},
        {&SightingForm::latitudeField, "91", "szélesség"},
        {&SightingForm::placeNameField, " ", "nevét"},
        {&SightingForm::heightField, "9001", "magasság"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        window->newButton->click();
        (form().*c.field)->setText(QString::fromUtf8(c.text));
        EXPECT_FALSE(window->saveForm());
        EXPECT_TRUE(messages->takeOne(MessageIcon::Warning).contains(QString::fromUtf8(c.says)));
        EXPECT_FALSE(exists(kFile));
        messages->nextAnswer = SaveAnswer::Discard;
    }
    window->newButton->click();
    form().zoneCombo->setCurrentText(QStringLiteral("Europe/Atlantis"));
    EXPECT_FALSE(window->saveForm());
    EXPECT_TRUE(messages->takeOne(MessageIcon::Warning).contains(QStringLiteral("Europe/Atlantis")));

    // Typed coordinates take the nearest zone, until the user chooses one.
    window->newButton->click();
    form().latitudeField->setText(QStringLiteral("38,72"));
    form().longitudeField->setText(QStringLiteral("-9,14"));
    emit form().longitudeField->editingFinished();
    EXPECT_EQ(form().zoneCombo->currentText(), QStringLiteral("Europe/Lisbon"));
    emit form().zoneCombo->activated(form().zoneCombo->findText(QStringLiteral("UTC")));
    form().zoneCombo->setCurrentText(QStringLiteral("UTC"));
    emit form().latitudeField->editingFinished();
    EXPECT_EQ(form().zoneCombo->currentText(), QStringLiteral("UTC"));
}

// A save that fails (a full disk, at each step of the write) leaves the file and the table as they
// were, says so, and keeps the form's text for the next try, which succeeds.
TEST_F(SightingsWindowTest, FailedSaveLosesNothingAndSaysSo)
{
    openOn(kKiss);
    const QByteArray before = readBytes(kFile);
    for (const WriteStep step : {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Commit}) {
        SCOPED_TRACE(int(step));
        window->newButton->click();
        typeRecord();
        setWriteFault(WriteFault{step, ENOSPC});
        window->saveButton->click();
        EXPECT_TRUE(messages->takeOne(MessageIcon::Error).contains(QStringLiteral("nincs mentve")));
        EXPECT_EQ(readBytes(kFile), before);
        EXPECT_EQ(window->model()->rowCount(), 1);
        EXPECT_EQ(form().observersField->text(), QStringLiteral("Nagy Éva"));
        EXPECT_TRUE(form().edited());
        setWriteFault(std::nullopt);
        messages->nextAnswer = SaveAnswer::Discard;
    }
    window->saveButton->click();
    EXPECT_EQ(stored().size(), 2u);
    EXPECT_EQ(window->model()->rowCount(), 2);
}

// Another instance saved the file since the window read it: the window asks before writing over
// it. Keep mine writes this window's records; take theirs shows the file's and keeps the form's
// record, saved onto them at the next save unasked; cancel writes nothing.
TEST_F(SightingsWindowTest, FileChangedByAnotherInstanceIsNotWrittenOverUnasked)
{
    const QByteArray theirs = kHeader + kKiss + cp1250("2026.03.22.;;Europe/Budapest;este;47,5;19,04;100;látta;;;;;;Eger;Tóth;\r\n");
    // stored: the observers in the file afterwards.
    const struct { ChangedFileAnswer answer; std::vector<const char*> stored; int rows; bool edited; } cases[] = {
        {ChangedFileAnswer::Cancel, {"Kiss", "Tóth"}, 1, true},
        {ChangedFileAnswer::TakeTheirs, {"Kiss", "Tóth"}, 2, true},
        {ChangedFileAnswer::KeepMine, {"Kiss", "Nagy Éva"}, 2, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(int(c.answer));
        openOn(kKiss);
        writeBytes(kFile, theirs);  // the other instance's save
        window->newButton->click();
        typeRecord();
        messages->nextChangedFileAnswer = c.answer;
        EXPECT_EQ(window->saveForm(), c.answer == ChangedFileAnswer::KeepMine);
        ASSERT_EQ(messages->questions.size(), 1u);
        EXPECT_TRUE(messages->questions[0].contains(QStringLiteral("megváltoztatták")));
        messages->questions.clear();
        QStringList observers;
        for (const Sighting& s : stored())
            observers << s.observers;
        EXPECT_EQ(observers.join(u','), QStringList(c.stored.begin(), c.stored.end()).join(u','));
        EXPECT_EQ(window->model()->rowCount(), c.rows);
        EXPECT_EQ(form().edited(), c.edited);
        EXPECT_EQ(form().observersField->text(), QStringLiteral("Nagy Éva"));
        if (c.answer == ChangedFileAnswer::TakeTheirs) {
            EXPECT_TRUE(window->saveForm());
            EXPECT_EQ(stored().size(), 3u);
            EXPECT_TRUE(messages->questions.empty());
        }
    }
}

// A line the program cannot read is counted, shown with its number and reason, and written back
// unchanged when a record is added; a file that cannot be read at all is never written over.
TEST_F(SightingsWindowTest, UnreadableLinesAreShownAndKept)
{
    const QByteArray bad = cp1250("2026.13.40.;18:52;Europe/Budapest;este;47,5;19,04;100;látta;;;;;;Eger;Kiss;\r\n");
    const QByteArray unclosed = cp1250("2026.03.21.;;;este;47,5;19,04;100;;;;;;;\"Eger;Kiss;\r\n");
    openOn(bad + unclosed);
    EXPECT_TRUE(window->fileLabel->text().contains(QStringLiteral("2 sor nem olvasható")));
    ASSERT_TRUE(window->keptLinesButton->isEnabled());
    QString shown;
    window->showText = [&](const QString&, const QString& text) { shown = text; };
    window->keptLinesButton->click();
    const QRegularExpression bothLines(QStringLiteral("^2\\. sor.*2026\\.13\\.40\\.;18:52.*\n3\\. sor.*;\"Eger;Kiss;"),
                                       QRegularExpression::DotMatchesEverythingOption);
    EXPECT_TRUE(bothLines.match(shown).hasMatch()) << shown.toStdString();
    typeRecord();
    window->saveButton->click();
    EXPECT_TRUE(readBytes(kFile).contains(bad + unclosed));
    EXPECT_EQ(stored().size(), 1u);
    window.reset();

    // Not a regular file: nothing is read, and nothing is saved over it.
    QFile::remove(path(kFile));
    ASSERT_TRUE(QDir(dir->path()).mkdir(kFile));
    open();
    EXPECT_TRUE(messages->takeOne(MessageIcon::Error).contains(QStringLiteral("nem olvasható")));
    typeRecord();
    EXPECT_FALSE(window->saveForm());
    EXPECT_TRUE(messages->takeOne(MessageIcon::Error).contains(QStringLiteral("nem írom felül")));
    EXPECT_TRUE(QFileInfo(path(kFile)).isDir());
}

// "Új észlelés" takes the main window's observation time (Hungarian clock time) at the remembered
// place, evening after noon and morning before it; without a valid time, now.
TEST_F(SightingsWindowTest, NewRecordTakesTheObservationTimeOrNow)
{
    setNow(QStringLiteral("2026.01.05 06:10:30"));
    const struct { const char* field; QDate date; QTime time; const char* session; } cases[] = {
        {"2026.03.20 18:40", {2026, 3, 20}, {18, 40}, "este"},
        {"2026.03.20 05:02:59", {2026, 3, 20}, {5, 2}, "reggel"},
        {"", {2026, 1, 5}, {6, 10}, "reggel"},
        {"18:40", {2026, 1, 5}, {6, 10}, "reggel"},  // a time alone is no observation
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        open(QString::fromUtf8(c.field));
        EXPECT_EQ(form().dateField->date(), c.date);
        EXPECT_EQ(form().timeField->text(), c.time.toString(QStringLiteral("HH:mm")));
        EXPECT_EQ(form().sessionCombo->currentText(), QString::fromUtf8(c.session));
        EXPECT_EQ(form().placeNameField->text(), QStringLiteral("Budapest"));
        EXPECT_EQ(form().zoneCombo->currentText(), QStringLiteral("Europe/Budapest"));
        EXPECT_FALSE(form().edited());
    }
}

// Closing (the close button, Esc, Ctrl+W) with an edited form asks: save, discard or stay.
TEST_F(SightingsWindowTest, ClosingWithAnEditedFormAsks)
{
    const struct { const char* how; std::function<void(QWidget*)> close; SaveAnswer answer; bool closes; std::size_t saved; }
        cases[] = {
        {"Esc, cancel", [](QWidget* w) { QTest::keyClick(w, Qt::Key_Escape); }, SaveAnswer::Cancel, false, 0},
        {"Ctrl+W, discard", [](QWidget* w) { QTest::keyClick(w, Qt::Key_W, Qt::ControlModifier); }, SaveAnswer::Discard, true, 0},
        {"close, save", [](QWidget* w) { w->close(); }, SaveAnswer::Save, true, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        QFile::remove(path(kFile));
        open();
        window->close();  // unedited: closes unasked
        EXPECT_TRUE(messages->questions.empty());
        open();
        typeRecord();
        messages->nextAnswer = c.answer;
        window->activateWindow();
        c.close(window.get());
        EXPECT_EQ(messages->questions.size(), 1u);
        EXPECT_EQ(window->isVisible(), !c.closes);
        EXPECT_EQ(exists(kFile) ? stored().size() : 0u, c.saved);
        messages->questions.clear();
    }
}

// The table sorts by the computed columns as numbers, and by date as dates, whatever their text.
TEST_F(SightingsWindowTest, TableSortsNumbersAsNumbers)
{
    QByteArray records;
    // Evenings 0, 1 and 2 after the new moon of 19 March 2026: ARCL under 10°, then over.
    for (const char* date : {"2026.03.21.", "2026.03.19."})
        records += cp1250(date) + cp1250(";;Europe/Budapest;este;47,5;19,04;100;látta;;;;;;Budapest;Kiss;\r\n");
    openOn(records + kKiss);
    window->finishComputing();
    QAbstractItemModel* shown = window->recordTable->model();
    const auto column = [&](int c) {
        QStringList texts;
        for (int r = 0; r < shown->rowCount(); ++r)
            texts << shown->index(r, c).data().toString();
        return texts;
    };
    EXPECT_EQ(column(SightingTable::Date), (QStringList{"2026.03.19", "2026.03.20", "2026.03.21"}));
    window->recordTable->sortByColumn(SightingTable::Arcl, Qt::DescendingOrder);
    const QStringList arcl = column(SightingTable::Arcl);
    ASSERT_EQ(arcl.size(), 3);
    EXPECT_EQ(column(SightingTable::Date), (QStringList{"2026.03.21", "2026.03.20", "2026.03.19"})) << arcl.join(' ').toStdString();
    EXPECT_LT(arcl[2].size(), arcl[0].size());  // one digit before the comma last: not sorted as text
    EXPECT_FALSE(window->scorecardText->toPlainText().isEmpty());
    // The age at the sighting's time in the main window's forms (its decimal days from whole hours).
    const auto ageTip = [&](int row) { return shown->index(row, SightingTable::Age).data(Qt::ToolTipRole).toString(); };
    EXPECT_EQ(ageTip(1), "A holdsarló kora az észlelés időpontjában:\n40 óra 29 perc\n1 nap  16 óra 29 perc\n1,67 nap");
}

// An import shows what it will add and the lines it will not take (the reasons are the CSV reader's
// test) and adds only when confirmed; the export then has every record with the computed columns.
TEST_F(SightingsWindowTest, ImportShowsWhatItAddsBeforeAddingAndExportHasEveryRecord)
{
    const QString csv = path(QStringLiteral("katalogus.csv"));
    writeFile(csv, "date,time,timezone,session,latitude,longitude,height,naked_eye,binoculars,telescope,camera,sky,"
                   "clouds,place,observer,note\n"
                   "2026-03-21,,Europe/Budapest,evening,47.5,19.04,100,seen,,,,clear,,Eger,Nagy,\n"
                   "2026-03-20,18:52,Europe/Budapest,evening,47.5,19.04,100,seen,,,,,,Budapest,Kiss,\n"
                   "2026-03-23,19:30,,evening,47.5,19.04,,not seen,seen,,,,cloudy,Eger,Nagy,\n");
    openOn(kKiss);
    QString asked;
    QStringList offers;  // the Documents folder first, then the folder last used
    window->askFileName = [&](const QString& offered, bool save) { EXPECT_FALSE(save); offers << offered; return csv; };
    window->confirmImport = [&](const QString& text) { asked = text; return false; };
    const QByteArray before = readBytes(kFile);
    window->importButton->click();
    EXPECT_TRUE(asked.startsWith(QStringLiteral("Hozzáadandó észlelések: 2\n  2. sor: 2026.03.21. este, Eger\n"
                                                "  4. sor: 2026.03.23. este 19:30, Eger\n\nNem kerül hozzáadásra (1 sor):\n"
                                                "  3. sor: ")))
        << asked.toStdString();
    EXPECT_EQ(readBytes(kFile), before);  // not confirmed: nothing added

    window->confirmImport = [](const QString&) { return true; };
    window->importButton->click();
    EXPECT_EQ(stored().size(), 3u);
    EXPECT_EQ(window->model()->rowCount(), 3);
    EXPECT_EQ(offers, (QStringList{QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation), dir->path()}));

    // The export starts in the folder last used and names every record.
    const QString exported = path(QStringLiteral("ki.csv"));
    window->askFileName = [&](const QString& offered, bool save) {
        EXPECT_TRUE(save && offered == path(QStringLiteral("eszlelesek.csv"))) << offered.toStdString();
        return exported;
    };
    window->exportButton->click();
    const QList<QByteArray> lines = fileBytes(exported).split('\n');
    ASSERT_EQ(lines.size(), 5);  // the header, three records, nothing after the last line end
    EXPECT_EQ(QString::fromUtf8(lines[0].trimmed()), sightings::exportColumnNames().join(u','));
    EXPECT_TRUE(lines[3].startsWith("2026-03-23,19:30,,evening,"));
}

// The diagram names the record under the pointer and saves itself as a picture; F1 opens the help.
TEST_F(SightingsWindowTest, DiagramNamesItsPointsAndHelpCitesTheCriteria)
{
    openOn(kKiss);
    window->finishComputing();
    window->tabs->setCurrentWidget(window->diagramPanel->parentWidget());
    QApplication::processEvents();
    ASSERT_TRUE(window->diagramPanel->diagram().has_value());
    const SightingDiagram& diagram = *window->diagramPanel->diagram();
    ASSERT_EQ(diagram.points().size(), 1u);
    const SightingDiagram::Point& p = diagram.points()[0];
    const QSize size = window->diagramPanel->size();
    const QPointF at = diagram.at(size, SightingDiagram::Frame::Odeh, p.width[1], p.arcv[1]);
    EXPECT_EQ(window->diagramPanel->recordNameAt(at.toPoint()), QStringLiteral("2026.03.20. este 18:52, Budapest"));
    EXPECT_EQ(window->diagramPanel->recordNameAt(QPoint(2, 2)), QString());

    const QString picture = path(QStringLiteral("abra.png"));
    window->askFileName = [&](const QString&, bool) { return picture; };
    window->saveDiagramButton->click();
    EXPECT_EQ(QImage(picture).size(), QSize(1400, 640));

    window->activateWindow();
    QTest::keyClick(window.get(), Qt::Key_F1);
    ASSERT_NE(window->helpWindow(), nullptr);
    EXPECT_TRUE(window->helpWindow()->isVisible());
    const QString help = static_cast<QTextBrowser*>(window->helpWindow())->toPlainText();
    for (const char* source : {"NAO Technical Note No. 69", "Experimental Astronomy 18", "Odeh (2004, 2.1. szakasz)",
                               "A: könnyen látható", "D: távcsővel sem látható", "eszlelesek.txt", "naked_eye"})
        EXPECT_TRUE(help.contains(QString::fromUtf8(source))) << source;
}

// The window fits small screens at every common scale, every control of every tab whole.
TEST_F(SightingsWindowTest, WindowFitsSmallScreens)
{
    open();
    expectFitsSmallScreens(window.get(), window->tabs);
}

} // namespace
} // namespace vkt::testing
