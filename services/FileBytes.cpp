#include "services/FileBytes.h"

#include "services/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vkt {
namespace {

std::optional<WriteFault>& plannedFault()
{
    static std::optional<WriteFault> fault;
    return fault;
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

[[noreturn]] void readFailure(const QString& path, const QString& reason)
{
    throw Failure(QStringLiteral("A(z) '%1' fájl nem olvasható: %2").arg(native(path), reason));
}

// One write's steps: each runs for real or, when a test planned it, fails as the system would.
class WriteSteps {
public:
    explicit WriteSteps(const QString& path) : path_(path)
    {
        const std::optional<WriteFault>& fault = plannedFault();
        if (fault && (fault->fileName.isEmpty() || fault->fileName == QFileInfo(path).fileName()))
            fault_ = fault;
    }
    // The error code planned for this step, once the other writer has had its turn; 0 when it is to run.
    int strike(WriteStep step) const
    {
        if (!fault_ || fault_->step != step)
            return 0;
        if (fault_->meanwhile)
            fault_->meanwhile();
        return fault_->error;
    }
    // How many of size bytes go out before a planned Write fault.
    qint64 writable(qint64 size) const
    {
        return fault_ && fault_->step == WriteStep::Write ? std::clamp<qint64>(fault_->offset, 0, size) : size;
    }
    [[noreturn]] void fail(int error, const QString& more = {}) const { fail(reasonText(error), more); }
    [[noreturn]] void fail(const QString& reason, const QString& more = {}) const
    {
        throw Failure(QStringLiteral("A(z) '%1' fájl nem írható: %2").arg(native(path_), reason) + more);
    }

private:
    QString path_;
    std::optional<WriteFault> fault_;
};

// A descriptor of a regular file, or why there is none.
struct Opened {
    int fd = -1;
    int error = 0;      // open()'s or fstat()'s errno
    unsigned mode = 0;  // the file type found in place of a regular file
    QString reason() const { return mode ? notRegularReason(mode) : reasonText(error); }
};

// Opens without waiting and keeps only a regular file: opening a FIFO waits for its other end for
// ever, and a device or a socket holds no data file.
Opened openRegular(const QByteArray& name, int flags, struct stat& info)
{
    Opened opened;
    opened.fd = ::open(name.constData(), flags | O_NONBLOCK | O_CLOEXEC, 0666);
    if (opened.fd < 0) {
        opened.error = errno;
        struct stat found {};
        if (::stat(name.constData(), &found) == 0 && !S_ISREG(found.st_mode))
            opened.mode = found.st_mode;  // a socket, or a FIFO opened for writing, fails with ENXIO
        return opened;
    }
    if (::fstat(opened.fd, &info) != 0)
        opened.error = errno;
    else if (!S_ISREG(info.st_mode))
        opened.mode = info.st_mode;
    else
        return opened;
    ::close(opened.fd);
    opened.fd = -1;
    return opened;
}

struct CloseOnExit {
    int fd;
    ~CloseOnExit()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

// Writers of all instances take turns. A file system that keeps no locks (some network mounts)
// leaves the write unserialised rather than refused.
void lockForWriting(int fd)
{
    while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
    }
}

QString tooLarge(qint64 size, qint64 maxBytes)
{
    return QStringLiteral("%1 (%2 bájt; itt legfeljebb %3 bájtos fájl nyitható meg)")
        .arg(reasonText(EFBIG), QString::number(size), QString::number(maxBytes));
}

// read(2) to the end of an opened file whose size the system does not know beforehand (/proc).
QByteArray readToEnd(const QString& path, int fd, qint64 sizeHint, qint64 maxBytes)
{
    QByteArray bytes;
    qsizetype have = 0;
    bytes.resize(std::max<qsizetype>(sizeHint, 0) + 1);  // one more, to meet the end at once
    for (;;) {
        if (have == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + have, size_t(bytes.size() - have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            readFailure(path, reasonText(errno));
        if (n == 0)
            break;
        have += n;
        if (have > maxBytes)
            readFailure(path, tooLarge(have, maxBytes));
    }
    bytes.resize(have);
    return bytes;
}

// write(2) until every byte is out: the error code of the first failure, or 0.
int writeAll(int fd, const char* data, qint64 size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return errno;
        data += n;
        size -= n;
    }
    return 0;
}

// The saved file keeps the old one's mode, and its owner where the system lets us give it back.
int keepModeAndOwner(int fd, const struct stat& old)
{
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        return errno;
    struct stat now {};
    if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid))
        (void)::fchown(fd, old.st_uid, old.st_gid);  // only root may; a save is not refused for it
    return 0;
}

// A file's new bytes in its temporary file, flushed and synced, waiting to be renamed over it.
class Replacement {
public:
    Replacement(const QString& path, const QByteArray& bytes) : steps_(path), file_(path)
    {
        struct stat old {};
        const bool replacing = ::stat(QFile::encodeName(path).constData(), &old) == 0;
        if (replacing && !S_ISREG(old.st_mode))
            steps_.fail(notRegularReason(old.st_mode));
        // A failure before commit() removes the temporary file, the old one untouched.
        if (const int error = steps_.strike(WriteStep::Open))
            steps_.fail(error);
        errno = 0;
        if (!file_.open(QIODevice::WriteOnly))
            qtFailed();
        const qint64 size = steps_.writable(bytes.size());
        errno = 0;
        if (file_.write(bytes.constData(), size) != size)
            qtFailed();
        if (const int error = steps_.strike(WriteStep::Write)) {
            file_.flush();  // the bytes before the fault do reach the temporary file
            steps_.fail(error);
        }
        if (const int error = steps_.strike(WriteStep::Flush))
            steps_.fail(error);
        // commit() flushes too but does not report a failed flush (a full disk): it would rename an empty file.
        errno = 0;
        if (!file_.flush())
            qtFailed();
        if (const int error = replacing ? keepModeAndOwner(file_.handle(), old) : 0)
            steps_.fail(error);
        if (::fsync(file_.handle()) != 0)
            steps_.fail(errno);
        for (const WriteStep step : {WriteStep::Close, WriteStep::Commit})
            if (const int error = steps_.strike(step))
                steps_.fail(error);
    }

