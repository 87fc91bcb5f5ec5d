#include "services/DataFolder.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vkt {
namespace {

class DataFolderRuleTest : public testing::DataFolderTest {
protected:
    void TearDown() override
    {
        useDataFolder({});
        testing::DataFolderTest::TearDown();
    }
};

TEST_F(DataFolderRuleTest, CommandLineThenEnvironmentThenWritablePortableThenUserFolder)
{
    enum Portable { Writable, ReadOnly, Missing };
    const struct {
        const char* name;
        Portable portable;
        const char* commandLine;
        const char* environment;
        DataFolderSource expected;
    } rows[] = {
        {"portable folder writable", Writable, "", "", DataFolderSource::Portable},
        {"portable folder read-only", ReadOnly, "", "", DataFolderSource::User},
        {"portable folder missing", Missing, "", "", DataFolderSource::User},
        {"--data", Writable, "parancssor", "", DataFolderSource::CommandLine},
        {"VKT_DATA_DIR", Writable, "", "kornyezet", DataFolderSource::Environment},
        {"both given: the command line wins", Missing, "parancssor", "kornyezet", DataFolderSource::CommandLine},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const QTemporaryDir program;
        DataFolderPlaces places;
        places.portable = program.filePath(QStringLiteral("Pic"));
        places.user = path(QStringLiteral("home/vkt/Pic"));
        places.commandLine = QString::fromUtf8(row.commandLine);
        places.environment = QString::fromUtf8(row.environment);
        if (row.portable != Missing) {
            ASSERT_TRUE(QDir().mkdir(places.portable));  // braced: the macro ends in an else
        }
        // Root may write into any folder, so a read-only one is refused by the probe as well.
        const FolderProbe probe = [&](const QString& folder) {
            return isWritableFolder(folder) && !(row.portable == ReadOnly && folder == places.portable);
        };
        const DataFolderChoice choice = chooseDataFolder(places, probe);
        EXPECT_EQ(choice.source, row.expected);
        const QString paths[] = {places.commandLine, places.environment, places.portable, places.user};
        EXPECT_EQ(choice.path, paths[int(row.expected)]);
    }
    writeBytes(QStringLiteral("fajl"), "x");
    EXPECT_FALSE(isWritableFolder(path(QStringLiteral("fajl"))) || isWritableFolder(path(QStringLiteral("nincs"))));
}

TEST_F(DataFolderRuleTest, UserFolderIsCreatedAndSeededWithoutEverOverwritingAUsersFile)
{
    writeBytes(QStringLiteral("share/Pic/jegyzetek.txt"), "gyári jegyzet\r\n");
    writeBytes(QStringLiteral("share/Pic/000-ujhold.gif"), "GIF89a");
    QFile::setPermissions(path(QStringLiteral("share/Pic/jegyzetek.txt")), QFile::ReadOwner | QFile::ReadOther);
    const QString shipped = path(QStringLiteral("share/Pic"));
    const QString mine = QStringLiteral("home/.local/share/vkt/Pic");
    const DataFolderChoice user{DataFolderSource::User, path(mine)};

    EXPECT_EQ(prepareDataFolder(user, shipped), QString());
    EXPECT_EQ(readBytes(mine + QStringLiteral("/jegyzetek.txt")), "gyári jegyzet\r\n");
    EXPECT_EQ(readBytes(mine + QStringLiteral("/000-ujhold.gif")), "GIF89a");
    EXPECT_TRUE(QFile::permissions(user.path + QStringLiteral("/jegyzetek.txt")) & QFile::WriteOwner)
        << "the user's copy of a read-only shipped file is theirs to edit";

    // The user edits one file and deletes another; a newer package ships a new file.
    writeBytes(mine + QStringLiteral("/jegyzetek.txt"), "saját jegyzet\r\n");
    QFile::remove(path(mine + QStringLiteral("/000-ujhold.gif")));
    writeBytes(QStringLiteral("share/Pic/venusz.txt"), "lista\r\n");
    EXPECT_EQ(prepareDataFolder(user, shipped), QString());
    EXPECT_EQ(readBytes(mine + QStringLiteral("/jegyzetek.txt")), "saját jegyzet\r\n");
    EXPECT_EQ(readBytes(mine + QStringLiteral("/000-ujhold.gif")), "GIF89a");
    EXPECT_EQ(readBytes(mine + QStringLiteral("/venusz.txt")), "lista\r\n");

    // The portable folder is the build's own: nothing is created or copied there.
    const DataFolderChoice portable{DataFolderSource::Portable, path(QStringLiteral("program/Pic"))};
    EXPECT_EQ(prepareDataFolder(portable, shipped), QString());
    EXPECT_FALSE(QFileInfo::exists(portable.path));

    useDataFolder(user.path);
    EXPECT_EQ(dataFile(QStringLiteral("szamitott.txt")), user.path + QStringLiteral("/szamitott.txt"));
}

// The program still opens after each of these; the message names the folder and the reason.
TEST_F(DataFolderRuleTest, AFolderThatCannotServeIsNamedWithTheReason)
{
    writeBytes(QStringLiteral("fajl"), "x");
    writeBytes(QStringLiteral("share/Pic/ujholdak.txt"), "2026.11.09 08:02\r\n");
    QDir().mkpath(path(QStringLiteral("megvan")));
    const auto refuseAll = [](const QString&) { return false; };
    const struct {
        const char* name;
        const char* folder;
        const char* shipped;
        bool writable;
        const char* reason;  // empty: no message
    } rows[] = {
        {"under a file", "fajl/vkt/Pic", "share/Pic", true, "nem hozható létre: az elérési út egy tagja nem mappa."},
        {"not writable", "irasvedett", "share/Pic", false, "nem írható"},
        {"no shipped copy for a new folder", "uj", "nincs/Pic", true, "nincs/Pic"},
        {"no shipped copy, folder already there", "megvan", "nincs/Pic", true, ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const DataFolderChoice choice{DataFolderSource::CommandLine, path(QString::fromUtf8(row.folder))};
        const QString message = row.writable
                                    ? prepareDataFolder(choice, path(QString::fromUtf8(row.shipped)))
                                    : prepareDataFolder(choice, path(QString::fromUtf8(row.shipped)), refuseAll);
        if (*row.reason == '\0') {
            EXPECT_EQ(message, QString());
            continue;
        }
        EXPECT_TRUE(message.contains(QDir::toNativeSeparators(choice.path))) << message.toStdString();
        EXPECT_TRUE(message.contains(QString::fromUtf8(row.reason))) << message.toStdString();
    }
}

} // namespace
} // namespace vkt
