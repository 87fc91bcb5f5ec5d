#include "services/FileBytes.h"

#include "services/Failure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

// One write's steps: each runs for real or, when a test planned it, fails as the system would.
class WriteSteps {
public:
    explicit WriteSteps(const QString& path) : path_(path)
    {
        const std::optional<WriteFault>& fault = plannedFault();
        if (fault && (fault->fileName.isEmpty() || fault->fileName == QFileInfo(path).fileName()))
            fault_ = fault;
    }
    // The error code planned for this step; 0 when it is to run.
    int planned(WriteStep step) const { return fault_ && fault_->step == step ? fault_->error : 0; }
    // How many of size bytes go out before a planned Write fault.
    qint64 writable(qint64 size) const
    {
        return planned(WriteStep::Write) ? std::clamp<qint64>(fault_->offset, 0, size) : size;
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

} // namespace

QString reasonText(int errorCode)
{
    switch (errorCode) {
    case ENOSPC:
        return QStringLiteral("betelt a lemez");
    case EDQUOT:
        return QStringLiteral("elfogyott a lemezkvóta");
    case EIO:
        return QStringLiteral("be- vagy kiviteli hiba az adathordozón");
    case EACCES:
    case EPERM:
        return QStringLiteral("nincs hozzá jogosultság");
    case ENOENT:
        return QStringLiteral("a fájl vagy a mappája nem létezik");
    case EISDIR:
        return QStringLiteral("ez egy mappa, nem fájl");
    case ENOTDIR:
        return QStringLiteral("az elérési út egy tagja nem mappa");
    case EROFS:
        return QStringLiteral("a lemez csak olvasható");
    case EFBIG:
        return QStringLiteral("a fájl túl nagy");
    case EEXIST:
        return QStringLiteral("már van ilyen nevű fájl vagy mappa");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("túl sok a megnyitott fájl");
    case ENAMETOOLONG:
        return QStringLiteral("túl hosszú a fájl neve vagy elérési útja");
    case ELOOP:
        return QStringLiteral("a szimbolikus linkek körbeérnek vagy túl hosszú a láncuk");
    case ETXTBSY:
    case EBUSY:
        return QStringLiteral("a fájlt vagy az eszközt más használja");
    case EXDEV:
        return QStringLiteral("a fájl nem helyezhető át másik lemezre");
    case ENOTEMPTY:
        return QStringLiteral("a mappa nem üres");
    case ENOMEM:
        return QStringLiteral("elfogyott a memória");
    case ENXIO:
    case ENODEV:
        return QStringLiteral("az eszköz nem érhető el");
    case EAGAIN:
    case EINTR:
        return QStringLiteral("a művelet megszakadt; próbálja újra");
    case EINVAL:
        return QStringLiteral("érvénytelen művelet erre a fájlra");
    case ENOLCK:
        return QStringLiteral("a fájl nem zárolható");
    default:
        // The system's own name for the code, the same in every language ("EPROTO").
        if (const char* name = ::strerrorname_np(errorCode))
            return QStringLiteral("rendszerhiba (%1)").arg(QLatin1String(name));
        return QStringLiteral("rendszerhiba (%1. kód)").arg(errorCode);
    }
}

// Qt's own words, in English, where no system error code is at hand.
QString unknownReason(const QString& qtText)
{
    return QStringLiteral("ismeretlen hiba (%1)").arg(qtText);
}

void useFileBytes(const QString& path, const std::function<void(QByteArrayView)>& use)
{
    void* mapped = MAP_FAILED;
    struct stat info {};
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0)
            mapped = ::mmap(nullptr, size_t(info.st_size), PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
        ::close(fd);
    }
    if (mapped == MAP_FAILED) {
        use(readFileBytes(path));
        return;
    }
    struct Unmap {
        void* at;
        size_t size;
        ~Unmap() { ::munmap(at, size); }
    } unmap{mapped, size_t(info.st_size)};
    use(QByteArrayView(static_cast<const char*>(mapped), qsizetype(info.st_size)));
}

