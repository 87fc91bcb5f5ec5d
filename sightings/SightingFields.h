#pragma once

#include "sightings/Sighting.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <variant>
#include <vector>

// A sighting as a line of text: the columns both formats share, the reading of each value, and
// the splitting of a file into records the way spreadsheets write them.
namespace vkt::sightings {

// The columns of both formats, in their order.
enum class Column {
    Date, Time, Zone, Session, Latitude, Longitude, Height,
    NakedEye, Binoculars, Telescope, Camera, Sky, Clouds,
    Place, Observer, Note,
};
inline constexpr int kColumnCount = 16;

// eszlelesek.txt: Hungarian words, decimal comma, semicolons, Windows-1250. The exchange CSV:
// English words, decimal point, commas, UTF-8.
enum class Dialect { DataFile, Csv };

// Why a line cannot be taken, with the facts to say so.
struct LineProblem {
    enum class Kind {
        Blank,          // nothing on the line
        FieldCount,     // `count` fields instead of kColumnCount
        UnclosedQuote,  // a quoted field that never ends
        BadEncoding,    // bytes that are no text of the file's code page (UTF-8 for the CSV)
        BadValue,       // `text`, the value of `column`, means nothing there
        YearOutOfRange, // `text`, the date, lies outside kFirstYear..kLastYear
        NotCodePage,    // `text`, a character of `column`, has no Windows-1250 byte
        Duplicate,      // the same attempt is already recorded (sameAttempt)
        Header,         // an exchange CSV whose first line is not its header
    };
    Kind kind = Kind::BadValue;
    int line = 0;  // the first physical line of the record, from 1
    Column column = Column::Date;
    QString text;
    int count = 0;

    static LineProblem of(Kind kind, int line = 0)
    {
        LineProblem p;
        p.kind = kind;
        p.line = line;
        return p;
    }
};

// One record of a file: where it began, its bytes exactly as they stand, its fields unquoted.
struct RawRecord {
    int line = 0;
    QByteArrayView bytes;  // without the line end
    QByteArrayView end;    // "\r\n", "\n", "\r", or empty at the end of the file
    std::vector<QByteArray> fields;
    bool unclosedQuote = false;  // then `fields` is empty and the record is its first line alone
};

// Quoted fields as spreadsheets write them: a field that starts with a quote runs to the next
// lone quote, a doubled quote inside is one quote, and it may span lines. A quote that never
// closes takes no more than its own line, so the lines after it are read as they stand.
// The record that begins at `pos`; pos and line move past it.
RawRecord nextRecord(QByteArrayView bytes, qsizetype& pos, int& line, char separator);
// The record cut back to its first line, which its reader could not take: the lines after it
// are read anew (pos and line move back to them).
void firstLineOnly(QByteArrayView bytes, RawRecord& r, qsizetype& pos, int& line);

// A field quoted when it holds the separator, a quote or a line end.
QByteArray joinFields(const std::vector<QByteArray>& fields, char separator);

// Windows-1250 through one converter a thread: a file of many records is read and written
// without setting up a converter for every field.
QString fromCodePage(QByteArrayView bytes);
// Throws EncodingFailure (services/Failure.h) naming the first character without a byte.
QByteArray toCodePage(const QString& text);

char separatorOf(Dialect dialect);
// A header line: the fields are the names, blanks around and case aside.
bool namesColumns(const QStringList& fields, const QStringList& names);
QStringList columnNames(Dialect dialect);

// The record the fields give, or the first thing wrong with them (line left 0).
std::variant<Sighting, LineProblem> readFields(const QStringList& fields, Dialect dialect);
QStringList writeFields(const Sighting& s, Dialect dialect);

} // namespace vkt::sightings
