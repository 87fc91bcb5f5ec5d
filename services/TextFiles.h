#pragma once

#include "services/DataFolder.h"
#include "services/FileBytes.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <optional>
#include <vector>

namespace vkt {

// Windows-1250 text with CR LF line ends. Every failure throws vkt::Failure naming the
// file and the reason; a text the code page cannot hold throws EncodingFailure and writes nothing.
// A file is read whole, however large, as long as it fits in memory; one that cannot be read whole
// throws and never gives part of its text.
bool fileExists(const QString& path);
// The stamp and the size limit as useFileBytes takes them (FileBytes.h).
QString readAllText(const QString& path, FileStamp* stamp = nullptr, qint64 maxBytes = kAnySize);
// Nothing when no file or folder of that name exists; one that exists but cannot be read throws.
std::optional<QString> readAllTextIfExists(const QString& path, FileStamp* stamp = nullptr,
                                           qint64 maxBytes = kAnySize);
// Lines without their ends (CR LF, lone CR or lone LF); a final line end adds no empty line.
QStringList readLines(const QString& path);
QStringList splitLines(const QString& text);
// The same lines as views into the text, nothing copied: they hold as long as the text does.
std::vector<QStringView> lineViews(QStringView text);
// Replaces the file with s + CR LF, or leaves it as it was (FileBytes.h).
void writeText(const QString& path, const QString& s);
// The same with s exactly, no line end added.
void writeAllText(const QString& path, const QString& s);
// Appends each line + CR LF, creating the file if absent; a failed append leaves it as it was.
void appendText(const QString& path, const QStringList& lines);

// Both convert in pieces: Qt 6.4's converter gives an empty result, without an error, for 2^29 bytes
// or more at once. Decoding throws when the text does not come out whole.
QString decodeWindows1250(QByteArrayView bytes);
// Throws EncodingFailure naming the first character that has no Windows-1250 byte.
QByteArray encodeWindows1250(const QString& text, const QString& path = {});
// Many short texts of one file (a record's fields) through one converter each way: setting a
// converter up costs more than converting a field. One per thread.
class CodePageFields {
public:
    CodePageFields();
    // Throws when the bytes do not come out whole.
    QString decode(QByteArrayView bytes);
    // Throws EncodingFailure naming the first character that has no Windows-1250 byte.
    QByteArray encode(QStringView text);

private:
    QStringDecoder decoder_;
    QStringEncoder encoder_;
};
// Test seam: the characters (bytes) converted at a time; 0 puts back the program's own.
void setCodePagePieceSize(qsizetype size);
// Empty when the code page can be decoded and encoded; otherwise why the program cannot run
// (a Qt built without ICU has no Windows-1250 and would read every file as empty).
QString codePageProblem(const char* codePage = "windows-1250");

} // namespace vkt
