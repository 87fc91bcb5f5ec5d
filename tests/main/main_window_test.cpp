#include "MainWindowFixture.h"
#include "Twips.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTest>

namespace vkt {
namespace {

using testing::cp1250;
using testing::MainWindowTest;

// Button faces keep their colour under any style, and the frames and lines are painted.
TEST_F(MainWindowTest, PaintsTheDesignColoursAndASerifFont)
{
    // "Times New Roman CE" must reach a serif face, not the default sans.
    EXPECT_EQ(QFontInfo(area().font()).family(), QStringLiteral("Liberation Serif"));
    const QImage image = area().grab().toImage();
    const QColor grey(0x80, 0x80, 0x80), black(0x00, 0x00, 0x00), green(0x80, 0xFF, 0x80), pale(0xFF, 0xFF, 0xC0);
    const struct {
        const char* what;
        int xTwips, yTwips;  // a point inside the thing, away from text
        QColor colour;
    } probes[] = {
        {"Command3", 6900, 2700, QColor(0xFF, 0xFF, 0x80)}, {"Command2", 9180, 4980, QColor(0xC0, 0xFF, 0xFF)},
        {"Command6", 9780, 1860, pale}, {"Command1", 6900, 4980, green}, {"Command14", 9780, 4260, green},
        {"Ujholdak", 6930, 2000, pale}, {"Text12", 9300, 4420, black}, {"Shape1", 6600 + 4335 - 15, 3000, grey},
        {"Shape3", 600, 4000, grey}, {"Line2", 8000, 3360, grey}, {"background", 6480, 3000, black},
    };
    for (const auto& p : probes)
        EXPECT_EQ(image.pixelColor(twips(p.xTwips), twips(p.yTwips)), p.colour) << p.what;
}

TEST_F(MainWindowTest, FieldsRefuseTextBeyondTheirLimits)
{
    const QString typed = QStringLiteral("2026.12.06 22:00:09 --- 1234567890");
    const QString put = QStringLiteral("2026. 12. 06. 22:00:09\r\n");
    for (auto [field, length] : {std::pair{area().Text11, 16}, std::pair{area().Text12, 22}}) {
        SCOPED_TRACE(length);
        QTest::keyClicks(field, typed);
        EXPECT_EQ(field->text(), typed.left(length));
        field->setText(put);  // text the program puts in is cut too, without a word
        EXPECT_EQ(field->text(), put.left(length));
    }
    expectNoMessage();
}

TEST_F(MainWindowTest, NewMoonListTakesEveryLineAsWritten)
{
    const struct {
        const char* label;
        const char* file;  // UTF-8, written in Windows-1250
        QStringList entries;
    } cases[] = {
        {"empty_file", "", {}},
        {"final_line_end_adds_no_entry", "2026.11.20 07:47\r\n2026.12.20 01:43\r\n", {"2026.11.20 07:47", "2026.12.20 01:43"}},
        {"last_line_without_line_end", "2026.11.20 07:47\r\n2026.12.20 01:43", {"2026.11.20 07:47", "2026.12.20 01:43"}},
        {"empty_line_inside", "2026.11.20 07:47\r\n\r\n2026.12.20 01:43\r\n", {"2026.11.20 07:47", "", "2026.12.20 01:43"}},
        {"long_line_and_blanks_whole", "  2026.11.20 07:47:00 UT, Skorpió ő ű\r\n",
         {QStringLiteral("  2026.11.20 07:47:00 UT, Skorpió ő ű")}},
    };
    writeBytes(QStringLiteral("ujhold.txt"), "2026.11.20 07:47\r\n");
    writeBytes(QStringLiteral("utolso.txt"), "2026.12.06 22:00\r\n");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        openWith(c.file);
        QStringList entries;
        for (int i = 0; i < area().Ujholdak->count(); ++i)
            entries.append(area().Ujholdak->itemText(i));
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(area().Ujholdak->currentIndex(), -1);
        // A fresh start shows both fields empty, whatever the saved files hold.
        EXPECT_TRUE(area().Text11->text().isEmpty() && area().Text12->text().isEmpty());
    }
    expectNoMessage();
}

TEST_F(MainWindowTest, MissingOrUnreadableNewMoonListStillOpensTheWindow)
{
    ASSERT_TRUE(QFile::remove(path(QStringLiteral("ujholdak.txt"))));
    for (const bool unreadable : {false, true}) {
        SCOPED_TRACE(unreadable);
        if (unreadable) {
            ASSERT_TRUE(QDir(dir->path()).mkdir(QStringLiteral("ujholdak.txt")));  // a folder cannot be read as text
        }
        openWith(nullptr);
        expectOneMessage(MessageIcon::Error, QStringLiteral("Az 'ujholdak.txt' fájl nem található!"));
        EXPECT_EQ(area().Ujholdak->count(), 0);
    }
}

TEST_F(MainWindowTest, OkCopiesTheChosenEntryAndSavesText11)
{
    openWith("2026.11.20 07:47\r\n\r\n2026.12.20 01:43:00 UT\r\n");
    const struct {
        const char* label;
        int chosen;  // -1: no entry chosen
        const char* text11Before;
        const char* text11After;  // saved in ujhold.txt with CR LF
    } cases[] = {
        {"entry_replaces_typed_text", 0, "2000.01.01", "2026.11.20 07:47"},
        {"empty_entry_empties_the_field", 1, "2026.11.20 07:47", ""},
        {"long_entry_cut_to_16", 2, "", "2026.12.20 01:43"},
        {"nothing_chosen_keeps_the_field", -1, "2026.11.2 7:47", "2026.11.2 7:47"},
        {"nothing_chosen_and_empty", -1, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        area().Ujholdak->setCurrentIndex(c.chosen);
        area().Text11->setText(QString::fromUtf8(c.text11Before));
        click("Command6");
        EXPECT_EQ(area().Text11->text(), QString::fromUtf8(c.text11After));
        EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), QByteArray(c.text11After) + "\r\n");
        EXPECT_EQ(area().Ujholdak->count(), 3);  // the list itself is never changed
    }
    expectNoMessage();
}

