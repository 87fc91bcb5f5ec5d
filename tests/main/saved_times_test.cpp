#include "Failure.h"
#include "SavedTimes.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace vkt {
namespace {

using testing::cp1250;
using testing::DataFolderTest;

class SavedTimesTest : public DataFolderTest {};

struct ListCase {
    const char* label;
    const char* file;  // UTF-8, written in Windows-1250
    QStringList entries;
};

TEST_F(SavedTimesTest, NewMoonListKeepsEveryLineAsWritten)
{
    const ListCase cases[] = {
        {"empty_file", "", {}},
        {"final_line_end_adds_no_entry", "2026.11.20 07:47\r\n2026.12.20 01:43\r\n",
         {"2026.11.20 07:47", "2026.12.20 01:43"}},
        {"last_line_without_line_end", "2026.11.20 07:47\r\n2026.12.20 01:43", {"2026.11.20 07:47", "2026.12.20 01:43"}},
        {"empty_line_inside", "2026.11.20 07:47\r\n\r\n2026.12.20 01:43\r\n", {"2026.11.20 07:47", "", "2026.12.20 01:43"}},
        {"blanks_kept", "  2026.11.20 07:47  \r\n", {"  2026.11.20 07:47  "}},
        {"long_line_whole", "2026.11.20 07:47:00 UT, Skorpió\r\n", {QStringLiteral("2026.11.20 07:47:00 UT, Skorpió")}},
        {"central_european_letters", "őszi újhold ű\r\n", {QStringLiteral("őszi újhold ű")}},
    };
    for (const ListCase& c : cases) {
        SCOPED_TRACE(c.label);
        writeBytes(QStringLiteral("ujholdak.txt"), cp1250(c.file));
        EXPECT_EQ(SavedTimes::loadNewMoonList(), c.entries);
    }
}

TEST_F(SavedTimesTest, MissingNewMoonListFails)
{
    EXPECT_THROW(SavedTimes::loadNewMoonList(), Failure);
}

struct SaveCase {
    const char* label;
    void (*save)(const QString&);
    const char* file;
    QString value;
    QByteArray bytes;
};

TEST_F(SavedTimesTest, SavedValueIsTheTextAndCrLf)
{
    const SaveCase cases[] = {
        {"new_moon", &SavedTimes::saveLastNewMoon, "ujhold.txt", QStringLiteral("2026.11.20 07:47"),
         "2026.11.20 07:47\r\n"},
        {"empty_new_moon", &SavedTimes::saveLastNewMoon, "ujhold.txt", QString(), "\r\n"},
        {"new_moon_with_its_line_end", &SavedTimes::saveLastNewMoon, "ujhold.txt", QStringLiteral("2026.11.2 7:47\r\n"),
         "2026.11.2 7:47\r\n\r\n"},
        {"observation", &SavedTimes::saveLastObservation, "utolso.txt", QStringLiteral("2026. 12. 06. 22:00:09"),
         "2026. 12. 06. 22:00:09\r\n"},
        {"observation_with_blanks", &SavedTimes::saveLastObservation, "utolso.txt", QStringLiteral(" 2026.12.06 "),
         " 2026.12.06 \r\n"},
        {"observation_in_cp1250", &SavedTimes::saveLastObservation, "utolso.txt", QStringLiteral("ma ő ű"),
         cp1250("ma ő ű\r\n")},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(c.label);
        // A longer old content must not survive the rewrite.
        writeBytes(QString::fromLatin1(c.file), QByteArray(64, 'x'));
        c.save(c.value);
        EXPECT_EQ(readBytes(QString::fromLatin1(c.file)), c.bytes);
    }
}

TEST_F(SavedTimesTest, LoadGivesTheWholeContentOrAbsent)
{
    EXPECT_FALSE(SavedTimes::loadLastNewMoon().has_value());
    EXPECT_FALSE(SavedTimes::loadLastObservation().has_value());

    writeBytes(QStringLiteral("ujhold.txt"), "2026.11.20 07:47\r\n");
    writeBytes(QStringLiteral("utolso.txt"), "");
    EXPECT_EQ(SavedTimes::loadLastNewMoon(), QStringLiteral("2026.11.20 07:47\r\n"));
    EXPECT_EQ(SavedTimes::loadLastObservation(), QString());  // empty, yet present
}

TEST_F(SavedTimesTest, SaveAndLoadRoundTrip)
{
    SavedTimes::saveLastObservation(QStringLiteral("2026.12.06 22:00"));
    EXPECT_EQ(SavedTimes::loadLastObservation(), QStringLiteral("2026.12.06 22:00\r\n"));
    SavedTimes::saveLastNewMoon(QStringLiteral("2026.11.20 07:47"));
    EXPECT_EQ(SavedTimes::loadLastNewMoon(), QStringLiteral("2026.11.20 07:47\r\n"));
}

TEST_F(SavedTimesTest, WriteIntoAMissingFolderFailsNamingTheFile)
{
    qputenv("VKT_DATA_DIR", path(QStringLiteral("no-such-folder")).toLocal8Bit());
    try {
        SavedTimes::saveLastNewMoon(QStringLiteral("2026.11.20 07:47"));
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_TRUE(failure.message().contains(QStringLiteral("ujhold.txt"))) << failure.message().toStdString();
    }
}

} // namespace
} // namespace vkt
