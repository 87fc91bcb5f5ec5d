#include "windows/lists/JournalText.h"

#include <algorithm>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vkt {

JournalText JournalText::fromFile(QString fileText)
{
    qsizetype end = 0;
    if (fileText.endsWith(QLatin1String("\r\n")))
        end = 2;
    else if (fileText.endsWith(u'\n') || fileText.endsWith(u'\r'))
        end = 1;
    QString finalLineEnd = fileText.right(end);
    fileText.chop(end);  // in place: a journal's text is not copied for it
    return {std::move(fileText), std::move(finalLineEnd)};
}

namespace {

// Where the next character `matches` accepts is, from `at` on; `size` when there is none. Eight
// characters at a time past the text of a line: a character-by-character pass over a long journal
// costs a save more than its encoding does.
template <typename Matches, typename AnyOfEight>
qsizetype nextMatch(const char16_t* text, qsizetype at, qsizetype size, Matches matches,
                    [[maybe_unused]] AnyOfEight anyOfEight)
{
#if defined(__SSE2__)
    while (at + 8 <= size && !anyOfEight(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at))))
        at += 8;
#endif
    while (at < size && !matches(text[at]))
        ++at;
    return at;
}

// The editor's line or paragraph separator.
qsizetype nextBreak(const char16_t* text, qsizetype at, qsizetype size)
{
    return nextMatch(
        text, at, size, [](char16_t c) { return (c & 0xFFFE) == 0x2028; },
        [](auto eight) {
#if defined(__SSE2__)
            const __m128i masked = _mm_and_si128(eight, _mm_set1_epi16(short(0xFFFE)));
            return _mm_movemask_epi8(_mm_cmpeq_epi16(masked, _mm_set1_epi16(0x2028))) != 0;
#else
            return true;
#endif
        });
}

// A file's CR or LF.
qsizetype nextLineEnd(const char16_t* text, qsizetype at, qsizetype size)
{
    return nextMatch(
        text, at, size, [](char16_t c) { return c == u'\r' || c == u'\n'; },
        [](auto eight) {
#if defined(__SSE2__)
            const __m128i ends = _mm_or_si128(_mm_cmpeq_epi16(eight, _mm_set1_epi16(u'\r')),
                                              _mm_cmpeq_epi16(eight, _mm_set1_epi16(u'\n')));
            return _mm_movemask_epi8(ends) != 0;
#else
            return true;
#endif
        });
}

} // namespace

QString fileForm(const QString& raw)
{
    const auto* const in = reinterpret_cast<const char16_t*>(raw.constData());
    const qsizetype size = raw.size();
    qsizetype breaks = 0;
    for (qsizetype at = nextBreak(in, 0, size); at < size; at = nextBreak(in, at + 1, size))
        ++breaks;
    QString result(size + breaks, Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    for (qsizetype start = 0; start <= size;) {
        const qsizetype end = nextBreak(in, start, size);
        out = std::copy(in + start, in + end, out);
        if (end < size) {
            *out++ = u'\r';
            *out++ = u'\n';
        }
        start = end + 1;
    }
    return result;
}

EditorText editorForm(const QString& body)
{
    constexpr int kParagraphLines = 32;
    constexpr qsizetype kParagraphCharacters = 2048;
    const auto* const in = reinterpret_cast<const char16_t*>(body.constData());
    const qsizetype size = body.size();
    EditorText result{QString(size, Qt::Uninitialized), {}};  // a CR LF becomes one separator
    char16_t* const begin = reinterpret_cast<char16_t*>(result.text.data());
    char16_t* out = begin;
    const char16_t* paragraph = begin;
    int lines = 1;
    for (qsizetype start = 0;;) {
        const qsizetype end = nextLineEnd(in, start, size);
        out = std::copy(in + start, in + end, out);
        if (end == size)
            break;
        start = end + (in[end] == u'\r' && end + 1 < size && in[end + 1] == u'\n' ? 2 : 1);
        if (lines < kParagraphLines && out - paragraph < kParagraphCharacters) {
            *out++ = QChar::LineSeparator;
            ++lines;
            continue;
        }
        *out++ = QChar::ParagraphSeparator;
        paragraph = out;
        result.paragraphLines.push_back(lines);
        lines = 1;
    }
    result.paragraphLines.push_back(lines);
    result.text.truncate(out - begin);
    return result;
}

bool blankOnly(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

} // namespace vkt