TEST_F(MainWindowTest, LastNewMoonComesBackCutTo16)
{
    const struct {
        const char* label;
        const char* ujhold;  // UTF-8, written in Windows-1250; nullptr: no file
        QString text11;
    } cases[] = {
        {"sixteen_characters_arrive_without_line_end", "2026.11.20 07:47\r\n", QStringLiteral("2026.11.20 07:47")},
        {"fifteen_keep_the_cr", "2026.11.20 7:47\r\n", QStringLiteral("2026.11.20 7:47\r")},
        {"shorter_keep_cr_lf", "2026.11.20\r\n", QStringLiteral("2026.11.20\r\n")},
        {"central_european_letters", "ő ű\r\n", QStringLiteral("ő ű\r\n")},
        {"no_file_leaves_the_field", nullptr, QStringLiteral("ő ű\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(path(QStringLiteral("ujhold.txt")));
        if (c.ujhold)
            writeBytes(QStringLiteral("ujhold.txt"), cp1250(c.ujhold));
        click("Command3");
        if (!c.ujhold)
            expectOneMessage(MessageIcon::Error, QStringLiteral("Az 'ujhold.txt' fájl nem található!"));
        EXPECT_EQ(area().Text11->text(), c.text11);
        EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), c.ujhold ? cp1250(c.ujhold) : QByteArray());
    }
    EXPECT_FALSE(exists(QStringLiteral("ujhold.txt")));
    expectNoMessage();
}

TEST_F(MainWindowTest, SaveWritesTheObservationAsTypedButNoBlankOne)
{
    const struct {
        const char* text12;
        const char* utolso;  // nullptr: refused, the old file stays
    } cases[] = {
        {"2026. 12. 06. 22:00:09", "2026. 12. 06. 22:00:09\r\n"},
        {"  nem dátum  ", "  nem dátum  \r\n"},  // blanks kept; a date is checked only when computing
        {"", nullptr}, {"      ", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text12);
        writeBytes(QStringLiteral("utolso.txt"), "2026.12.01 18:00\r\n");
        area().Text12->setText(QString::fromUtf8(c.text12));
        click("Command14");
        if (!c.utolso)
            expectOneMessage(MessageIcon::Warning, QStringLiteral("Üres dátumot NEM mentek!"));
        EXPECT_EQ(readBytes(QStringLiteral("utolso.txt")), cp1250(c.utolso ? c.utolso : "2026.12.01 18:00\r\n"));
    }
    expectNoMessage();
}

TEST_F(MainWindowTest, WriteFailuresAreNamedAndLeaveTheFilesWhole)
{
    writeBytes(QStringLiteral("ujhold.txt"), "2026.11.20 07:47\r\n");
    area().Text11->setText(QStringLiteral("2026.11.20 ✓"));  // beyond the code page
    click("Command6");
    expectOneMessage(MessageIcon::Error, QStringLiteral("✓"), false);
    EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), QByteArray("2026.11.20 07:47\r\n"));

    qputenv("VKT_DATA_DIR", path(QStringLiteral("gone")).toLocal8Bit());
    area().Text12->setText(QStringLiteral("2026.12.06 22:00"));
    click("Command6");
    expectOneMessage(MessageIcon::Error, QStringLiteral("ujhold.txt"), false);
    click("Command14");
    expectOneMessage(MessageIcon::Error, QStringLiteral("utolso.txt"), false);
}

} // namespace
} // namespace vkt
