#include <QFontMetrics>
#include "DrawnText.h"
#include "MainWindowFixture.h"
#include "Phase.h"
#include "PhasePicture.h"
#include "TextFiles.h"
#include "Twips.h"

#include <QLineEdit>

namespace vkt {
namespace {

using testing::crlfLines;
using testing::MainWindowTest;

const QString kIndent(36, u' ');

struct Drawn {
    int x, y;
    QString text;
};

class CrescentRunsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeLines(QStringLiteral("ujholdak.txt"), {QStringLiteral("2026.11.20 07:47")});
        // Different sizes tell the phase pictures apart once loaded.
        writePicture(QStringLiteral("000-ujhold.gif"), QSize(120, 110));
        writePicture(QStringLiteral("040-telihold.gif"), QSize(130, 125));
        openWindow();
    }

    std::vector<Drawn> drawn() const
    {
        std::vector<Drawn> out;
        for (const DrawnText::Line& l : area().drawing->lines())
            out.push_back({l.leftTwips, l.topTwips, l.text});
        return out;
    }

    void expectDrawn(const std::vector<Drawn>& expected) const
    {
        const std::vector<Drawn> actual = drawn();
        ASSERT_EQ(actual.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            SCOPED_TRACE(i);
            if (expected[i].x >= 0) {  // a negative x: the position is checked on its own
                EXPECT_EQ(actual[i].x, expected[i].x);
            }
            EXPECT_EQ(actual[i].y, expected[i].y);
            EXPECT_EQ(actual[i].text, expected[i].text);
        }
    }

    void expectNothingWritten() const
    {
        EXPECT_FALSE(exists(QStringLiteral("ujhold.txt")));
        EXPECT_FALSE(exists(QStringLiteral("szamitott.txt")));
    }
};

// New moon 10:00, observation 11:30 the next day.
const QStringList kWorkedExampleRecord = {
    QStringLiteral("Megfigyelés ideje:   2026. 11. 21. 11:30:00"),
    QStringLiteral("Holdsarló kora:      25 óra 30 perc"),
    QStringLiteral("Holdsarló kora:      1 nap  1 óra 30 perc"),
    QStringLiteral("Holdsarló kora:      1,04 nap"),
    QStringLiteral("Holdfázis:           Újhold  ---  1,4 %"),
    QStringLiteral("      "),
    QStringLiteral("      "),
};

TEST_F(CrescentRunsTest, LastObservationComputesDrawsSavesAndLogs)
{
    writeBytes(QStringLiteral("utolso.txt"), "2026.11.21 11:30\r\n");
    area().Text11->setText(QStringLiteral("2026.11.20 10:00"));
    click("Command1");

    EXPECT_TRUE(messages->messages.empty()) << messageTexts().join(u'|').toStdString();
    EXPECT_EQ(area().Text12->text(), QStringLiteral("2026.11.21 11:30\r\n"));
    expectDrawn({
        {650, 1265, QStringLiteral("Megfigyelés ideje:         2026. 11. 21. 11:30:00")},
        {650, 2100, QStringLiteral("Holdsarló kora:             25 óra 30 perc")},
        {650, 2800, kIndent + QStringLiteral("1 nap  1 óra 30 perc")},
        {650, 3300, kIndent + QStringLiteral("1,04 nap")},
        {650, 5120, kIndent + QStringLiteral("Újhold - 1,41 %")},
    });
    EXPECT_EQ(area().Picture1->pixmap().size(), QSize(120, 110));
    EXPECT_EQ(area().Picture1->geometry(), QRect(twipsPoint(840, 3000), QSize(120, 110)));
    EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), QByteArray("2026.11.20 10:00\r\n"));
    const QByteArray record = crlfLines(kWorkedExampleRecord);
    EXPECT_EQ(readBytes(QStringLiteral("szamitott.txt")), record);
    // The exact bytes: Windows-1250 letters, CR LF ends.
    EXPECT_TRUE(record.startsWith("Megfigyel\xe9s ideje:   2026. 11. 21. 11:30:00\r\nHoldsarl\xf3 kora:      25 \xf3ra"));
    EXPECT_TRUE(record.endsWith("\xdajhold  ---  1,4 %\r\n      \r\n      \r\n"));
}

