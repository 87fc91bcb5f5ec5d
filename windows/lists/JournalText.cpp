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

bool isBreak(char16_t c)
{
    return (c & 0xFFFE) == 0x2028;  // the editor's line or paragraph separator
}

// Where the next break is, from `at` on; `size` when there is none. Eight characters at a time past
// the text of a line: a character-by-character pass over a long journal costs a save more than its
// encoding does.
qsizetype nextBreak(const char16_t* text, qsizetype at, qsizetype size)
{
#if defined(__SSE2__)
    const __m128i mask = _mm_set1_epi16(short(0xFFFE)), separator = _mm_set1_epi16(0x2028);
    while (at + 8 <= size) {
        const __m128i eight = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + at));
        if (_mm_movemask_epi8(_mm_cmpeq_epi16(_mm_and_si128(eight, mask), separator)))
            break;
        at += 8;
    }
#endif
    while (at < size && !isBreak(text[at]))
        ++at;
    return at;
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

bool blankOnly(const QString& text)
{
    return std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c == u' '; });
}

} // namespace vkt