    void commit()
    {
        errno = 0;
        if (!file_.commit())
            qtFailed();
    }

private:
    // Qt reports a failed call without its code; errno still holds the system's, when there was one.
    [[noreturn]] void qtFailed()
    {
        const int error = errno;
        steps_.fail(error ? reasonText(error) : unknownReason(file_.errorString()));
    }

    WriteSteps steps_;
    QSaveFile file_;
};

// The file opened for appending (created if absent) and locked; info is the file as it stands under
// the lock, created whether this call made it.
int openLockedForAppend(const QByteArray& name, const WriteSteps& steps, struct stat& info, bool& created)
{
    int fd = -1;
    // A few turns at most: another instance may create the file between our two opens, or remove
    // the file it had just created (its append failed) before we hold the lock.
    for (int turn = 0; fd < 0; ++turn) {
        Opened opened = openRegular(name, O_WRONLY | O_APPEND, info);
        created = false;
        if (opened.fd < 0 && opened.error == ENOENT && !opened.mode) {
            opened = openRegular(name, O_WRONLY | O_APPEND | O_CREAT | O_EXCL, info);
            created = opened.fd >= 0;
            if (opened.error == EEXIST && turn < 3)
                continue;
        }
        if (opened.fd < 0)
            steps.fail(opened.reason());
        lockForWriting(opened.fd);
        if (::fstat(opened.fd, &info) != 0) {
            const int error = errno;
            ::close(opened.fd);
            steps.fail(error);
        }
        if (info.st_nlink > 0) {
            fd = opened.fd;
            continue;
        }
        ::close(opened.fd);
        if (turn >= 3)
            steps.fail(ENOENT);
    }
    return fd;
}

} // namespace

FileStamp stampOf(QByteArrayView bytes)
{
    return {true, bytes.size(), quint64(qHashBits(bytes.data(), size_t(bytes.size()), 0x564b54))};
}

FileStamp currentStamp(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0 && errno == ENOENT)
        return {};
    FileStamp stamp;
    useFileBytes(path, [](QByteArrayView) {}, &stamp);
    return stamp;
}

