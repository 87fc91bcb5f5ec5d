#include "MainWindowFixture.h"

#include <QComboBox>
#include <QLineEdit>

namespace vkt {
namespace {

using testing::cp1250;
using testing::MainWindowTest;

class SavedTimesButtonsTest : public MainWindowTest {
protected:
    void openWith(const QStringList& newMoons)
    {
        writeLines(QStringLiteral("ujholdak.txt"), newMoons);
        openWindow();
    }
};

struct OkCase {
    const char* label;
    int chosen;  // -1: no entry chosen
    const char* text11Before;
    const char* text11After;
    QByteArray ujhold;
};

TEST_F(SavedTimesButtonsTest, OkCopiesTheChosenEntryAndSavesText11)
{
    openWith({QStringLiteral("2026.11.20 07:47"), QString(), QStringLiteral("2026.12.20 01:43:00 UT"),
              QStringLiteral(" 2026.12.20 1:43")});
    const OkCase cases[] = {
        {"entry_chosen", 0, "", "2026.11.20 07:47", "2026.11.20 07:47\r\n"},
        {"entry_replaces_typed_text", 0, "2000.01.01", "2026.11.20 07:47", "2026.11.20 07:47\r\n"},
        {"empty_entry_empties_the_field", 1, "2026.11.20 07:47", "", "\r\n"},
        {"long_entry_cut_to_16", 2, "", "2026.12.20 01:43", "2026.12.20 01:43\r\n"},
        {"blanks_kept", 3, "", " 2026.12.20 1:43", " 2026.12.20 1:43\r\n"},
        {"nothing_chosen_keeps_the_field", -1, "2026.11.2 7:47", "2026.11.2 7:47", "2026.11.2 7:47\r\n"},
        {"nothing_chosen_and_empty", -1, "", "", "\r\n"},
    };
    for (const OkCase& c : cases) {
        SCOPED_TRACE(c.label);
        area().Ujholdak->setCurrentIndex(c.chosen);
        area().Text11->setText(QString::fromUtf8(c.text11Before));
        click("Command6");
        EXPECT_EQ(area().Text11->text(), QString::fromUtf8(c.text11After));
        EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), c.ujhold);
        EXPECT_EQ(area().Ujholdak->count(), 4);  // the list itself is never changed
    }
    EXPECT_TRUE(messages->messages.empty());
}

struct RestoreCase {
    const char* label;
    QByteArray ujhold;
    QString text11;
};

TEST_F(SavedTimesButtonsTest, LastNewMoonComesBackCutTo16)
{
    openWith({});
    const RestoreCase cases[] = {
        {"sixteen_characters_arrive_without_line_end", "2026.11.20 07:47\r\n", QStringLiteral("2026.11.20 07:47")},
        {"fifteen_keep_the_cr", "2026.11.20 7:47\r\n", QStringLiteral("2026.11.20 7:47\r")},
        {"shorter_keep_cr_lf", "2026.11.20\r\n", QStringLiteral("2026.11.20\r\n")},
        {"lone_line_end", "\r\n", QStringLiteral("\r\n")},
        {"central_european_letters", cp1250("ő ű\r\n"), QStringLiteral("ő ű\r\n")},
    };
    for (const RestoreCase& c : cases) {
        SCOPED_TRACE(c.label);
        writeBytes(QStringLiteral("ujhold.txt"), c.ujhold);
        click("Command3");
        EXPECT_EQ(area().Text11->text(), c.text11);
        EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), c.ujhold);
    }
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(SavedTimesButtonsTest, LastNewMoonMissingLeavesText11)
{
    openWith({});
    area().Text11->setText(QStringLiteral("2026.11.20 07:47"));
    click("Command3");
    expectOneMessage(QStringLiteral("Az 'ujhold.txt' fájl nem található!"), MessageIcon::Error);
    EXPECT_EQ(area().Text11->text(), QStringLiteral("2026.11.20 07:47"));
    EXPECT_FALSE(exists(QStringLiteral("ujhold.txt")));
}

TEST_F(SavedTimesButtonsTest, SaveRefusesAnEmptyOrBlankObservation)
{
    openWith({});
    writeBytes(QStringLiteral("utolso.txt"), "2026.12.01 18:00\r\n");
    for (const QString& blank : {QString(), QStringLiteral(" "), QStringLiteral("      ")}) {
        messages->messages.clear();
        area().Text12->setText(blank);
        click("Command14");
        expectOneMessage(QStringLiteral("Üres dátumot NEM mentek!"), MessageIcon::Warning);
        EXPECT_EQ(readBytes(QStringLiteral("utolso.txt")), QByteArray("2026.12.01 18:00\r\n"));
    }
}

TEST_F(SavedTimesButtonsTest, SaveWritesTheFieldUnchanged)
{
    openWith({});
    const struct {
        QString text12;
        QByteArray utolso;
    } cases[] = {
        {QStringLiteral("2026. 12. 06. 22:00:09"), "2026. 12. 06. 22:00:09\r\n"},
        {QStringLiteral("  2026.12.06 22:00  "), "  2026.12.06 22:00  \r\n"},
        {QStringLiteral("nem dátum"), cp1250("nem dátum\r\n")},  // checked only when computing
    };
    for (const auto& c : cases) {
        area().Text12->setText(c.text12);
        click("Command14");
        EXPECT_EQ(readBytes(QStringLiteral("utolso.txt")), c.utolso);
    }
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(SavedTimesButtonsTest, SavedObservationComesBackThroughLastObservation)
{
    openWith({});
    writePicture(QStringLiteral("000-ujhold.gif"), QSize(20, 20));
    writePicture(QStringLiteral("004-novekvo.gif"), QSize(20, 20));
    area().Text11->setText(QStringLiteral("2026.11.20 07:47"));
    area().Text12->setText(QStringLiteral("2026. 11. 22. 06:00:00"));
    click("Command14");
    area().Text12->setText(QStringLiteral("something else"));
    click("Command1");
    // 22 characters fill the field, so the line end stays outside.
    EXPECT_EQ(area().Text12->text(), QStringLiteral("2026. 11. 22. 06:00:00"));
    EXPECT_TRUE(messages->messages.empty()) << messageTexts().join(u'|').toStdString();
}

TEST_F(SavedTimesButtonsTest, UnwritableDataFolderIsReportedAndTheWindowGoesOn)
{
    openWith({});
    qputenv("VKT_DATA_DIR", path(QStringLiteral("gone")).toLocal8Bit());
    area().Text11->setText(QStringLiteral("2026.11.20 07:47"));
    area().Text12->setText(QStringLiteral("2026.12.06 22:00"));
    click("Command6");
    click("Command14");
    ASSERT_EQ(messages->messages.size(), 2u);
    EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("ujhold.txt")));
    EXPECT_TRUE(messages->messages[1].text.contains(QStringLiteral("utolso.txt")));
    for (const auto& m : messages->messages)
        EXPECT_EQ(m.icon, MessageIcon::Error);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(area().Text11->text(), QStringLiteral("2026.11.20 07:47"));
}

TEST_F(SavedTimesButtonsTest, TextTheCodePageCannotHoldLeavesTheFileWhole)
{
    openWith({});
    writeBytes(QStringLiteral("ujhold.txt"), "2026.11.20 07:47\r\n");
    area().Text11->setText(QStringLiteral("2026.11.20 ✓"));
    click("Command6");
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("✓")));
    EXPECT_EQ(readBytes(QStringLiteral("ujhold.txt")), QByteArray("2026.11.20 07:47\r\n"));
}

} // namespace
} // namespace vkt
