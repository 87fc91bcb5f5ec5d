#include "services/FileBytes.h"
#include "tests/main/MainWindowFixture.h"

#include "services/TextFiles.h"
#include "tests/support/AccessibleTree.h"
#include "windows/main/CrescentRuns.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QScreen>
#include <QSignalSpy>
#include <QStyleOptionFrame>
#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace vkt::testing {
namespace {

// The result texts are the computation's own; here what reaches them, where they are drawn and
// what is written.
TEST_F(MainWindowTest, LastObservationDrawsSavesAndLogsOnEveryClick)
{
    writePicture("000-ujhold.gif", QSize(120, 110));
    writeBytes("utolso.txt", "2026.11.21 11:30\r\n");
    area().newMoonField->setText(QStringLiteral("2026.11.20 10:00"));
    EXPECT_EQ(unnamedControls(window.get()), "");
    const QSignalSpy announced(area().resultArea, &DrawnText::announced);
    click("lastObservationButton");
    click("lastObservationButton");
    expectNoMessage();
    // A screen reader hears of each new result and can read it, and the picture names the phase.
    const QString heard = QStringLiteral("Megfigyelés ideje: 2026. 11. 21. 11:30:00\nHoldsarló kora: 25 óra 30 perc\n"
                                         "1 nap 1 óra 30 perc\n1,04 nap\nÚjhold - 1,41 %");
    ASSERT_EQ(announced.size(), 2);
    EXPECT_EQ(announced[1][0].toString(), heard);
    EXPECT_TRUE(accessibleText(window.get()).contains(heard));
    EXPECT_TRUE(area().phasePicture->accessibleDescription().startsWith(
        QStringLiteral("Újhold, megvilágítottság: 1,41 %")));
    // The computation's lines and record with factor 53; the second run's lines replace the first's.
    const CrescentResult r = CalculateCrescentAge(*toDateTime(QStringLiteral("2026.11.20 10:00")),
                                                  *toDateTime(QStringLiteral("2026.11.21 11:30")),
                                                  IlluminationFactor::LastObservation);
    EXPECT_EQ(drawn(), computed(BuildResultLines(r, CrescentPath::LastObservation)));
    EXPECT_EQ(phasePictureSize(), QSize(120, 110));
    EXPECT_EQ(readBytes("ujhold.txt"), QByteArray("2026.11.20 10:00\r\n"));
    const QByteArray record = encodeWindows1250(BuildLogRecord(r, CrescentPath::LastObservation).join("\r\n") + "\r\n");
    EXPECT_EQ(readBytes("szamitott.txt"), record + record);
}

// A run for the clock, then the failures of both paths: each leaves the files as they were, and all
// but a missing picture the result too.
TEST_F(MainWindowTest, NowComputesForTheClockAndLaterFailuresChangeNothing)
{
    writePicture("014-novekvo.gif", QSize(135, 128));
    // "Utolsó Újhold" brings a new moon back without its line end; the computation saves it untouched.
    writeBytes("ujhold.txt", "2026.11.30 7:47\r\n");
    click("restoreNewMoonButton");
    clock->step = 1.0 / 86400;  // a second per read: one run reads the clock once
    click("nowButton");
    clock->step = 0;
    setNow(QStringLiteral("2026.12.06 22:00:09"));
    expectNoMessage();
    EXPECT_EQ(area().observationField->text(), QStringLiteral("2026. 12. 06. 22:00:09"));
    const QStringList before = drawn();
    ASSERT_EQ(before.size(), 6);
    EXPECT_TRUE(before[1].endsWith(QStringLiteral(",1265|22:00:09")));
    EXPECT_EQ(before[5], QStringLiteral("650,5120|%1Növekvő sarló - 45,02 %").arg(QString(36, u' ')));  // factor 54
    // The time of day stands at its own x, or just clear of the date when that would run into it.
    const int timeX = area().resultArea->lines()[1].leftTwips;
    const QFontMetrics metrics(area().font());
    const int dateRight = twips(650) + metrics.horizontalAdvance(area().resultArea->lines()[0].text);
    EXPECT_NEAR(twips(timeX), std::max(twips(4850), dateRight + metrics.horizontalAdvance(u' ')), 1);
    // Painted, in the window's text colour.
    const QImage line2 = area().grab(twipsRect(650, 2100, 4000, 400)).toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(line2.constBits());
    EXPECT_GT(std::count(pixels, pixels + line2.width() * line2.height(), qRgb(0x80, 0xFF, 0x80)), 50);
    EXPECT_EQ(phasePictureSize(), QSize(135, 128));
    const QByteArray lastNewMoon = readBytes("ujhold.txt");
    EXPECT_EQ(lastNewMoon, QByteArray("2026.11.30 7:47\r\n"));
    const QByteArray log = readBytes("szamitott.txt");
    // Date and time run together in the record.
    EXPECT_TRUE(log.startsWith(cp1250("Megfigyelés ideje:   2026. 12. 06.22:00:09\r\n")));

    const char* last = "lastObservationButton";
    const char* invalid = "Kérem, adjon meg egy ÉRVÉNYES ÚJHOLD / MEGFIGYELÉSI dátumot!";
    // Beyond a 32-bit minute count.
    const char* farApart = "Az újhold és a megfigyelés időpontja túl messze van egymástól (több mint 4000 év), a "
                           "holdsarló kora nem számítható ki. Kérem, ellenőrizze a dátumokat!";
    // savedObservation nullptr: no file; the message is a warning, but for the missing file.
    const struct { const char* label; const char* button; const char* savedObservation; const char* newMoon;
                   const char* message; const char* observationAfter; } rows[] = {
        {"no_file", last, nullptr, "2026.11.20 10:00", "Az 'utolsó.txt' fájl nem található!", "as typed"},
        {"empty_new_moon_observation_cut", last, "2026.11.21 11:30:00 UTC\r\n", "", invalid, "2026.11.21 11:30:00 UT"},
        {"empty_saved_observation", last, "", "2026.11.20 10:00", invalid, ""},
        {"too_far_apart", last, "9999.12.31 23:59\r\n", "0100.01.01 00:00", farApart, "9999.12.31 23:59"},
        {"now_empty_new_moon", "nowButton", nullptr, "", "Kérem, adja meg az UTOLSÓ ÚJHOLD időpontját!",
         "2026. 12. 06. 22:00:09"},
        {"now_too_far_apart", "nowButton", nullptr, "9999.12.31 23:59", farApart, "2026. 12. 06. 22:00:09"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        QFile::remove(path("utolso.txt"));
        if (r.savedObservation)
            writeBytes("utolso.txt", r.savedObservation);
        area().newMoonField->setText(QString::fromUtf8(r.newMoon));
        area().observationField->setText(QStringLiteral("as typed"));
        click(r.button);
        expectOneMessage(&r == rows ? MessageIcon::Error : MessageIcon::Warning, QString::fromUtf8(r.message));
        EXPECT_EQ(area().observationField->text(), QString::fromUtf8(r.observationAfter));
        EXPECT_EQ(drawn(), before);
        EXPECT_EQ(phasePictureSize(), QSize(135, 128));
        EXPECT_EQ(readBytes("ujhold.txt"), lastNewMoon);
        EXPECT_EQ(readBytes("szamitott.txt"), log);
    }

    // A log record that the disk cannot take is reported with its reason, and no part of it stays.
    // A new moon that cannot be saved does not cost the record: it is logged, then the failed save
    // is reported (both failures, when neither file takes its bytes). A FIFO in the log's place is
    // refused at once instead of waiting for a reader.
    area().newMoonField->setText(QStringLiteral("2026.11.30 7:47"));
    const QString notSaved = QStringLiteral("ujhold.txt' fájl nem írható: be- vagy kiviteli hiba");
    const QString notLogged = QStringLiteral("szamitott.txt' fájl nem írható: ");
    // said: parts of each message, in order.
    const struct { const char* label; std::optional<WriteFault> fault; bool fifoLog; QStringList said; QByteArray logAfter; } unsaved[] = {
        {"log a FIFO", std::nullopt, true, {notLogged + notRegularReason(S_IFIFO)}, {}},
        {"log on a full disk", WriteFault{WriteStep::Write, ENOSPC, 40, QStringLiteral("szamitott.txt")}, false,
         {notLogged + reasonText(ENOSPC)}, log},
        {"new moon", WriteFault{WriteStep::Commit, EIO, 0, QStringLiteral("ujhold.txt")}, false, {notSaved}, log + log},
        {"neither", WriteFault{WriteStep::Open, EIO}, false, {notSaved, notLogged + reasonText(EIO)}, log},
    };
    for (const auto& u : unsaved) {
        SCOPED_TRACE(u.label);
        QFile::remove(path("szamitott.txt"));
        if (u.fifoLog)
            ASSERT_EQ(::mkfifo(path("szamitott.txt").toLocal8Bit().constData(), 0600), 0);
        else
            writeBytes("szamitott.txt", log);
        setWriteFault(u.fault);
        click("nowButton");
        setWriteFault(std::nullopt);
        ASSERT_EQ(messages->messages.size(), size_t(u.said.size())) << firstText();
        for (qsizetype i = 0; i < u.said.size(); ++i)
            EXPECT_TRUE(messages->messages[i].text.contains(u.said[i]) && messages->messages[i].icon == MessageIcon::Error)
                << messages->messages[i].text.toStdString();
        messages->messages.clear();
        EXPECT_EQ(readBytes("ujhold.txt"), lastNewMoon);
        if (u.fifoLog)
            EXPECT_FALSE(QFileInfo(path("szamitott.txt")).isFile());  // still the FIFO, which reading would wait on
        else
            EXPECT_EQ(readBytes("szamitott.txt"), u.logAfter);
    }

    setNow(QStringLiteral("2026.11.22 07:47"));  // two days: "004-novekvo.gif", which is missing
    area().newMoonField->setText(QStringLiteral("2026.11.20 07:47"));
    click("nowButton");
    expectOneMessage(MessageIcon::Error, QStringLiteral("004-novekvo.gif"), false);
    EXPECT_TRUE(drawn().isEmpty());  // cleared before the picture, no line drawn after it
    EXPECT_EQ(phasePictureSize(), QSize(135, 128));
    EXPECT_EQ(readBytes("ujhold.txt"), lastNewMoon);
    EXPECT_EQ(readBytes("szamitott.txt"), log);
}

// The widest result of a lunation, on both paths, stays inside the left frame and the widest
// times inside their fields, whatever the font DPI (CTest runs this again at 120 and 144 dpi).
TEST_F(MainWindowTest, ResultLinesFitTheirFramesAtAnyFontDpi)
{
    if (const int dpi = qEnvironmentVariableIntValue("QT_FONT_DPI")) {
        ASSERT_EQ(QGuiApplication::primaryScreen()->logicalDotsPerInch(), dpi);  // the setting took hold
    }
    writePicture("000-ujhold.gif", QSize(137, 137));
    setNow(QStringLiteral("2026.12.28 23:59:58"));
    CrescentResult widest = CalculateCrescentAge(*toDateTime(QStringLiteral("2026.11.28 00:00")),
                                                 *toDateTime(QStringLiteral("2026.12.28 23:59:58")),
                                                 IlluminationFactor::Now);
    ASSERT_EQ(widest.TotalHours, 743);
    widest.Illumination = 100;
    widest.PhaseName = QStringLiteral("Növekvő sarló");  // the longest name of the table
    const QFontMetrics metrics(area().resultArea->font());
    const QRect frame = twipsRect(360, 480, 6015, 5295);  // the left half
    for (CrescentPath path : {CrescentPath::LastObservation, CrescentPath::Now}) {
        ShowCrescentResult(area(), widest, path);
        for (const DrawnText::Line& line : area().resultArea->lines()) {
            const QRect drawnAt(twipsPoint(line.leftTwips, line.topTwips),
                                QSize(metrics.horizontalAdvance(line.text), metrics.height()));
            EXPECT_TRUE(frame.contains(drawnAt)) << line.text.toStdString();
        }
    }
    area().newMoonField->setText(QStringLiteral("2026.12.28 23:59"));
    area().observationField->setText(QStringLiteral("2026. 12. 28. 23:59:58"));
    for (const QLineEdit* field : {area().newMoonField, area().observationField}) {
        // What a line edit leaves for its text: inside the frame and its text margins, 2 pixels on
        // either side and 1 for the cursor.
        QStyleOptionFrame option;
        option.initFrom(field);
        option.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, field);
        const QRect room =
            field->style()->subElementRect(QStyle::SE_LineEditContents, &option, field) - field->textMargins();
        EXPECT_LE(field->fontMetrics().horizontalAdvance(field->text()) + 2 * 2 + 1, room.width())
            << field->objectName().toStdString();
    }
}

} // namespace
} // namespace vkt::testing