void useFileBytes(const QString& path, const std::function<void(QByteArrayView)>& use, FileStamp* stamp,
                  qint64 maxBytes)
{
    struct stat info {};
    const Opened opened = openRegular(QFile::encodeName(path), O_RDONLY, info);
    if (opened.fd < 0)
        readFailure(path, opened.reason());
    const CloseOnExit closer{opened.fd};
    if (info.st_size > maxBytes)
        readFailure(path, tooLarge(info.st_size, maxBytes));
    void* const mapped = info.st_size > 0 ? ::mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE,
                                                   opened.fd, 0)
                                          : MAP_FAILED;
    if (mapped == MAP_FAILED) {
        const QByteArray bytes = readToEnd(path, opened.fd, info.st_size, maxBytes);
        if (stamp)
            *stamp = stampOf(bytes);
        use(bytes);
        return;
    }
    const struct Unmap {
        void* at;
        size_t size;
        ~Unmap() { ::munmap(at, size); }
    } unmap{mapped, size_t(info.st_size)};
    const QByteArrayView bytes(static_cast<const char*>(mapped), qsizetype(info.st_size));
    if (stamp)
        *stamp = stampOf(bytes);
    use(bytes);
}

QByteArray readFileBytes(const QString& path)
{
    struct stat info {};
    const Opened opened = openRegular(QFile::encodeName(path), O_RDONLY, info);
    if (opened.fd < 0)
        readFailure(path, opened.reason());
    const CloseOnExit closer{opened.fd};
    return readToEnd(path, opened.fd, info.st_size, kAnySize);
}

void replaceFileBytes(const QString& path, const QByteArray& bytes)
{
    Replacement(path, bytes).commit();
}

void replaceFilesBytes(const std::vector<std::pair<QString, QByteArray>>& files)
{
    std::vector<std::unique_ptr<Replacement>> ready;
    for (const auto& [path, bytes] : files)
        ready.push_back(std::make_unique<Replacement>(path, bytes));
    for (const std::unique_ptr<Replacement>& file : ready)
        file->commit();
}

bool replaceFileBytesIfUnchanged(const QString& path, const QByteArray& bytes, const FileStamp& expected)
{
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const CloseOnExit lock{::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (lock.fd >= 0)
        lockForWriting(lock.fd);
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) == 0 && !S_ISREG(info.st_mode))
        WriteSteps(path).fail(notRegularReason(info.st_mode));
    if (currentStamp(path) != expected)
        return false;
    replaceFileBytes(path, bytes);
    return true;
}

void appendFileBytes(const QString& path, const QByteArray& bytes)
{
    const WriteSteps steps(path);
    const QByteArray name = QFile::encodeName(path);
    if (const int error = steps.strike(WriteStep::Open))
        steps.fail(error);
    struct stat info {};
    bool created = false;
    const int fd = openLockedForAppend(name, steps, info, created);
    // The file's end under the lock is where this write begins; a failure puts back exactly that,
    // so no half record stays behind and a record another instance appended before stays too.
    const off_t start = info.st_size;
    const auto undo = [&](int error) {
        const bool undone = created && start == 0 ? ::unlink(name.constData()) == 0
                                                  : ::ftruncate(fd, start) == 0 && ::fsync(fd) == 0;
        const QString more = undone ? QString()
                                    : QStringLiteral(" (a hozzáírt rész eltávolítása sem sikerült: %1)")
                                          .arg(reasonText(errno));
        ::close(fd);
        steps.fail(error, more);
    };
    const qint64 size = steps.writable(bytes.size());
    if (const int error = writeAll(fd, bytes.constData(), size))
        undo(error);
    for (const WriteStep step : {WriteStep::Write, WriteStep::Flush})
        if (const int error = steps.strike(step))
            undo(error);
    if (::fsync(fd) != 0)
        undo(errno);
    for (const WriteStep step : {WriteStep::Commit, WriteStep::Close})
        if (const int error = steps.strike(step))
            undo(error);
    // Synced, the record is on the disk: what close() may say now cannot take it back, and the
    // descriptor and the lock are released either way.
    ::close(fd);
}

void setWriteFault(std::optional<WriteFault> fault)
{
    plannedFault() = std::move(fault);
}

} // namespace vkt
