#include "sightings/SightingFields.h"

#include "astro/CivilTime.h"
#include "services/Numbers.h"
#include "services/TextFiles.h"

#include <QRegularExpression>
#include <iterator>
#include <map>
#include <optional>

namespace vkt::sightings {
namespace {

// The words of each format, in the order of their enum.
struct Words {
    const char* sessions[2];      // Twilight
    const char* outcomes[3];      // Outcome; the first is also what an empty field means
    const char* transparency[5];  // Transparency; Unknown is empty
    const char* clouds[4];        // Clouds; Unknown is empty
    const char* columns[kColumnCount];
};

const Words kDataFileWords = {
    {"este", "reggel"},
    {"nem próbálta", "látta", "nem látta"},
    {"", "kiváló", "tiszta", "párás", "nagyon párás"},
    {"", "derült", "részben felhős", "borult"},
    {"Dátum", "Időpont", "Időzóna", "Napszak", "Szélesség", "Hosszúság", "Magasság", "Szabad szem", "Binokulár",
     "Távcső", "Kamera", "Átlátszóság", "Felhőzet", "Hely", "Megfigyelő", "Megjegyzés"},
};

const Words kCsvWords = {
    {"evening", "morning"},
    {"", "seen", "not seen"},
    {"", "superb", "clear", "hazy", "very hazy"},
    {"", "clear", "partly cloudy", "cloudy"},
    {"date", "time", "timezone", "session", "latitude", "longitude", "height", "naked_eye", "binoculars",
     "telescope", "camera", "sky", "clouds", "place", "observer", "note"},
};

const Words& wordsOf(Dialect dialect)
{
    return dialect == Dialect::DataFile ? kDataFileWords : kCsvWords;
}

// The index of the word the text names (blanks around and case aside), or -1.
template <std::size_t N>
int wordIndex(const char* const (&words)[N], const QString& text)
{
    const QString simple = text.simplified();
    for (std::size_t i = 0; i < N; ++i)
        if (simple.compare(QString::fromUtf8(words[i]), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

bool isDigits(const QString& s, int minLength, int maxLength)
{
    if (s.size() < minLength || s.size() > maxLength)
        return false;
    for (const QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// The data file writes "2024.03.11."; a spreadsheet that saved it again may have written
// "2024. 03. 11." or "2024-03-11". The CSV takes ISO 8601 alone.
QDate readDate(const QString& text, Dialect dialect)
{
    QString s = text.trimmed();
    if (dialect == Dialect::DataFile) {
        s.remove(u' ');
        if (s.endsWith(u'.'))
            s.chop(1);
    }
    const QChar separator = dialect == Dialect::Csv || s.contains(u'-') ? u'-' : u'.';
    const QStringList parts = s.split(separator);
    const int shortest = dialect == Dialect::Csv ? 2 : 1;
    if (parts.size() != 3 || !isDigits(parts[0], 4, 4) || !isDigits(parts[1], shortest, 2) ||
        !isDigits(parts[2], shortest, 2))
        return {};
    return QDate(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
}

std::optional<QTime> readTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})(?::(\\d{2}))?$"));
    const QRegularExpressionMatch m = pattern.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QTime t(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return t.isValid() ? std::optional<QTime>(t) : std::nullopt;
}

QString numberText(double value, Dialect dialect)
{
    return dialect == Dialect::DataFile ? typedNumberText(value) : QString::number(value, 'g', 10);
}

// The length of the line end at `at`: CR LF, a lone CR or a lone LF; 0 for any other byte.
qsizetype lineEndLength(QByteArrayView bytes, qsizetype at)
{
    if (bytes[at] == '\r')
        return at + 1 < bytes.size() && bytes[at + 1] == '\n' ? 2 : 1;
    return bytes[at] == '\n' ? 1 : 0;
}

LineProblem problem(LineProblem::Kind kind, Column column, const QString& text)
{
    LineProblem p = LineProblem::of(kind);
    p.column = column;
    p.text = text;
    return p;
}

LineProblem badValue(Column column, const QString& text)
{
    return problem(LineProblem::Kind::BadValue, column, text);
}

// Asking the time-zone database costs more than reading a record: each thread remembers what it
// found.
bool knownZone(const QByteArray& zone)
{
    thread_local std::map<QByteArray, bool> known;
    const auto found = known.find(zone);
    if (found != known.end())
        return found->second;
    return known.emplace(zone, astro::CivilZone::known(zone)).first->second;
}

} // namespace

QString fromCodePage(QByteArrayView bytes)
{
    thread_local CodePageFields codePage;
    return codePage.decode(bytes);
}

QByteArray toCodePage(const QString& text)
{
    thread_local CodePageFields codePage;
    return codePage.encode(text);
}

namespace {

// A quoted field's text from just after its opening quote up to the lone quote that closes it:
// where the field ends, or nothing when no quote closes it.
std::optional<qsizetype> readQuoted(QByteArrayView bytes, qsizetype at, QByteArray& field, int& linesInside)
{
    while (at < bytes.size()) {
        if (bytes[at] == '"') {
            if (at + 1 < bytes.size() && bytes[at + 1] == '"') {
                field.append('"');
                at += 2;
                continue;
            }
            return at + 1;
        }
        if (const qsizetype endLength = lineEndLength(bytes, at)) {
            field.append(bytes.sliced(at, endLength));
            ++linesInside;
            at += endLength;
            continue;
        }
        field.append(bytes[at++]);
    }
    return std::nullopt;
}

} // namespace

RawRecord nextRecord(QByteArrayView bytes, qsizetype& pos, int& line, char separator)
{
    const qsizetype n = bytes.size();
    RawRecord r;
    r.line = line;
    const qsizetype start = pos;
    int linesInside = 0;
    QByteArray field;
    for (;;) {
        if (pos == n) {
            r.fields.push_back(field);
            r.bytes = bytes.sliced(start, pos - start);
            break;
        }
        if (const qsizetype endLength = lineEndLength(bytes, pos)) {
            r.fields.push_back(field);
            r.bytes = bytes.sliced(start, pos - start);
            r.end = bytes.sliced(pos, endLength);
            pos += endLength;
            break;
        }
        if (bytes[pos] == separator) {
            r.fields.push_back(std::exchange(field, {}));
            ++pos;
            continue;
        }
        if (bytes[pos] != '"' || !field.isEmpty() || (pos > start && bytes[pos - 1] != separator)) {
            field.append(bytes[pos++]);
            continue;
        }
        const std::optional<qsizetype> closedAt = readQuoted(bytes, pos + 1, field, linesInside);
        if (!closedAt) {
            r.bytes = bytes.sliced(start, 0);
            firstLineOnly(bytes, r, pos, line);
            r.unclosedQuote = true;
            return r;
        }
        pos = *closedAt;
    }
    line += 1 + linesInside;
    return r;
}

void firstLineOnly(QByteArrayView bytes, RawRecord& r, qsizetype& pos, int& line)
{
    const qsizetype start = r.bytes.data() - bytes.data();
    qsizetype end = start;
    while (end < bytes.size() && !lineEndLength(bytes, end))
        ++end;
    r.fields.clear();
    r.bytes = bytes.sliced(start, end - start);
    r.end = end < bytes.size() ? bytes.sliced(end, lineEndLength(bytes, end)) : QByteArrayView();
    pos = end + r.end.size();
    line = r.line + 1;
}

QByteArray joinFields(const std::vector<QByteArray>& fields, char separator)
{
    QByteArray line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            line.append(separator);
        const QByteArray& f = fields[i];
        if (f.contains(separator) || f.contains('"') || f.contains('\r') || f.contains('\n')) {
            QByteArray quoted = f;
            quoted.replace("\"", "\"\"");
            line.append('"').append(quoted).append('"');
        } else {
            line.append(f);
        }
    }
    return line;
}

char separatorOf(Dialect dialect)
{
    return dialect == Dialect::DataFile ? ';' : ',';
}

bool namesColumns(const QStringList& fields, const QStringList& names)
{
    if (fields.size() != names.size())
        return false;
    for (qsizetype i = 0; i < names.size(); ++i)
        if (fields[i].trimmed().compare(names[i], Qt::CaseInsensitive) != 0)
            return false;
    return true;
}

QStringList columnNames(Dialect dialect)
{
    QStringList names;
    for (const char* name : wordsOf(dialect).columns)
        names << QString::fromUtf8(name);
    return names;
}

namespace {

// A record's fields by their column.
struct Fields {
    const QStringList& texts;
    const QString& operator()(Column c) const { return texts[static_cast<int>(c)]; }
};

std::optional<LineProblem> readWhen(const Fields& field, Dialect dialect, Sighting& s)
{
    s.date = readDate(field(Column::Date), dialect);
    if (!s.date.isValid())
        return badValue(Column::Date, field(Column::Date));
    if (s.date.year() < kFirstYear || s.date.year() > kLastYear)
        return problem(LineProblem::Kind::YearOutOfRange, Column::Date, field(Column::Date));
    if (!field(Column::Time).trimmed().isEmpty()) {
        s.time = readTime(field(Column::Time));
        if (!s.time)
            return badValue(Column::Time, field(Column::Time));
    }
    const QString zone = field(Column::Zone).trimmed();
    s.place.timeZone = zone.toLatin1();
    if (!zone.isEmpty() && (QString::fromLatin1(s.place.timeZone) != zone || !knownZone(s.place.timeZone)))
        return badValue(Column::Zone, field(Column::Zone));
    const int session = wordIndex(wordsOf(dialect).sessions, field(Column::Session));
    if (session < 0)
        return badValue(Column::Session, field(Column::Session));
    s.session = static_cast<Twilight>(session);
    return std::nullopt;
}

std::optional<LineProblem> readPlace(const Fields& field, Sighting& s)
{
    const struct {
        Column column;
        astro::PlaceField placeField;
        double& value;
    } numbers[] = {{Column::Latitude, astro::PlaceField::Latitude, s.place.latitude},
                   {Column::Longitude, astro::PlaceField::Longitude, s.place.longitude},
                   {Column::Height, astro::PlaceField::Height, s.place.height}};
    for (const auto& n : numbers) {
        if (n.column == Column::Height && field(n.column).trimmed().isEmpty())
            continue;  // sea level
        const std::optional<double> value = astro::readPlaceNumber(n.placeField, field(n.column));
        if (!value)
            return badValue(n.column, field(n.column));
        n.value = *value;
    }
    s.place.name = field(Column::Place).trimmed();
    return std::nullopt;
}

std::optional<LineProblem> readOutcomesAndSky(const Fields& field, Dialect dialect, Sighting& s)
{
    const Words& words = wordsOf(dialect);
    for (int m = 0; m < kMeansCount; ++m) {
        const Column column = static_cast<Column>(static_cast<int>(Column::NakedEye) + m);
        const QString& text = field(column);
        const int o = text.trimmed().isEmpty() ? 0 : wordIndex(words.outcomes, text);
        if (o < 0)
            return badValue(column, text);
        s.outcomes[static_cast<std::size_t>(m)] = static_cast<Outcome>(o);
    }
    const int sky = wordIndex(words.transparency, field(Column::Sky));
    if (sky < 0)
        return badValue(Column::Sky, field(Column::Sky));
    s.transparency = static_cast<Transparency>(sky);
    const int clouds = wordIndex(words.clouds, field(Column::Clouds));
    if (clouds < 0)
        return badValue(Column::Clouds, field(Column::Clouds));
    s.clouds = static_cast<Clouds>(clouds);
    return std::nullopt;
}

} // namespace

std::variant<Sighting, LineProblem> readFields(const QStringList& fields, Dialect dialect)
{
    if (fields.size() != kColumnCount) {
        LineProblem p = LineProblem::of(LineProblem::Kind::FieldCount);
        p.count = static_cast<int>(fields.size());
        return p;
    }
    const Fields field{fields};
    Sighting s;
    if (std::optional<LineProblem> wrong = readWhen(field, dialect, s))
        return *wrong;
    if (std::optional<LineProblem> wrong = readPlace(field, s))
        return *wrong;
    if (std::optional<LineProblem> wrong = readOutcomesAndSky(field, dialect, s))
        return *wrong;
    s.observers = field(Column::Observer).trimmed();
    s.note = field(Column::Note).trimmed();
    return s;
}

QStringList writeFields(const Sighting& s, Dialect dialect)
{
    const Words& words = wordsOf(dialect);
    const auto word = [](const char* w) { return QString::fromUtf8(w); };
    QStringList f;
    f << s.date.toString(dialect == Dialect::DataFile ? QStringLiteral("yyyy.MM.dd.") : QStringLiteral("yyyy-MM-dd"));
    f << (!s.time ? QString()
                  : s.time->toString(s.time->second() ? QStringLiteral("HH:mm:ss") : QStringLiteral("HH:mm")));
    f << QString::fromLatin1(s.place.timeZone);
    f << word(words.sessions[static_cast<int>(s.session)]);
    f << numberText(s.place.latitude, dialect) << numberText(s.place.longitude, dialect)
      << numberText(s.place.height, dialect);
    for (const Outcome o : s.outcomes)
        f << word(words.outcomes[static_cast<int>(o)]);
    f << word(words.transparency[static_cast<int>(s.transparency)]) << word(words.clouds[static_cast<int>(s.clouds)]);
    f << s.place.name << s.observers << s.note;
    return f;
}

} // namespace vkt::sightings