TEST_F(CrescentRunsTest, NowComputesForTheClock)
{
    writePicture(QStringLiteral("014-novekvo.gif"), QSize(135, 128));
    setNow(QStringLiteral("2026.12.06 22:00:09"));
    area().Text11->setText(QStringLiteral("2026.11.30 07:47"));
    click("Command2");

    EXPECT_TRUE(messages->messages.empty()) << messageTexts().join(u'|').toStdString();
    EXPECT_EQ(area().Text12->text(), QStringLiteral("2026. 12. 06. 22:00:09"));
    expectDrawn({
        {650, 1265, QStringLiteral("Megfigyelés ideje:         2026. 12. 06.")},
        {-1, 1265, QStringLiteral("22:00:09")},
        {650, 2100, QStringLiteral("Holdsarló kora:             158 óra 13 perc")},
        {650, 2800, kIndent + QStringLiteral("6 nap  14 óra 13 perc")},
        {650, 3300, kIndent + QStringLiteral("6,58 nap")},
        {650, 5120, kIndent + QStringLiteral("Növekvő sarló - 45,02 %")},  // the factor 54 of this path
    });
    // The time of day stands at its own x, or further right when the date would run into it.
    const QFontMetrics metrics(area().font());
    const int dateRight = twips(650) + metrics.horizontalAdvance(drawn()[0].text);
    EXPECT_GE(drawn()[1].x, 4850);
    EXPECT_GE(twips(drawn()[1].x), dateRight + metrics.horizontalAdvance(u' ') - 1);
    EXPECT_TRUE(drawn()[1].x == 4850 || twips(drawn()[1].x) <= dateRight + 2 * metrics.horizontalAdvance(u' '));
    EXPECT_EQ(area().Picture1->pixmap().size(), QSize(135, 128));
    EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), QByteArray("2026.11.30 07:47\r\n"));
    EXPECT_EQ(readBytes(QStringLiteral("szamitott.txt")),
              crlfLines({
                  QStringLiteral("Megfigyelés ideje:   2026. 12. 06.22:00:09"),  // date and time run together
                  QStringLiteral("Holdsarló kora:      158 óra 13 perc"),
                  QStringLiteral("Holdsarló kora:      6 nap  14 óra 13 perc"),
                  QStringLiteral("Holdsarló kora:      6,58 nap"),
                  QStringLiteral("Holdfázis:           Növekvő sarló  ---  45,0 %"),
                  QStringLiteral("      "),
                  QStringLiteral("      "),
              }));
}

TEST_F(CrescentRunsTest, TwoClicksAppendTwoRecords)
{
    writeBytes(QStringLiteral("utolso.txt"), "2026.11.21 11:30\r\n");
    area().Text11->setText(QStringLiteral("2026.11.20 10:00"));
    click("Command1");
    click("Command1");
    EXPECT_EQ(readBytes(QStringLiteral("szamitott.txt")), crlfLines(kWorkedExampleRecord + kWorkedExampleRecord));
    EXPECT_EQ(drawn().size(), 5u);  // the second run replaced the first one's lines

    setNow(QStringLiteral("2026.11.20 10:00"));
    click("Command2");
    setNow(QStringLiteral("2026.11.20 10:01:30"));
    click("Command2");
    const QStringList log = splitLines(decodeWindows1250(readBytes(QStringLiteral("szamitott.txt"))));
    ASSERT_EQ(log.size(), 28);
    EXPECT_EQ(log[14], QStringLiteral("Megfigyelés ideje:   2026. 11. 20.10:00:00"));
    EXPECT_EQ(log[15], QStringLiteral("Holdsarló kora:      0 óra 0 perc"));
    EXPECT_EQ(log[21], QStringLiteral("Megfigyelés ideje:   2026. 11. 20.10:01:30"));
    EXPECT_EQ(log[22], QStringLiteral("Holdsarló kora:      0 óra 1 perc"));
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(CrescentRunsTest, NewMoonIsSavedAsTypedWithItsLineEnd)
{
    // "Utolsó Újhold" brings a short value back with its CR LF; the computation saves it untouched.
    writeBytes(QStringLiteral("ujhold.txt"), "2026.11.20 7:47\r\n");
    click("Command3");
    EXPECT_EQ(area().Text11->text(), QStringLiteral("2026.11.20 7:47\r"));
    click("Command2");
    EXPECT_TRUE(messages->messages.empty()) << messageTexts().join(u'|').toStdString();
    EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), QByteArray("2026.11.20 7:47\r\r\n"));
}

struct FailureRow {
    const char* label;
    const char* button;
    const char* utolso;  // nullptr: no file
    const char* text11;
    const char* message;
    MessageIcon icon;
    const char* text12After;
};

