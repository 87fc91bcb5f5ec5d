#pragma once

#include "sightings/Sighting.h"
#include "sightings/SightingFields.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <vector>

namespace vkt::sightings {

// A line of the file that could not be read: kept as it stood, byte for byte, in its place.
struct KeptLine {
    LineProblem problem;      // why, and its line number in the file as it was read
    QByteArray bytes;         // its bytes and line end, exactly as in the file
    qsizetype recordsBefore;  // where it stands: after this many records
};

// The observer's records in eszlelesek.txt (services/DataFiles.h): Windows-1250, CR LF, a header,
// then one attempt a record, semicolon-separated with a decimal comma, so that a Hungarian
// spreadsheet opens it as it is. Only what the observer entered is stored. A line the program
// cannot read is kept where it stood and written back unchanged.
class SightingBook {
public:
    // A file larger than this is refused rather than half shown (some hundred thousand records).
    static constexpr qsizetype kMostBytes = 64 * 1024 * 1024;

    // The file's records and kept lines; an empty book when there is no file yet. A file that
    // cannot be read whole (a folder, not a regular file, too large, not readable, not in the
    // Windows-1250 code page) throws vkt::Failure, so there is no book to save over it.
    static SightingBook read(const QString& path);
    // The same from the bytes alone.
    static SightingBook fromBytes(QByteArrayView bytes);

    // The whole file as save() writes it: the header, the records and the kept lines, read back
    // to make sure it gives them again. Throws EncodingFailure for a text with no Windows-1250
    // byte, and vkt::Failure when kept lines would not read back (nothing is written then).
    QByteArray fileBytes() const;
    // Replaces the file through the checked write (FileBytes.h); on failure it throws vkt::Failure
    // and the file is as it was.
    void save(const QString& path) const;

    const std::vector<Sighting>& records() const { return records_; }
    const std::vector<KeptLine>& keptLines() const { return kept_; }

    void add(const Sighting& s);
    void replace(qsizetype index, const Sighting& s);
    void remove(qsizetype index);

private:
    QByteArray layOut(bool quotedKeptLinesLast) const;
    bool readsBackFrom(QByteArrayView bytes) const;

    std::vector<Sighting> records_;
    std::vector<KeptLine> kept_;
};

} // namespace vkt::sightings
