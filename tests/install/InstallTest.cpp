#include "services/Version.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QSize>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

namespace {

struct ProgramRun {
    int code = -1;
    QString out, err;
};

ProgramRun run(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

using vkt::testing::fileBytes;

// Every file under a folder with its size and modification time: what a run must leave alone.
std::map<QString, QString> snapshot(const QString& folder)
{
    std::map<QString, QString> files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        files[info.filePath()] = QStringLiteral("%1 %2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch());
    }
    return files;
}

// The build, installed once for all tests into a temporary prefix.
const QTemporaryDir& prefix()
{
    static const QTemporaryDir dir;
    return dir;
}
const ProgramRun& installation()
{
    static const ProgramRun install = run(QStringLiteral(VKT_CMAKE_COMMAND),
                                          {"--install", VKT_BUILD_DIR, "--prefix", prefix().path()},
                                          QProcessEnvironment::systemEnvironment());
    return install;
}

class InstalledProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(installation().code, 0) << installation().out.toStdString() << installation().err.toStdString();
        ASSERT_TRUE(home.isValid());
    }

    static QString installedPath(const QString& relative) { return prefix().filePath(relative); }
    static QString program(const char* name) { return installedPath(QStringLiteral(VKT_BINDIR "/") + name); }

    // A user's session: their own HOME and XDG data home, no override, offscreen windows.
    QProcessEnvironment userEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("VKT_DATA_DIR"));
        env.insert(QStringLiteral("HOME"), home.path());
        env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("adat")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        return env;
    }

    QTemporaryDir home;
};

TEST_F(InstalledProgramTest, TreeHoldsBothProgramsAndTheShippedDataButNotTheMaintainersTool)
{
    for (const char* name : {"vkt", "vkt-almanac"})
        EXPECT_TRUE(QFileInfo(program(name)).isExecutable()) << name;
    EXPECT_FALSE(QFileInfo::exists(program("vkt-moonrender")));
    const QDir source(QStringLiteral(VKT_SOURCE_PIC));
    const QDir shipped(installedPath(QStringLiteral(VKT_SHIPPED_DATA_DIR)));
    EXPECT_EQ(shipped.entryList(QDir::Files), source.entryList(QDir::Files));

    // The desktop's menu entry, metainfo and icon theme, read as the software centre reads them.
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString icon = QStringLiteral("share/icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(vkt::kDesktopId);
        EXPECT_EQ(QImageReader(installedPath(icon), "png").size(), QSize(size, size));
    }
    for (const char* page : {"vkt", "vkt-almanac"})
        EXPECT_TRUE(QFileInfo::exists(installedPath(QStringLiteral("share/man/man1/%1.1.gz").arg(page)))) << page;
    const ProgramRun tree = run(QStringLiteral("appstreamcli"), {"validate-tree", "--no-net", prefix().path()},
                                QProcessEnvironment::systemEnvironment());
    EXPECT_EQ(tree.code, 0) << tree.out.toStdString() << tree.err.toStdString();
}

