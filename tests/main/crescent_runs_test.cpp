#include "DrawnText.h"
#include "MainWindowFixture.h"
#include "PhasePicture.h"
#include "Twips.h"

#include <QFontMetrics>
#include <QLineEdit>
#include <algorithm>

namespace vkt {
namespace {

using testing::cp1250;
using testing::MainWindowTest;

const QString kIndent(36, u' ');

class CrescentRunsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // Different sizes tell the phase pictures apart once loaded.
        writePicture(QStringLiteral("000-ujhold.gif"), QSize(120, 110));
        writePicture(QStringLiteral("040-telihold.gif"), QSize(130, 125));
    }

    // "left,top|text" for every drawn line.
    QStringList drawn() const
    {
        QStringList out;
        for (const DrawnText::Line& l : area().drawing->lines())
            out.append(QStringLiteral("%1,%2|%3").arg(l.leftTwips).arg(l.topTwips).arg(l.text));
        return out;
    }
    QSize picture() const { return area().Picture1->pixmap().size(); }
};

TEST_F(CrescentRunsTest, LastObservationDrawsSavesAndLogsOnEveryClick)
{
    writeBytes(QStringLiteral("utolso.txt"), "2026.11.21 11:30\r\n");
    area().Text11->setText(QStringLiteral("2026.11.20 10:00"));
    click("Command1");
    click("Command1");
    expectNoMessage();
    EXPECT_EQ(area().Text12->text(), QStringLiteral("2026.11.21 11:30\r\n"));
    EXPECT_EQ(drawn(), QStringList({
                           QStringLiteral("650,1265|Megfigyelés ideje:         2026. 11. 21. 11:30:00"),
                           QStringLiteral("650,2100|Holdsarló kora:             25 óra 30 perc"),
                           QStringLiteral("650,2800|") + kIndent + QStringLiteral("1 nap  1 óra 30 perc"),
                           QStringLiteral("650,3300|") + kIndent + QStringLiteral("1,04 nap"),
                           QStringLiteral("650,5120|") + kIndent + QStringLiteral("Újhold - 1,41 %"),
                       }));  // the second run replaced the first one's lines
    EXPECT_EQ(picture(), QSize(120, 110));
    EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), QByteArray("2026.11.20 10:00\r\n"));
    const QByteArray record("Megfigyel\xe9s ideje:   2026. 11. 21. 11:30:00\r\n"
                            "Holdsarl\xf3 kora:      25 \xf3ra 30 perc\r\n"
                            "Holdsarl\xf3 kora:      1 nap  1 \xf3ra 30 perc\r\n"
                            "Holdsarl\xf3 kora:      1,04 nap\r\n"
                            "Holdf\xe1zis:           \xdajhold  ---  1,4 %\r\n"
                            "      \r\n      \r\n");
    EXPECT_EQ(readBytes(QStringLiteral("szamitott.txt")), record + record);
}

TEST_F(CrescentRunsTest, NowComputesForTheClockInTheWindowColour)
{
    writePicture(QStringLiteral("014-novekvo.gif"), QSize(135, 128));
    // "Utolsó Újhold" brings a short new moon back with its CR; the computation saves it untouched.
    writeBytes(QStringLiteral("ujhold.txt"), "2026.11.30 7:47\r\n");
    click("Command3");
    const auto greenInLine2 = [this] {
        const QImage image =
            area().grab(twipsRect(650, 2100, 4000, 400)).toImage().convertToFormat(QImage::Format_RGB32);
        const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
        return std::count(pixels, pixels + image.width() * image.height(), qRgb(0x80, 0xFF, 0x80));
    };
    EXPECT_EQ(greenInLine2(), 0);
    click("Command2");
    EXPECT_GT(greenInLine2(), 50);

    expectNoMessage();
    EXPECT_EQ(area().Text12->text(), QStringLiteral("2026. 12. 06. 22:00:09"));
    const QStringList lines = drawn();
    ASSERT_EQ(lines.size(), 6);
    EXPECT_EQ(lines[0], QStringLiteral("650,1265|Megfigyelés ideje:         2026. 12. 06."));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral(",1265|22:00:09")));
    EXPECT_EQ(lines[5], QStringLiteral("650,5120|") + kIndent + QStringLiteral("Növekvő sarló - 45,02 %"));  // factor
    // The time of day stands at its own x, or just clear of the date when that would run into it.
    const int timeX = area().drawing->lines()[1].leftTwips;
    const QFontMetrics metrics(area().font());
    const int dateRight = twips(650) + metrics.horizontalAdvance(area().drawing->lines()[0].text);
    EXPECT_GE(timeX, 4850);
    EXPECT_NEAR(twips(timeX), std::max(twips(4850), dateRight + metrics.horizontalAdvance(u' ')), 1);
    EXPECT_EQ(picture(), QSize(135, 128));
    EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), QByteArray("2026.11.30 7:47\r\r\n"));
    const QByteArray log = readBytes(QStringLiteral("szamitott.txt"));
    // Date and time run together in the record.
    EXPECT_TRUE(log.startsWith(cp1250("Megfigyelés ideje:   2026. 12. 06.22:00:09\r\n")));
    EXPECT_EQ(log.count("\r\n"), 7);
}

