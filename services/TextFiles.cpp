#include "services/TextFiles.h"

#include "services/Failure.h"
#include "services/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <exception>
#include <functional>
#include <future>
#include <new>
#include <thread>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vkt {
namespace {

constexpr const char* kCodePage = "windows-1250";

// Far below the 2^29 at which Qt 6.4's converter fails without a word.
constexpr qsizetype kPieceSize = qsizetype(1) << 24;
// A text shorter than this is not worth a second thread.
constexpr qsizetype kPartSize = qsizetype(1) << 20;
qsizetype& chosenPieceSize()
{
    static qsizetype size = 0;
    return size;
}
qsizetype pieceSize()
{
    return chosenPieceSize() > 0 ? chosenPieceSize() : kPieceSize;
}

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

QString characterName(QStringView ch)
{
    const char32_t code = ch.size() == 2 ? QChar::surrogateToUcs4(ch[0], ch[1]) : ch[0].unicode();
    return QStringLiteral("„%1” (U+%2)")
        .arg(ch.toString(), QString::number(quint32(code), 16).toUpper().rightJustified(4, u'0'));
}

// Windows-1250 has one character for every byte and one byte for every character it knows, but
// Qt asks for room for two: each piece is at most half the room still free, and one place more
// at the end leaves room for the last. Nothing when the text did not come out whole.
std::optional<QString> decodeWhole(QByteArrayView bytes)
{
    QString text(bytes.size() + 1, Qt::Uninitialized);
    QChar* out = text.data();
    QStringDecoder decoder(kCodePage);
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = std::min({pieceSize(), (text.size() - at) / 2, bytes.size() - at});
        QChar* const end = decoder.appendToBuffer(out, bytes.sliced(at, length));
        if (end - out != length || decoder.hasError())
            return std::nullopt;
        out = end;
        at += length;
    }
    text.truncate(bytes.size());
    return text;
}

// A byte for every character, and no error: a lone high surrogate at the end is held back by the
// converter without one.
bool encodes(QStringView text)
{
    QStringEncoder encoder(kCodePage);
    const QByteArray bytes = encoder.encode(text);  // encode() is lazy until converted
    return !encoder.hasError() && bytes.size() == text.size();
}

qsizetype characterLength(QStringView text, qsizetype at)
{
    return at + 1 < text.size() && text[at].isHighSurrogate() && text[at + 1].isLowSurrogate() ? 2 : 1;
}

// The first character of a text that does not encode: halves are tried until one character is left.
QStringView firstUnencodable(QStringView text)
{
    qsizetype from = 0, to = text.size();  // [0, from) encodes, [from, to) does not
    while (to - from > characterLength(text, from)) {
        qsizetype middle = from + (to - from) / 2;
        if (text[middle - 1].isHighSurrogate() && text[middle].isLowSurrogate())
            ++middle;
        if (middle >= to)
            middle = from + characterLength(text, from);
        (encodes(text.sliced(from, middle - from)) ? from : to) = middle;
    }
    return text.sliced(from, to - from);
}

// A text in pieces as decodeWhole goes, with room for one more character: a piece never ends between
// the two halves of a surrogate pair, which would make two characters the code page lacks of one.
QByteArray encodePart(QStringView text, const QString& path)
{
    QByteArray bytes(text.size() + 3, Qt::Uninitialized);
    char* out = bytes.data();
    QStringEncoder encoder(kCodePage);
    for (qsizetype at = 0; at < text.size();) {
        const qsizetype room = bytes.size() - (out - bytes.constData());
        qsizetype length = std::min({pieceSize(), room / 2 - 1, text.size() - at});
        if (text[at + length - 1].isHighSurrogate() && at + length < text.size())
            ++length;
        const QStringView piece = text.sliced(at, length);
        char* const end = encoder.appendToBuffer(out, piece);
        if (encoder.hasError() || end - out != length) {
            // Only on failure: find the first character without a byte, so the message can name it.
            const QStringView ch = firstUnencodable(piece);
            if (encodes(ch))
                break;
            const QString where = path.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(native(path));
            throw EncodingFailure(QStringLiteral("A(z) %1 karakter nem menthető a közép-európai kódlapú fájlba%2.")
                                      .arg(characterName(ch), where),
                                  ch.toString());
        }
        out = end;
        at += length;
    }
    if (out - bytes.constData() == text.size()) {
        bytes.truncate(text.size());
        return bytes;
    }
    throw EncodingFailure(QStringLiteral("A szöveg nem menthető a közép-európai kódlapú fájlba."), {});
}

} // namespace

CodePageFields::CodePageFields() : decoder_(kCodePage), encoder_(kCodePage) {}

QString CodePageFields::decode(QByteArrayView bytes)
{
    if (bytes.size() >= pieceSize())
        return decodeWindows1250(bytes);
    decoder_.resetState();
    QString text = decoder_.decode(bytes);
    if (decoder_.hasError() || text.size() != bytes.size())
        return decodeWindows1250(bytes);  // throws, as a whole text would
    return text;
}

