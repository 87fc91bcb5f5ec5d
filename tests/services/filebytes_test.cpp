#include "services/FileBytes.h"
#include "services/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <future>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vkt {
namespace {

using testing::failureOf;

class FileBytesTest : public testing::DataFolderTest {
protected:
    QStringList entries(const QString& folder = {}) const
    {
        return QDir(path(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
    static bool names(const QString& message, const QString& file, int error)
    {
        return message.contains(QDir::toNativeSeparators(file)) && message.contains(reasonText(error));
    }
};

// Whole-file saves and appends failed at every step, and at every byte of the write, with each
// real error code, over an existing file and where none was: the failure names the file and the
// reason, and the file is as it was or holds the whole new text, never anything between; no
// temporary file stays behind.
TEST_F(FileBytesTest, AWriteFailedAtAnyStepAndByteIsReportedAndLeavesTheFileWhole)
{
    const QByteArray old = "elso rekord\r\nmasodik rekord\r\n";
    const QString file = path("f.txt"), text = QStringLiteral("új rekord: ő és ű, hosszabb a réginél");
    const QByteArray line = encodeWindows1250(text) + "\r\n";
    const struct {
        const char* name;
        std::function<void()> write;
        QByteArray overOld, alone;  // the whole new file, over the old one and where none was
    } writes[] = {{"save", [&] { writeText(file, text); }, line, line},
                  {"exact save", [&] { writeAllText(file, text); }, line.chopped(2), line.chopped(2)},
                  {"append", [&] { appendText(file, {text}); }, old + line, line}};
    std::vector<std::pair<WriteStep, qint64>> faults = {
        {WriteStep::Open, 0}, {WriteStep::Flush, 0}, {WriteStep::Commit, 0}, {WriteStep::Close, 0}};
    for (qint64 offset = 0; offset <= line.size(); ++offset)
        faults.emplace_back(WriteStep::Write, offset);
    for (const auto& w : writes) {
        for (const bool existing : {true, false}) {
            for (const auto& [step, offset] : faults) {
                for (const int error : {ENOSPC, EIO, EACCES}) {
                    SCOPED_TRACE(::testing::Message() << w.name << (existing ? " over a file" : " to a new file")
                                                      << ", step " << int(step) << " at byte " << offset
                                                      << ", error " << error);
                    QFile::remove(file);
                    if (existing)
                        writeBytes("f.txt", old);
                    setWriteFault(WriteFault{step, error, offset});
                    const QString message = failureOf(w.write);
                    setWriteFault(std::nullopt);
                    EXPECT_TRUE(names(message, file, error)) << message.toStdString();
                    const QByteArray after = readBytes("f.txt");
                    const bool asBefore = existing ? after == old : !exists("f.txt");
                    const bool whole = exists("f.txt") && after == (existing ? w.overOld : w.alone);
                    EXPECT_TRUE(asBefore || whole) << after.toStdString();
                    EXPECT_EQ(entries(), exists("f.txt") ? QStringList{"f.txt"} : QStringList{});
                }
            }
        }
    }
    // Without a fault for this file: a save replaces a longer file whole, an append creates and grows.
    setWriteFault(WriteFault{WriteStep::Write, EIO, 0, QStringLiteral("masik.txt")});
    writeBytes("f.txt", old);
    writeText(file, QStringLiteral("ő"));
    appendText(file, {QStringLiteral("b"), QStringLiteral("  ")});
    EXPECT_EQ(readBytes("f.txt"), QByteArray("\xF5\r\nb\r\n  \r\n"));
    writeText(file, QString());
    EXPECT_EQ(readBytes("f.txt"), QByteArray("\r\n"));
    QFile::remove(file);
    appendText(file, {QStringLiteral("c")});
    EXPECT_EQ(readBytes("f.txt"), QByteArray("c\r\n"));
    EXPECT_TRUE(names(failureOf([&] { appendText(path("masik.txt"), {"c"}); }), path("masik.txt"), EIO));
}

// A real full disk: a 64 KiB tmpfs filled to its last page. A save keeps the old file; an append
// whose first bytes still fit in the log's last page is cut back to the earlier records.
TEST_F(FileBytesTest, AFullDiskKeepsTheOldFileAndCutsATornAppendBack)
{
    const QByteArray folder = path("lemez").toLocal8Bit();
    ASSERT_TRUE(QDir().mkpath(path("lemez")));
    if (::mount("tmpfs", folder.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "cannot mount a tmpfs to fill (" << std::strerror(errno) << "); that needs root";
    const struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount2(at.constData(), MNT_DETACH); }
    } unmount{folder};

    const QByteArray journal = "régi jegyzet\r\n", log = QByteArray(4096 - 10, 'x');
    writeBytes("lemez/jegyzetek.txt", journal);
    writeBytes("lemez/szamitott.txt", log);
    QFile fill(path("lemez/tele"));
    ASSERT_TRUE(fill.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (fill.write(QByteArray(4096, '\0')) > 0) {
    }
    fill.close();

    const QString notes = path("lemez/jegyzetek.txt"), computations = path("lemez/szamitott.txt");
    EXPECT_TRUE(names(failureOf([&] { writeText(notes, QStringLiteral("új jegyzet")); }), notes, ENOSPC));
    EXPECT_TRUE(names(failureOf([&] { appendText(computations, {QString(100, u'r')}); }), computations, ENOSPC));
    EXPECT_EQ(readBytes("lemez/jegyzetek.txt"), journal);
    EXPECT_EQ(readBytes("lemez/szamitott.txt"), log);
    EXPECT_EQ(entries("lemez"), (QStringList{"jegyzetek.txt", "szamitott.txt", "tele"}));
}

// A save over a file read earlier goes ahead only while the file holds what was read: the same
// bytes written again are no change, other bytes of the same size are. What is read is stamped.
TEST_F(FileBytesTest, ASaveGoesAheadOnlyWhileTheFileIsAsItWasRead)
{
    const QString file = path("f.txt");
    const struct {
        const char* label;
        const char* atReading;  // nullptr: no file
        const char* meanwhile;  // nullptr: removed
        bool saved;
    } cases[] = {
        {"the same bytes again", "régi", "régi", true}, {"same size, other bytes", "régi", "rígi", false},
        {"longer", "régi", "régi!", false},             {"removed", "régi", nullptr, false},
        {"created", nullptr, "más", false},             {"still none", nullptr, nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        QFile::remove(file);
        if (c.atReading)
            writeBytes("f.txt", c.atReading);
        FileStamp stamp;
        const std::optional<QString> text = readAllTextIfExists(file, &stamp);
        EXPECT_EQ(text.has_value(), c.atReading != nullptr);
        EXPECT_EQ(stamp, c.atReading ? stampOf(c.atReading) : FileStamp());
        EXPECT_EQ(currentStamp(file), stamp);
        QFile::remove(file);
        if (c.meanwhile)
            writeBytes("f.txt", c.meanwhile);
        EXPECT_EQ(replaceFileBytesIfUnchanged(file, "új", stamp), c.saved);
        EXPECT_EQ(readBytes("f.txt"), c.saved ? QByteArray("új") : QByteArray(c.meanwhile));
    }
}

// Two writers append to one log, each through its own descriptor. The other one's turn comes while
// this one's append is failing: it waits for the lock, so the cut-back removes only this append's
// bytes and the other's record follows the earlier ones whole (cutting back to the size seen at
// opening would remove it).
TEST_F(FileBytesTest, AFailedAppendCutsBackOnlyItsOwnBytes)
{
    const QString log = path("szamitott.txt");
    const QByteArray earlier = "korabbi rekord\r\n", others = "a masik peldany rekordja\r\n";
    writeBytes("szamitott.txt", earlier);
    std::thread other;
    std::promise<void> turnTaken;
    const auto otherAppends = [&] {
        const int fd = ::open(log.toLocal8Bit().constData(), O_WRONLY | O_APPEND);
        const bool waited = ::flock(fd, LOCK_EX | LOCK_NB) != 0;
        if (waited) {
            turnTaken.set_value();
            ::flock(fd, LOCK_EX);
        }
        EXPECT_EQ(::write(fd, others.constData(), size_t(others.size())), others.size());
        ::close(fd);
        if (!waited)
            turnTaken.set_value();
    };
    setWriteFault(WriteFault{WriteStep::Write, EIO, 5, QStringLiteral("szamitott.txt"), [&] {
                                 other = std::thread(otherAppends);
                                 turnTaken.get_future().wait();
                             }});
    EXPECT_TRUE(names(failureOf([&] { appendText(log, {QStringLiteral("ez a rekord nem fér el")}); }), log, EIO));
    setWriteFault(std::nullopt);
    other.join();
    EXPECT_EQ(readBytes("szamitott.txt"), earlier + others);
}

// A save writes a new file in place of the old one; the old one's mode goes over to it.
TEST_F(FileBytesTest, ASavedFileKeepsItsMode)
{
    for (const mode_t mode : {0600, 0640, 0604, 0444}) {
        SCOPED_TRACE(mode);
        writeBytes("f.txt", "régi\r\n");
        ASSERT_EQ(::chmod(path("f.txt").toLocal8Bit().constData(), mode), 0);
        const bool writable = (mode & 0200) || ::geteuid() == 0;  // only root writes a read-only file
        EXPECT_EQ(failureOf([&] { writeText(path("f.txt"), QStringLiteral("új")); }).isEmpty(), writable);
        EXPECT_EQ(readBytes("f.txt"), writable ? QByteArray("\xFAj\r\n") : QByteArray("régi\r\n"));
        struct stat info {};
        ASSERT_EQ(::stat(path("f.txt").toLocal8Bit().constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode);
    }
}

// The errors a user meets are said in Hungarian, the rest by the system's name for the code:
// never in the system's English words, which would also change with the locale.
TEST(ReasonTextTest, CommonErrorsInHungarianTheRestByTheirName)
{
    for (const int code : {ENOENT, EACCES, EEXIST, ENOSPC, EROFS, EISDIR, ENOTDIR, EIO, EMFILE, ENFILE, ENAMETOOLONG,
                           ELOOP, ETXTBSY, EBUSY, EPERM, EDQUOT, EFBIG, EXDEV, ENOTEMPTY, ENOMEM, ENXIO, EAGAIN, EINVAL}) {
        const QString text = reasonText(code);
        EXPECT_FALSE(text.isEmpty() || text.startsWith(u"rendszerhiba") ||
                     text.contains(QString::fromLocal8Bit(std::strerror(code)), Qt::CaseInsensitive))
            << code << ": " << text.toStdString();
    }
    EXPECT_EQ(reasonText(EPROTO), QStringLiteral("rendszerhiba (EPROTO)"));
}

} // namespace
} // namespace vkt
