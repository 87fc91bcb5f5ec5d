#include "services/TextFiles.h"

#include "services/Failure.h"
#include "services/FileBytes.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringEncoder>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vkt {
namespace {

constexpr const char* kCodePage = "windows-1250";


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

} // namespace

bool fileExists(const QString& path)
{
    return QFileInfo(path).isFile();
}

QString decodeWindows1250(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodePage);
    return decoder.decode(bytes);
}

QByteArray encodeWindows1250(const QString& text, const QString& path)
{
    QStringEncoder encoder(kCodePage);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    // Only on failure: find the first character without a byte, so the message can name it.
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype len = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        const QStringView ch = QStringView(text).sliced(i, len);
        QStringEncoder single(kCodePage);
        const QByteArray probe = single.encode(ch);  // encode() is lazy until converted
        if (single.hasError()) {
            const QString where = path.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(native(path));
            throw EncodingFailure(
                QStringLiteral("A(z) %1 karakter nem menthető a közép-európai kódlapú fájlba%2.")
                    .arg(characterName(ch), where),
                ch.toString());
        }
        i += len - 1;
    }
    throw EncodingFailure(QStringLiteral("A szöveg nem menthető a közép-európai kódlapú fájlba."), {});
}

QString readAllText(const QString& path)
{
    QString text;
    useFileBytes(path, [&](QByteArrayView bytes) { text = decodeWindows1250(bytes); });
    return text;
}

std::optional<QString> readAllTextIfExists(const QString& path)
{
    if (!QFileInfo::exists(path))
        return std::nullopt;
    return readAllText(path);
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
