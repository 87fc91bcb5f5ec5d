#pragma once

#include <QString>
#include <QStringList>

namespace vkt {

// Pic beside the program; VKT_DATA_DIR points it elsewhere (tests, a second data set).
QString dataFolder();
QString dataFile(const QString& name);

// Windows-1250 text with CR LF line ends. Every failure throws vkt::Failure naming the
// file and the reason; a text the code page cannot hold throws EncodingFailure and writes nothing.
bool fileExists(const QString& path);
QString readAllText(const QString& path);
// Lines without their ends (CR LF, lone CR or lone LF); a final line end adds no empty line.
QStringList readLines(const QString& path);
QStringList splitLines(const QString& text);
// Replaces the file atomically with s + CR LF.
void writeText(const QString& path, const QString& s);
// Appends each line + CR LF, creating the file if absent.
void appendText(const QString& path, const QStringList& lines);

QString decodeWindows1250(const QByteArray& bytes);
// Throws EncodingFailure naming the first character that has no Windows-1250 byte.
QByteArray encodeWindows1250(const QString& text, const QString& path = {});

} // namespace vkt