// Every failure leaves every file as it was, and all but a missing picture the previous result too.
TEST_F(CrescentRunsTest, FailuresLeaveTheFilesAsTheyWere)
{
    area().Text11->setText(QStringLiteral("2026.11.20 07:47"));
    click("Command2");
    const QStringList before = drawn();
    ASSERT_EQ(before.size(), 6);
    const QByteArray ujhold = readBytes(QStringLiteral("ujhold.txt"));
    const QByteArray log = readBytes(QStringLiteral("szamitott.txt"));

    const char* absent = "Az 'utolsó.txt' fájl nem található!";  // the only error; the rest are warnings
    const char* invalid = "Kérem, adjon meg egy ÉRVÉNYES ÚJHOLD / MEGFIGYELÉSI dátumot!";
    const char* noNewMoon = "Kérem, adja meg az UTOLSÓ ÚJHOLD időpontját!";
    // Beyond a 32-bit minute count.
    const char* farApart = "Az újhold és a megfigyelés időpontja túl messze van egymástól (több mint 4000 év), a "
                           "holdsarló kora nem számítható ki. Kérem, ellenőrizze a dátumokat!";
    const char* clock = "2026. 12. 06. 22:00:09";
    const struct {
        const char* label;
        const char* button;
        const char* utolso;  // nullptr: no file
        const char* text11;
        const char* message;
        const char* text12After;
    } rows[] = {
        {"no_saved_observation", "Command1", nullptr, "2026.11.20 10:00", absent, "as typed"},
        {"empty_new_moon", "Command1", "2026.11.21 11:30\r\n", "", invalid, "2026.11.21 11:30\r\n"},
        {"new_moon_not_a_date", "Command1", "2026.11.21 11:30\r\n", "holnap", invalid, "2026.11.21 11:30\r\n"},
        {"empty_saved_observation", "Command1", "", "2026.11.20 10:00", invalid, ""},
        {"saved_observation_not_a_date", "Command1", "2026.13.01 10:00\r\n", "2026.11.20 10:00", invalid,
         "2026.13.01 10:00\r\n"},
        {"too_far_apart", "Command1", "9999.12.31 23:59\r\n", "0100.01.01 00:00", farApart, "9999.12.31 23:59\r\n"},
        {"now_empty_new_moon", "Command2", nullptr, "", noNewMoon, clock},
        {"now_no_such_day", "Command2", nullptr, "2026.02.30 10:00", noNewMoon, clock},
        {"now_too_far_apart", "Command2", nullptr, "9999.12.31 23:59", farApart, clock},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        QFile::remove(path(QStringLiteral("utolso.txt")));
        if (r.utolso)
            writeBytes(QStringLiteral("utolso.txt"), r.utolso);
        area().Text11->setText(QString::fromUtf8(r.text11));
        area().Text12->setText(QStringLiteral("as typed"));
        click(r.button);
        const MessageIcon icon = r.message == absent ? MessageIcon::Error : MessageIcon::Warning;
        expectOneMessage(icon, QString::fromUtf8(r.message));
        EXPECT_EQ(area().Text12->text(), QString::fromUtf8(r.text12After));
        EXPECT_EQ(drawn(), before);
        EXPECT_EQ(picture(), QSize(130, 125));
        EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), ujhold);
        EXPECT_EQ(readBytes(QStringLiteral("szamitott.txt")), log);
    }

    setNow(QStringLiteral("2026.11.22 07:47"));  // two days: "004-novekvo.gif", which is missing
    area().Text11->setText(QStringLiteral("2026.11.20 07:47"));
    click("Command2");
    expectOneMessage(MessageIcon::Error, QStringLiteral("004-novekvo.gif"), false);
    EXPECT_TRUE(drawn().isEmpty());  // cleared before the picture, no line drawn after it
    EXPECT_EQ(picture(), QSize(130, 125));
    EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), ujhold);
    EXPECT_EQ(readBytes(QStringLiteral("szamitott.txt")), log);
}

} // namespace
} // namespace vkt
