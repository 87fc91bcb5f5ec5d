// eszlelesek.txt as an observer and a spreadsheet meet it: its bytes, the lines it cannot read
// kept in their places, and no record lost when a save fails or the file cannot be read.
#include "presentation/SightingTexts.h"
#include "services/FileBytes.h"
#include "services/TextFiles.h"
#include "sightings/SightingBook.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <sys/stat.h>

namespace vkt::sightings {
namespace {

using testing::cp1250;
using testing::failureOf;
using testing::fileBytes;
using testing::writeFile;
using Kind = LineProblem::Kind;

const char kHeader[] = "Dátum;Időpont;Időzóna;Napszak;Szélesség;Hosszúság;Magasság;Szabad szem;Binokulár;Távcső;"
                       "Kamera;Átlátszóság;Felhőzet;Hely;Megfigyelő;Megjegyzés\r\n";
const char kGood[] = "2024.03.11.;18:05;Europe/Budapest;este;47,5;19,04;120;látta;nem próbálta;látta;nem látta;"
                     "tiszta;derült;Budapest;Kiss Éva;\r\n";

Sighting budapestEvening()
{
    Sighting s;
    s.date = QDate(2024, 3, 11);
    s.time = QTime(18, 5);
    s.place = {QStringLiteral("Budapest"), 47.5, 19.04, 120, QByteArrayLiteral("Europe/Budapest")};
    s.observers = QStringLiteral("Kiss Éva");
    s.outcomes = {Outcome::Seen, Outcome::NotTried, Outcome::Seen, Outcome::NotSeen};
    s.transparency = Transparency::Clear;
    s.clouds = Clouds::Clear;
    return s;
}

class SightingBookTest : public ::testing::Test {
protected:
    void TearDown() override { setWriteFault(std::nullopt); }
    QString path() const { return dir.filePath(QStringLiteral("eszlelesek.txt")); }
    QTemporaryDir dir;
};

// The file a spreadsheet opens: the header and a record in Windows-1250 with CR LF, a decimal
// comma, the Hungarian words; a field with a semicolon, a quote or a line end quoted.
TEST_F(SightingBookTest, WritesTheSpreadsheetFormAndReadsItBack)
{
    SightingBook book;
    book.add(budapestEvening());
    Sighting morning;
    morning.date = QDate(1850, 1, 2);
    morning.session = Twilight::Morning;
    morning.place = {QStringLiteral("Tihany; a rév"), -33.925, -18.4241, 0, {}};  // local mean time
    morning.observers = QStringLiteral("\"Öcsi\" és Ő");
    morning.note = QStringLiteral("első sor\r\nmásodik sor");
    morning.transparency = Transparency::VeryHazy;
    morning.clouds = Clouds::PartlyCloudy;
    book.add(morning);

    const QByteArray bytes = book.fileBytes();
    EXPECT_EQ(bytes, cp1250(kHeader) + cp1250(kGood) +
                         cp1250("1850.01.02.;;;reggel;-33,925;-18,4241;0;nem próbálta;nem próbálta;nem próbálta;"
                                "nem próbálta;nagyon párás;részben felhős;\"Tihany; a rév\";\"\"\"Öcsi\"\" és Ő\";"
                                "\"első sor\r\nmásodik sor\"\r\n"));
    const SightingBook again = SightingBook::fromBytes(bytes);
    ASSERT_EQ(again.records().size(), 2u);
    EXPECT_TRUE(again.keptLines().empty());
    EXPECT_EQ(again.fileBytes(), bytes);  // every field of both records, as read
}

// What a spreadsheet may write back: its own header case, spaced dates, capitals, an LF end,
// a missing height; and no header at all.
TEST_F(SightingBookTest, ReadsWhatASpreadsheetSavedAgain)
{
    const SightingBook book = SightingBook::fromBytes(
        cp1250("DÁTUM;időpont;IDŐZÓNA;Napszak;Szélesség;Hosszúság;Magasság;Szabad szem;Binokulár;Távcső;Kamera;"
               "Átlátszóság;Felhőzet;Hely;Megfigyelő;Megjegyzés\n"
               "2024. 03. 11.;6:05;;Reggel;47.5;19,04;;LÁTTA;;;;;;Eger;;\n"
               "2024-03-12;;;este;47,5;19,04;0;nem látta;;;;Kiváló;Borult;Eger;;"));
    ASSERT_EQ(book.records().size(), 2u);
    EXPECT_TRUE(book.keptLines().empty());
    const Sighting& first = book.records()[0];
    EXPECT_EQ(first.date, QDate(2024, 3, 11));
    EXPECT_EQ(first.time, QTime(6, 5));
    EXPECT_EQ(first.session, Twilight::Morning);
    EXPECT_EQ(first.place.height, 0);
    EXPECT_EQ(first.outcome(Means::NakedEye), Outcome::Seen);
    EXPECT_EQ(first.outcome(Means::Camera), Outcome::NotTried);
    EXPECT_EQ(book.records()[1].transparency, Transparency::Superb);
    EXPECT_EQ(book.records()[1].clouds, Clouds::Cloudy);

    const SightingBook headless = SightingBook::fromBytes(cp1250(kGood));
    EXPECT_EQ(headless.records().size(), 1u);
    EXPECT_TRUE(headless.keptLines().empty());
}

// Every line the program cannot read is reported with its number and reason, kept byte for byte
// where it stood, and written back so; the records around it are read. (Values read alike in both
// formats, such as times, zones and coordinates, are the exchange CSV's test.)
TEST_F(SightingBookTest, KeepsEveryLineItCannotReadInItsPlace)
{
    const QByteArray good = cp1250(kGood);
    const struct {
        QByteArray bytes;
        Kind kind;
        Column column;
    } cases[] = {
        {cp1250("\r\n"), Kind::Blank, Column::Date},
        {cp1250("2024.03.11.;18:05;;este;47,5;19\r\n"), Kind::FieldCount, Column::Date},
        {cp1250("2024.02.30.;;;este;47,5;19;0;;;;;;;;;\r\n"), Kind::BadValue, Column::Date},
        {cp1250("2400.01.01.;;;este;47,5;19;0;;;;;;;;;\r\n"), Kind::YearOutOfRange, Column::Date},
        {cp1250("2024.03.11.;;;délután;47,5;19;0;;;;;;;;;\r\n"), Kind::BadValue, Column::Session},
        {cp1250("2024.03.11.;;;este;47,5;19;0;talán;;;;;;;;\r\n"), Kind::BadValue, Column::NakedEye},
        {cp1250("2024.03.11.;;;este;47,5;19;0;;;;lát;;;;;\r\n"), Kind::BadValue, Column::Camera},
        {cp1250("2024.03.11.;;;este;47,5;19;0;;;;;ködös;;;;\r\n"), Kind::BadValue, Column::Sky},
        {cp1250("2024.03.11.;;;este;47,5;19;0;;;;;;esős;;;\r\n"), Kind::BadValue, Column::Clouds},
        {cp1250("2024.03.11.;;;este;47,5;19;0;;;;;;;;;\"nincs vége\r\n"), Kind::UnclosedQuote, Column::Date},
        {QByteArray("2024.03.11.;;;este;47,5;19;0;;;;;;;;;;\n"), Kind::FieldCount, Column::Date},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.toStdString());
        const QByteArray file = cp1250(kHeader) + good + c.bytes + good;
        SightingBook book = SightingBook::fromBytes(file);
        ASSERT_EQ(book.keptLines().size(), 1u);
        const KeptLine& kept = book.keptLines()[0];
        EXPECT_EQ(kept.problem.kind, c.kind);
        EXPECT_EQ(kept.problem.line, 3);
        if (c.kind == Kind::BadValue) {
            EXPECT_EQ(kept.problem.column, c.column);
        }
        EXPECT_EQ(kept.bytes, c.bytes);
        EXPECT_EQ(book.records().size(), 2u);
        EXPECT_EQ(book.fileBytes(), file);
        // Said in Hungarian with its line number.
        EXPECT_TRUE(presentation::lineProblemText(kept.problem, Dialect::DataFile).startsWith(u"3. sor: "));
    }
}

// Records edited, added and deleted around kept lines: each kept line stays after the records it
// followed; a last line without its end gets one when a record comes after it.
TEST_F(SightingBookTest, EditsLeaveKeptLinesWhereTheyStood)
{
    const QByteArray good = cp1250(kGood);
    SightingBook book = SightingBook::fromBytes(cp1250(kHeader) + "rossz\r\n" + good + "hibás\r\n" + good + "utolsó");
    ASSERT_EQ(book.keptLines().size(), 3u);
    book.remove(0);
    Sighting changed = budapestEvening();
    changed.note = QStringLiteral("átírva");
    book.replace(0, changed);
    book.add(budapestEvening());
    const QByteArray expected = cp1250(kHeader) + "rossz\r\nhibás\r\n" +
                                cp1250(kGood).replace(";\r\n", cp1250(";átírva\r\n")) + "utolsó\r\n" + good;
    EXPECT_EQ(book.fileBytes(), expected);
    EXPECT_THROW(book.remove(2), std::out_of_range);

    // A quote that never closed may open a field that runs into a quoted one written after it:
    // the line is still read back alone, in its place, and the record after it as a record.
    const QByteArray unclosed = cp1250("2024.03.11.;;;este;47,5;19;0;;;;;;;;;\"nincs vége\r\n");
    SightingBook quoted = SightingBook::fromBytes(cp1250(kHeader) + unclosed + good);
    Sighting withQuote = budapestEvening();
    withQuote.note = QStringLiteral("felhő; köd");
    quoted.add(withQuote);
    const QByteArray saved = quoted.fileBytes();
    EXPECT_TRUE(saved.startsWith(cp1250(kHeader) + unclosed + good));
    const SightingBook reread = SightingBook::fromBytes(saved);
    ASSERT_EQ(reread.records().size(), 2u);
    EXPECT_EQ(reread.records()[1].note, withQuote.note);
    EXPECT_EQ(reread.keptLines().size(), 1u);
}

// A save that fails leaves the file as it was; a file that cannot be read gives no book, so
// nothing can be saved over it.
TEST_F(SightingBookTest, NothingIsLostWhenTheDiskOrTheFileFails)
{
    const QByteArray before = cp1250(kHeader) + cp1250(kGood) + "ezt nem érti\r\n";
    writeFile(path(), before);
    SightingBook book = SightingBook::read(path());
    book.add(budapestEvening());
    for (const WriteStep step : {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Commit}) {
        setWriteFault(WriteFault{step, ENOSPC, 40});
        EXPECT_TRUE(failureOf([&] { book.save(path()); }).contains(u"betelt a lemez"));
        EXPECT_EQ(fileBytes(path()), before);
    }
    setWriteFault(std::nullopt);
    book.save(path());
    EXPECT_EQ(fileBytes(path()), book.fileBytes());

    // No file yet: an empty book, and its first save makes one.
    EXPECT_TRUE(SightingBook::read(dir.filePath(QStringLiteral("nincs.txt"))).records().empty());

    const QString folder = dir.filePath(QStringLiteral("mappa.txt"));
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fifo = dir.filePath(QStringLiteral("fifo.txt"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString huge = dir.filePath(QStringLiteral("nagy.txt"));
    writeFile(huge, {});
    ASSERT_TRUE(QFile::resize(huge, SightingBook::kMostBytes + 1));
    for (const QString& unreadable : {folder, fifo, huge})
        EXPECT_FALSE(failureOf([&] { SightingBook::read(unreadable); }).isEmpty()) << unreadable.toStdString();
}

} // namespace
} // namespace vkt::sightings