// Every failure leaves the previous result on the window and every file as it was.
TEST_F(CrescentRunsTest, FailuresChangeNothingButText12)
{
    area().Text11->setText(QStringLiteral("2026.11.20 07:47"));
    click("Command2");
    const std::vector<Drawn> before = drawn();
    ASSERT_EQ(before.size(), 6u);
    const QByteArray ujhold = readBytes(QStringLiteral("ujhold.txt"));
    const QByteArray log = readBytes(QStringLiteral("szamitott.txt"));

    const char* absent = "Az 'utolsó.txt' fájl nem található!";
    const char* invalid = "Kérem, adjon meg egy ÉRVÉNYES ÚJHOLD / MEGFIGYELÉSI dátumot!";
    const char* noNewMoon = "Kérem, adja meg az UTOLSÓ ÚJHOLD időpontját!";
    const MessageIcon error = MessageIcon::Error, warning = MessageIcon::Warning;
    const FailureRow rows[] = {
        {"no_saved_observation", "Command1", nullptr, "2026.11.20 10:00", absent, error, "as typed"},
        {"empty_new_moon", "Command1", "2026.11.21 11:30\r\n", "", invalid, warning, "2026.11.21 11:30\r\n"},
        {"new_moon_not_a_date", "Command1", "2026.11.21 11:30\r\n", "holnap", invalid, warning, "2026.11.21 11:30\r\n"},
        {"empty_saved_observation", "Command1", "", "2026.11.20 10:00", invalid, warning, ""},
        {"saved_observation_not_a_date", "Command1", "2026.13.01 10:00\r\n", "2026.11.20 10:00", invalid, warning,
         "2026.13.01 10:00\r\n"},
        {"now_empty_new_moon", "Command2", nullptr, "", noNewMoon, warning, "2026. 12. 06. 22:00:09"},
        {"now_blank_new_moon", "Command2", nullptr, "   ", noNewMoon, warning, "2026. 12. 06. 22:00:09"},
        {"now_no_such_day", "Command2", nullptr, "2026.02.30 10:00", noNewMoon, warning, "2026. 12. 06. 22:00:09"},
    };
    for (const FailureRow& r : rows) {
        SCOPED_TRACE(r.label);
        QFile::remove(path(QStringLiteral("utolso.txt")));
        if (r.utolso)
            writeBytes(QStringLiteral("utolso.txt"), r.utolso);
        messages->messages.clear();
        area().Text11->setText(QString::fromUtf8(r.text11));
        area().Text12->setText(QStringLiteral("as typed"));
        click(r.button);
        expectOneMessage(QString::fromUtf8(r.message), r.icon);
        EXPECT_EQ(area().Text12->text(), QString::fromUtf8(r.text12After));
        ASSERT_EQ(drawn().size(), before.size());
        EXPECT_EQ(drawn()[2].text, before[2].text);
        EXPECT_EQ(area().Picture1->pixmap().size(), QSize(130, 125));
        EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), ujhold);
        EXPECT_EQ(readBytes(QStringLiteral("szamitott.txt")), log);
    }
}

TEST_F(CrescentRunsTest, TimesTooFarApartAreRefusedWithAWarning)
{
    // Nearly 9,900 years: beyond a 32-bit minute count.
    writeBytes(QStringLiteral("utolso.txt"), "9999.12.31 23:59\r\n");
    setNow(QStringLiteral("9999.12.31 23:59"));
    area().Text11->setText(QStringLiteral("0100.01.01 00:00"));
    for (const char* button : {"Command1", "Command2"}) {
        SCOPED_TRACE(button);
        messages->messages.clear();
        click(button);
        ASSERT_EQ(messages->messages.size(), 1u);
        EXPECT_EQ(messages->messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("túl messze")));
        EXPECT_TRUE(drawn().empty());
        expectNothingWritten();
    }
    // The largest span that still fits computes normally.
    for (const PhaseRow& row : PhaseTable)
        writePicture(QString::fromLatin1(row.pictureFile), QSize(20, 20));
    messages->messages.clear();
    setNow(QStringLiteral("4083.01.01 00:00"));
    click("Command2");
    EXPECT_TRUE(messages->messages.empty()) << messageTexts().join(u'|').toStdString();
    EXPECT_TRUE(exists(QStringLiteral("szamitott.txt")));
}

TEST_F(CrescentRunsTest, MissingPhasePictureIsNamedAndNothingIsWritten)
{
    area().Text11->setText(QStringLiteral("2026.11.20 07:47"));
    click("Command2");  // a first result, with its picture
    ASSERT_EQ(drawn().size(), 6u);
    QFile::remove(path(QStringLiteral("ujhold.txt")));
    QFile::remove(path(QStringLiteral("szamitott.txt")));

    setNow(QStringLiteral("2026.11.22 07:47"));  // two days: "004-novekvo.gif", which is missing
    click("Command2");
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("004-novekvo.gif")))
        << messages->messages[0].text.toStdString();
    EXPECT_TRUE(drawn().empty());  // cleared before the picture, no line drawn after it
    EXPECT_EQ(area().Picture1->pixmap().size(), QSize(130, 125));
    expectNothingWritten();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(CrescentRunsTest, ResultIsPaintedInTheWindowColour)
{
    area().Text11->setText(QStringLiteral("2026.11.20 07:47"));
    const auto greenInLine2 = [this] {
        const QImage image = area().grab(twipsRect(650, 2100, 4000, 400)).toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixelColor(x, y) == QColor(0x80, 0xFF, 0x80);
        return count;
    };
    EXPECT_EQ(greenInLine2(), 0);
    click("Command2");
    EXPECT_GT(greenInLine2(), 50);
}

} // namespace
} // namespace vkt
