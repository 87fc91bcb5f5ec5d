#include "sightings/SightingBook.h"

#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/TextFiles.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <cerrno>

namespace vkt::sightings {
namespace {

const QByteArray kLineEnd = QByteArrayLiteral("\r\n");

QStringList decodedFields(const RawRecord& r)
{
    QStringList fields;
    for (const QByteArray& f : r.fields)
        fields << fromCodePage(f);
    return fields;
}

bool isHeader(const RawRecord& r)
{
    return namesColumns(decodedFields(r), columnNames(Dialect::DataFile));
}

// The record's text, or why it cannot be read.
std::variant<Sighting, LineProblem> readRecord(const RawRecord& r)
{
    if (r.bytes.trimmed().isEmpty())
        return LineProblem::of(LineProblem::Kind::Blank, r.line);
    if (r.unclosedQuote)
        return LineProblem::of(LineProblem::Kind::UnclosedQuote, r.line);
    auto read = readFields(decodedFields(r), Dialect::DataFile);
    if (auto* problem = std::get_if<LineProblem>(&read))
        problem->line = r.line;
    return read;
}

[[noreturn]] void refuse(const QString& path, const QString& reason)
{
    throw Failure(QStringLiteral("A(z) '%1' fájl nem olvasható: %2").arg(QDir::toNativeSeparators(path), reason));
}

} // namespace

SightingBook SightingBook::read(const QString& path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return {};
    // A FIFO or a device would block the read, or never end.
    if (info.exists() && !info.isFile() && !info.isDir())
        refuse(path, QStringLiteral("nem szabályos fájl"));
    if (info.isFile() && info.size() > kMostBytes)
        refuse(path, reasonText(EFBIG));
    const QByteArray bytes = readFileBytes(path);
    if (bytes.size() > kMostBytes)
        refuse(path, reasonText(EFBIG));
    return fromBytes(bytes);
}

SightingBook SightingBook::fromBytes(QByteArrayView bytes)
{
    SightingBook book;
    qsizetype pos = 0;
    int line = 1;
    while (pos < bytes.size()) {
        RawRecord r = nextRecord(bytes, pos, line, separatorOf(Dialect::DataFile));
        if (r.line == 1 && !r.unclosedQuote && isHeader(r))
            continue;
        std::variant<Sighting, LineProblem> read = readRecord(r);
        if (auto* s = std::get_if<Sighting>(&read)) {
            book.records_.push_back(std::move(*s));
            continue;
        }
        // Only its first line is kept: a quote that opened there may have taken lines that read
        // well on their own.
        if (r.bytes.contains('\n') || r.bytes.contains('\r'))
            firstLineOnly(bytes, r, pos, line);
        book.kept_.push_back({std::get<LineProblem>(read), r.bytes.toByteArray() + r.end.toByteArray(),
                              qsizetype(book.records_.size())});
    }
    return book;
}

QByteArray SightingBook::layOut(bool quotedKeptLinesLast) const
{
    const char separator = separatorOf(Dialect::DataFile);
    const auto line = [&](const QStringList& texts) {
        std::vector<QByteArray> fields;
        for (const QString& text : texts)
            fields.push_back(toCodePage(text));
        return joinFields(fields, separator) + kLineEnd;
    };
    QByteArray bytes = line(columnNames(Dialect::DataFile));
    QByteArray last;
    auto kept = kept_.begin();
    const auto keptUpTo = [&](qsizetype recordsBefore) {
        for (; kept != kept_.end() && kept->recordsBefore <= recordsBefore; ++kept) {
            QByteArray keptLine = kept->bytes;
            // The file's last line may lack its end; a line written after it needs one.
            if (!keptLine.endsWith('\n') && !keptLine.endsWith('\r'))
                keptLine += kLineEnd;
            (quotedKeptLinesLast && keptLine.contains('"') ? last : bytes) += keptLine;
        }
    };
    for (qsizetype i = 0; i < qsizetype(records_.size()); ++i) {
        keptUpTo(i);
        bytes += line(writeFields(records_[i], Dialect::DataFile));
    }
    keptUpTo(qsizetype(records_.size()));
    return bytes + last;
}

bool SightingBook::readsBackFrom(QByteArrayView bytes) const
{
    const SightingBook again = fromBytes(bytes);
    if (again.records_.size() != records_.size() || again.kept_.size() != kept_.size())
        return false;
    for (std::size_t i = 0; i < records_.size(); ++i)
        if (writeFields(again.records_[i], Dialect::DataFile) != writeFields(records_[i], Dialect::DataFile))
            return false;
    const auto keptBytes = [](const SightingBook& book) {
        std::vector<QByteArray> lines;
        for (const KeptLine& k : book.kept_)
            lines.push_back(k.bytes.endsWith('\n') || k.bytes.endsWith('\r') ? k.bytes : k.bytes + kLineEnd);
        std::sort(lines.begin(), lines.end());
        return lines;
    };
    return keptBytes(again) == keptBytes(*this);
}

QByteArray SightingBook::fileBytes() const
{
    // A quote in a kept line may open a field that runs into what is written after it and
    // swallow a record on the next reading; such lines go to the end then. Whatever is written
    // is read back first: a file that would not give the same records is not written at all.
    for (const bool quotedLast : {false, true}) {
        const QByteArray bytes = layOut(quotedLast);
        if (readsBackFrom(bytes))
            return bytes;
    }
    throw Failure(QStringLiteral("Az észlelések nem menthetők: a fájl olvashatatlan sorainak idézőjelei miatt a "
                                 "mentett fájl másként olvasódna vissza. Javítsa ki ezeket a sorokat egy szövegszerkesztővel."));
}

void SightingBook::save(const QString& path) const
{
    replaceFileBytes(path, fileBytes());
}

void SightingBook::add(const Sighting& s)
{
    records_.push_back(s);
}

void SightingBook::replace(qsizetype index, const Sighting& s)
{
    records_.at(index) = s;
}

void SightingBook::remove(qsizetype index)
{
    records_.at(index);  // out of range throws, as replace() does
    records_.erase(records_.begin() + index);
    for (KeptLine& k : kept_)
        if (k.recordsBefore > index)
            --k.recordsBefore;
}

} // namespace vkt::sightings
