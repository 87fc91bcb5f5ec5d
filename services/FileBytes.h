#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

// Every byte the program reads from or writes to a file passes here. Failures throw vkt::Failure
// naming the file and the reason; nothing is reported done that is not on the disk.
// Only regular files are read or written as data: a FIFO, socket, device or folder in a data
// file's place is refused at once, saying what it is (opening a FIFO would wait for ever).
namespace vkt {

inline constexpr qint64 kAnySize = std::numeric_limits<qint64>::max();

// What a file held when this program read or wrote it: whether it was there, its size and a hash
// of its bytes. Another instance may save the same file meanwhile; comparing the stamp with the
// file as it is now tells, before anything is written over it. The modification time is left out
// on purpose: a save of the very same bytes loses nothing, so it is no change.
struct FileStamp {
    bool exists = false;
    qint64 size = 0;
    quint64 hash = 0;
    bool operator==(const FileStamp&) const = default;
};
FileStamp stampOf(QByteArrayView bytes);
// The file as it is now; a name that nothing holds gives a stamp that does not exist.
FileStamp currentStamp(const QString& path);

// The whole file.
QByteArray readFileBytes(const QString& path);
// The same bytes lent to `use` without a copy: a plain file is mapped for the call. A file of more
// than maxBytes is refused before it is read; stamp, when given, receives the stamp of the bytes lent.
void useFileBytes(const QString& path, const std::function<void(QByteArrayView)>& use, FileStamp* stamp = nullptr,
                  qint64 maxBytes = kAnySize);

// The file becomes exactly bytes, or stays as it was: written to a temporary file, flushed and
// synced, given the old file's mode, then renamed over it.
void replaceFileBytes(const QString& path, const QByteArray& bytes);
// Several files replaced together: only when every one's bytes are written and synced are they
// renamed over the old files, so a full disk or a failed write leaves each as it was.
void replaceFilesBytes(const std::vector<std::pair<QString, QByteArray>>& files);
// The same, only while the file is still as `expected` says; false, with nothing written, when it
// changed. The check and the write hold a lock on the folder, so two instances cannot both find
// the file unchanged and write one after the other.
bool replaceFileBytesIfUnchanged(const QString& path, const QByteArray& bytes, const FileStamp& expected);

// Adds bytes at the end, creating the file if absent, synced before it returns. Appends of all
// instances take turns under a lock on the file; a failure cuts the file back to where this write
// began (removes it if this write created it), so no torn record stays and no other record goes.
void appendFileBytes(const QString& path, const QByteArray& bytes);

// The reason for a system error code in Hungarian; a code without words of its own is named by
// the system's name for it, never by the system's English text.
QString reasonText(int errorCode);
// A failure that came without a code: Qt's (English) description in brackets after Hungarian words.
QString unknownReason(const QString& qtText);
// Why something that is not a regular file (the st_mode of stat()) cannot be used as one.
QString notRegularReason(unsigned mode);

// Test seam: while a fault is planned, every write (to fileName, or to any file when it is empty)
// fails at that step with that error code; at Write, the first `offset` bytes reach the file first.
// A whole-file save closes its temporary file inside Commit, so its Close fault strikes just before
// Commit; an append has nothing to rename, so its Commit fault strikes between its sync and its close.
// `meanwhile` runs just before the fault strikes, while the write holds its lock: another writer's turn.
enum class WriteStep { Open, Write, Flush, Commit, Close };
struct WriteFault {
    WriteStep step;
    int error;  // ENOSPC, EIO, EACCES, …
    qint64 offset = 0;
    QString fileName = {};
    std::function<void()> meanwhile = {};
};
void setWriteFault(std::optional<WriteFault> fault);

} // namespace vkt