QByteArray CodePageFields::encode(QStringView text)
{
    if (text.size() >= pieceSize())
        return encodeWindows1250(text.toString());
    encoder_.resetState();
    QByteArray bytes = encoder_.encode(text);
    if (encoder_.hasError() || bytes.size() != text.size())
        return encodeWindows1250(text.toString());  // throws, naming the character
    return bytes;
}

void setCodePagePieceSize(qsizetype size)
{
    chosenPieceSize() = size;
}

bool fileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

QString decodeWindows1250(QByteArrayView bytes)
{
    std::optional<QString> text = decodeWhole(bytes);
    if (!text)
        throw Failure(QStringLiteral("A szöveg nem alakítható át egészében a közép-európai kódlapról."));
    return std::move(*text);
}

QByteArray encodeWindows1250(const QString& text, const QString& path)
{
    // A long text is cut into a part for each processor, encoded side by side (the code page keeps
    // no state from one character to the next); no cut falls inside a surrogate pair.
    const qsizetype processors = std::max(1u, std::thread::hardware_concurrency());
    const qsizetype parts = std::clamp<qsizetype>(text.size() / std::min(pieceSize(), kPartSize), 1, processors);
    std::vector<QStringView> cuts;
    for (qsizetype at = 0, k = 0; k < parts; ++k) {
        qsizetype end = k + 1 == parts ? text.size() : text.size() / parts * (k + 1);
        if (end > at && end < text.size() && text[end - 1].isHighSurrogate())
            ++end;
        cuts.push_back(QStringView(text).sliced(at, end - at));
        at = end;
    }
    std::vector<std::future<QByteArray>> others;
    for (qsizetype k = 1; k < parts; ++k)
        others.push_back(std::async(std::launch::async, encodePart, cuts[k], std::cref(path)));
    // Every part is waited for; the first failure in the text's order is the one reported.
    std::exception_ptr failure;
    QByteArray bytes;
    try {
        bytes = encodePart(cuts[0], path);
    } catch (...) {
        failure = std::current_exception();
    }
    for (std::future<QByteArray>& other : others) {
        try {
            const QByteArray part = other.get();
            if (!failure)
                bytes += part;
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    }
    if (failure)
        std::rethrow_exception(failure);
    return bytes;
}

QString readAllText(const QString& path, FileStamp* stamp, qint64 maxBytes)
{
    std::optional<QString> text;
    const auto failed = [&](const QString& reason) {
        throw Failure(QStringLiteral("A(z) '%1' fájl nem olvasható: %2").arg(native(path), reason));
    };
    useFileBytes(
        path,
        [&](QByteArrayView bytes) {
            try {
                text = decodeWhole(bytes);
            } catch (const std::bad_alloc&) {
                failed(reasonText(ENOMEM));
            }
            if (!text)
                failed(QStringLiteral("a közép-európai kódlapról nem alakítható át egészében"));
        },
        stamp, maxBytes);
    return std::move(*text);
}

std::optional<QString> readAllTextIfExists(const QString& path, FileStamp* stamp, qint64 maxBytes)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return readAllText(path, stamp, maxBytes);
}

std::vector<QStringView> lineViews(QStringView text)
{
    std::vector<QStringView> lines;
    const char16_t* const chars = text.utf16();
    const qsizetype n = text.size();
    qsizetype start = 0;
    for (qsizetype i = 0; i < n; ++i) {
#if defined(__SSE2__)
        // Eight characters at a time past the text of a line: a list of a million lines is
        // split in milliseconds.
        const __m128i cr = _mm_set1_epi16(u'\r'), lf = _mm_set1_epi16(u'\n');
        while (i + 8 <= n) {
            const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chars + i));
            if (_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(eight, cr), _mm_cmpeq_epi16(eight, lf))))
                break;
            i += 8;
        }
        if (i >= n)
            break;
#endif
        const char16_t c = chars[i];
        if (c != u'\r' && c != u'\n')
            continue;
        lines.emplace_back(chars + start, i - start);
        if (c == u'\r' && i + 1 < n && chars[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.emplace_back(chars + start, n - start);
    return lines;
}

QStringList splitLines(const QString& text)
{
    QStringList lines;
    for (const QStringView line : lineViews(text))
        lines.append(line.toString());
    return lines;
}

QStringList readLines(const QString& path)
{
    return splitLines(readAllText(path));
}

void writeText(const QString& path, const QString& s)
{
    writeAllText(path, s + QStringLiteral("\r\n"));
}

void writeAllText(const QString& path, const QString& s)
{
    replaceFileBytes(path, encodeWindows1250(s, path));
}

void appendText(const QString& path, const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    appendFileBytes(path, encodeWindows1250(text, path));
}

QString codePageProblem(const char* codePage)
{
    if (QStringDecoder(codePage).isValid() && QStringEncoder(codePage).isValid())
        return {};
    return QStringLiteral("A VKT nem indítható: ebben a rendszerben hiányzik a közép-európai (%1) kódlap, amelyen "
                          "az adatfájljai íródnak. Nélküle minden fájl üresnek látszana, és egyik sem lenne menthető. "
                          "Telepítse a Qt ICU-támogatását (libicu), majd indítsa újra a programot.")
        .arg(QString::fromLatin1(codePage));
}

} // namespace vkt
