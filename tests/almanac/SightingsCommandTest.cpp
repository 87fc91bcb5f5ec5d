// vkt-almanac --sightings as a researcher runs it: the export to standard output or to a file,
// the criteria's tables to standard error, and nothing written when a line is bad.
#include "services/FileBytes.h"
#include "tests/almanac/RunTool.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <QTemporaryDir>
#include <cerrno>

namespace vkt::almanac {
namespace {

using testing::fileBytes;
using testing::writeFile;

const QByteArray kCsv = "date,time,timezone,session,latitude,longitude,height,naked_eye,binoculars,telescope,camera,"
                        "sky,clouds,place,observer,note\r\n"
                        "2026-03-20,,Europe/Budapest,evening,47.5,19.04,100,seen,,,,clear,clear,Budapest,,\r\n"
                        "2026-03-19,18:15,,evening,47.5,19.04,,not seen,not seen,,,,,Budapest,,\r\n";

class SightingsCommand : public ::testing::Test {
protected:
    void SetUp() override { writeFile(path("be.csv"), kCsv); }
    void TearDown() override { setWriteFault(std::nullopt); }
    QString path(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

TEST_F(SightingsCommand, WritesTheExportAndTheTables)
{
    const ToolRun toStdout = runTool({"--sightings", path("be.csv")});
    ASSERT_EQ(toStdout.code, Success) << toStdout.err.toStdString();
    const QStringList lines = toStdout.out.split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);  // header, two records, nothing after the last line end
    EXPECT_TRUE(lines[0].endsWith(u",extra_criterion,extra_value,extra_class"));
    EXPECT_TRUE(lines[1].startsWith(u"2026-03-20,,Europe/Budapest,evening,47.5,19.04,100,seen,,,,clear,clear,Budapest,,,"));
    for (const char* said : {"Yallop, szabad szemmel: 2 észlelés", "Odeh, optikai eszközzel: 1 észlelés",
                             "babiloni szabály, szabad szemmel", "a legfiatalabb látott holdsarló, szabad szemmel, este: "})
        EXPECT_TRUE(toStdout.err.contains(QString::fromUtf8(said))) << said << "\n" << toStdout.err.toStdString();

    // --out names a file; one already there needs --force; a failed write leaves it as it was.
    ASSERT_EQ(runTool({"--sightings", path("be.csv"), "--out", path("ki.csv")}).code, Success);
    EXPECT_EQ(fileBytes(path("ki.csv")), toStdout.out.toUtf8());
    writeFile(path("ki.csv"), "régi");
    const ToolRun refused = runTool({"--sightings", path("be.csv"), "--out", path("ki.csv")});
    EXPECT_EQ(refused.code, Failed);
    EXPECT_TRUE(refused.err.contains(u"--force"));
    setWriteFault(WriteFault{WriteStep::Write, ENOSPC, 10});
    EXPECT_EQ(runTool({"--sightings", path("be.csv"), "--out", path("ki.csv"), "--force"}).code, Failed);
    EXPECT_EQ(fileBytes(path("ki.csv")), QByteArray("régi"));
    setWriteFault(std::nullopt);
    EXPECT_EQ(runTool({"--sightings", path("be.csv"), "--out", path("ki.csv"), "--force"}).code, Success);
    EXPECT_EQ(fileBytes(path("ki.csv")), toStdout.out.toUtf8());
}

// A bad line, a bad argument: said with the line number or the option, exit code 2, nothing written.
TEST_F(SightingsCommand, RefusesWithExitCodeTwoAndWritesNothing)
{
    writeFile(path("rossz.csv"), kCsv + "2026-03-21,,,evening,47.5,190,,seen,,,,,,Budapest,,\r\n");
    const ToolRun bad = runTool({"--sightings", path("rossz.csv"), "--out", path("ki.csv")});
    EXPECT_EQ(bad.code, BadArguments);
    EXPECT_TRUE(bad.err.contains(u"4. sor: a(z) „longitude” oszlop értéke („190”)")) << bad.err.toStdString();
    EXPECT_TRUE(bad.out.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(path("ki.csv")));

    const struct {
        QStringList arguments;
        int code;
        const char* says;
    } cases[] = {
        {{"--sightings"}, BadArguments, "hiányzik a CSV-fájl neve"},
        {{"--sightings", "x.csv", "--from", "2026"}, BadArguments, "--from kapcsoló a --sightings mellett"},
        {{"--sightings", "x.csv", "--tz", "Europe/Vienna"}, BadArguments, "--tz kapcsoló a --sightings mellett"},
        {{"--sightings", "nincs-ilyen.csv"}, Failed, "nem olvasható"},
    };
    for (const auto& c : cases) {
        const ToolRun r = runTool(c.arguments);
        EXPECT_EQ(r.code, c.code) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.says))) << r.err.toStdString();
    }
}

} // namespace
} // namespace vkt::almanac