QByteArray readFileBytes(const QString& path)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    int error = fd < 0 ? errno : 0;
    QByteArray bytes;
    struct stat info {};
    if (!error && ::fstat(fd, &info) != 0)
        error = errno;
    else if (!error && S_ISDIR(info.st_mode))
        error = EISDIR;
    qsizetype have = 0;
    bytes.resize(std::max<qsizetype>(info.st_size, 0) + 1);  // one more, to meet the end at once
    while (!error) {
        if (have == bytes.size())
            bytes.resize(bytes.size() * 2);
        const ssize_t n = ::read(fd, bytes.data() + have, size_t(bytes.size() - have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            error = errno;
        else if (n == 0)
            break;
        else
            have += n;
    }
    if (fd >= 0)
        ::close(fd);
    if (error)
        throw Failure(QStringLiteral("A(z) '%1' fájl nem olvasható: %2").arg(native(path), reasonText(error)));
    bytes.resize(have);
    return bytes;
}

void replaceFileBytes(const QString& path, const QByteArray& bytes)
{
    const WriteSteps steps(path);
    struct stat old {};
    const bool replacing = ::stat(QFile::encodeName(path).constData(), &old) == 0 && S_ISREG(old.st_mode);
    QSaveFile file(path);  // a failure before commit() removes the temporary file, the old one untouched
    // Qt reports a failed call without its code; errno still holds the system's, when there was one.
    const auto qtFailed = [&] {
        const int error = errno;
        steps.fail(error ? reasonText(error) : unknownReason(file.errorString()));
    };
    if (const int error = steps.planned(WriteStep::Open))
        steps.fail(error);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        qtFailed();
    const qint64 size = steps.writable(bytes.size());
    errno = 0;
    if (file.write(bytes.constData(), size) != size)
        qtFailed();
    if (const int error = steps.planned(WriteStep::Write)) {
        file.flush();  // the bytes before the fault do reach the temporary file
        steps.fail(error);
    }
    if (const int error = steps.planned(WriteStep::Flush))
        steps.fail(error);
    // commit() flushes too but does not report a failed flush (a full disk): it would rename an empty file.
    errno = 0;
    if (!file.flush())
        qtFailed();
    if (const int error = replacing ? keepModeAndOwner(file.handle(), old) : 0)
        steps.fail(error);
    if (::fsync(file.handle()) != 0)
        steps.fail(errno);
    for (const WriteStep step : {WriteStep::Close, WriteStep::Commit})
        if (const int error = steps.planned(step))
            steps.fail(error);
    errno = 0;
    if (!file.commit())
        qtFailed();
}

void appendFileBytes(const QString& path, const QByteArray& bytes)
{
    const WriteSteps steps(path);
    const QByteArray name = QFile::encodeName(path);
    if (const int error = steps.planned(WriteStep::Open))
        steps.fail(error);
    bool created = false;
    int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (fd < 0 && errno == ENOENT) {
        fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CLOEXEC | O_CREAT | O_EXCL, 0666);
        created = fd >= 0;
    }
    if (fd < 0)
        steps.fail(errno);
    struct stat info {};
    if (::fstat(fd, &info) != 0) {
        const int error = errno;
        ::close(fd);
        steps.fail(error);
    }
    // From here on a failure puts the file back as it was: no half record stays behind.
    const auto undo = [&](int error, bool open) {
        const bool undone = created ? ::unlink(name.constData()) == 0
                            : open  ? ::ftruncate(fd, info.st_size) == 0 && ::fsync(fd) == 0
                                    : ::truncate(name.constData(), info.st_size) == 0;
        const QString more = undone ? QString()
                                    : QStringLiteral(" (a hozzáírt rész eltávolítása sem sikerült: %1)")
                                          .arg(reasonText(errno));
        if (open)
            ::close(fd);
        steps.fail(error, more);
    };
    const qint64 size = steps.writable(bytes.size());
    if (const int error = writeAll(fd, bytes.constData(), size))
        undo(error, true);
    for (const WriteStep step : {WriteStep::Write, WriteStep::Flush})
        if (const int error = steps.planned(step))
            undo(error, true);
    if (::fsync(fd) != 0)
        undo(errno, true);
    for (const WriteStep step : {WriteStep::Commit, WriteStep::Close})
        if (const int error = steps.planned(step))
            undo(error, true);
    if (::close(fd) != 0)
        undo(errno, false);
}

void setWriteFault(std::optional<WriteFault> fault)
{
    plannedFault() = std::move(fault);
}

} // namespace vkt