// The window system is set to one that does not exist: a program that tried to open a window
// would abort instead of exiting with the expected code.
TEST_F(InstalledProgramTest, CommandLinesAnswerOnTheRightStreamWithTheRightExitCode)
{
    const QString version = QString::fromLatin1(vkt::kVersion);
    const struct {
        const char* program;
        QStringList arguments;
        int code;
        QString out;  // the start of standard output; empty: nothing at all
        QString err;  // the start of standard error; empty: nothing at all
    } rows[] = {
        {"vkt", {"--help"}, 0, QStringLiteral("Használat: vkt [--data MAPPA]\n"), {}},
        {"vkt", {"-h"}, 0, QStringLiteral("Használat: vkt [--data MAPPA]\n"), {}},
        {"vkt", {"--version"}, 0, QStringLiteral("vkt %1\n").arg(version), {}},
        {"vkt", {"--nincs-ilyen"}, 2, {}, QStringLiteral("vkt: Ismeretlen kapcsoló: '--nincs-ilyen'.\n\nHasználat: vkt")},
        {"vkt", {"--data"}, 2, {}, QStringLiteral("vkt: A(z) --data kapcsoló után hiányzik a mappa neve.\n\nHasználat:")},
        {"vkt", {"felesleges"}, 2, {}, QStringLiteral("vkt: Váratlan argumentum: 'felesleges'.")},
        // A session manager restarts a program with Qt's own -session option.
        {"vkt", {"-session", "1234", "--version"}, 0, QStringLiteral("vkt %1\n").arg(version), {}},
        {"vkt-almanac", {"--version"}, 0, QStringLiteral("vkt-almanac %1\n").arg(version), {}},
        {"vkt-almanac", {"-v"}, 0, QStringLiteral("vkt-almanac %1\n").arg(version), {}},
        {"vkt-moonrender", {"--version"}, 0, QStringLiteral("vkt-moonrender %1\n").arg(version), {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.program) + " " + row.arguments.join(u' ').toStdString());
        QProcessEnvironment env = userEnvironment();
        const bool tool = QByteArray(row.program) == "vkt-moonrender";
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), tool ? QStringLiteral("offscreen") : QStringLiteral("nincs-ablak"));
        const ProgramRun r = run(tool ? QStringLiteral(VKT_MOONRENDER) : program(row.program), row.arguments, env);
        EXPECT_EQ(r.code, row.code);
        EXPECT_TRUE(row.out.isEmpty() ? r.out.isEmpty() : r.out.startsWith(row.out)) << r.out.toStdString();
        EXPECT_TRUE(row.err.isEmpty() ? r.err.isEmpty() : r.err.startsWith(row.err)) << r.err.toStdString();
    }
    EXPECT_TRUE(QDir(home.path()).isEmpty()) << "no answer without a window creates a data folder";

    // The installed almanac writes its calendar through the libraries the package depends on.
    const QString calendar = home.filePath(QStringLiteral("holdsarlo.ics"));
    const ProgramRun ical = run(program("vkt-almanac"), {"--from", "2026", "--to", "2026", "--ical", calendar}, userEnvironment());
    EXPECT_EQ(ical.code, 0) << ical.err.toStdString();
    EXPECT_TRUE(fileBytes(calendar).startsWith("BEGIN:VCALENDAR\r\n"));
}

// What a later start keeps of the user's files is the data-folder test's, how the log grows the main
// window's.
TEST_F(InstalledProgramTest, FirstStartSeedsTheUserFolderAndLogsThere)
{
    const auto before = snapshot(prefix().path());
    const QString user = home.filePath(QStringLiteral("adat/vkt/Pic"));
    const ProgramRun first = run(program("vkt"), {"--most-and-quit"}, userEnvironment());
    ASSERT_EQ(first.code, 0) << first.err.toStdString();
    EXPECT_EQ(first.err, QString());
    const QDir source(QStringLiteral(VKT_SOURCE_PIC));
    for (const QString& name : source.entryList(QDir::Files))
        EXPECT_EQ(fileBytes(user + u'/' + name), fileBytes(source.filePath(name))) << name.toStdString();
    const QByteArray log = fileBytes(user + QStringLiteral("/szamitott.txt"));
    EXPECT_EQ(log.count("Megfigyel\xE9s ideje:"), 1) << log.toStdString();
    EXPECT_EQ(snapshot(prefix().path()), before) << "the installed tree is never written";
}

TEST_F(InstalledProgramTest, CommandLineFolderWinsAndAFolderThatCannotBeMadeIsNamedWithoutStoppingTheProgram)
{
    QProcessEnvironment env = userEnvironment();
    env.insert(QStringLiteral("VKT_DATA_DIR"), home.filePath(QStringLiteral("kornyezet")));
    const ProgramRun both = run(program("vkt"), {"--data", home.filePath(QStringLiteral("parancssor")), "--most-and-quit"}, env);
    EXPECT_EQ(both.code, 0);
    EXPECT_EQ(both.err, QString());
    EXPECT_TRUE(QFileInfo::exists(home.filePath(QStringLiteral("parancssor/szamitott.txt"))));
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("kornyezet"))));
    EXPECT_FALSE(QFileInfo::exists(home.filePath(QStringLiteral("adat"))));

    // The data home is a file: the user folder cannot be made, and the message says where and why.
    const QString blocker = home.filePath(QStringLiteral("fajl"));
    vkt::testing::writeFile(blocker, "");
    env = userEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), blocker);
    const ProgramRun blocked = run(program("vkt"), {"--most-and-quit"}, env);
    EXPECT_EQ(blocked.code, 0);
    EXPECT_TRUE(blocked.err.startsWith(QStringLiteral("VKT [16]: A(z) '%1/vkt/Pic' adatmappa nem hozható létre: ")
                                           .arg(blocker)))
        << blocked.err.toStdString();
}

} // namespace
