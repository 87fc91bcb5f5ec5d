#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <functional>
#include <optional>

// Every byte the program reads from or writes to a file passes here. Failures throw vkt::Failure
// naming the file and the reason; nothing is reported done that is not on the disk.
namespace vkt {

// The whole file; a folder or a file that cannot be read fails with the reason.
QByteArray readFileBytes(const QString& path);
// The same bytes lent to `use` without a copy: a plain file is mapped for the call. Anything that
// cannot be mapped is read as readFileBytes reads it, and fails there with its reason.
void useFileBytes(const QString& path, const std::function<void(QByteArrayView)>& use);

// The file becomes exactly bytes, or stays as it was: written to a temporary file, flushed and
// synced, given the old file's mode, then renamed over it.
void replaceFileBytes(const QString& path, const QByteArray& bytes);

// Adds bytes at the end, creating the file if absent, synced before it returns. A failure cuts
// the file back to its old length (removes it if it was new), so no torn record stays.
void appendFileBytes(const QString& path, const QByteArray& bytes);

// The reason for a system error code in Hungarian; a code without words of its own is named by
// the system's name for it, never by the system's English text.
QString reasonText(int errorCode);
// A failure that came without a code: Qt's (English) description in brackets after Hungarian words.
QString unknownReason(const QString& qtText);

// Test seam: while a fault is planned, every write (to fileName, or to any file when it is empty)
// fails at that step with that error code; at Write, the first `offset` bytes reach the file first.
// A whole-file save closes its temporary file inside Commit, so its Close fault strikes just before
// Commit; an append has nothing to rename, so its Commit fault strikes between its sync and its close.
enum class WriteStep { Open, Write, Flush, Commit, Close };
struct WriteFault {
    WriteStep step;
    int error;  // ENOSPC, EIO, EACCES, …
    qint64 offset = 0;
    QString fileName = {};
};
void setWriteFault(std::optional<WriteFault> fault);

} // namespace vkt
