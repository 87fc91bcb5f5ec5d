// Windows-1250 decoding and line splitting of any bytes, and the journal editor's load followed
// by an unchanged save: the same bytes come out, or a blank-only text is refused and the file
// keeps its bytes untouched. Conversions run in pieces of a size the input chooses, and any UTF-16
// text either encodes whole or names the first character the code page lacks.
#include "fuzz/FuzzCheck.h"
#include "services/Failure.h"
#include "services/TextFiles.h"
#include "windows/lists/JournalText.h"

#include <QStringEncoder>
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <numeric>

namespace {

// The first character that has no byte of its own, tried one by one; empty when there is none.
QString firstUnencodable(const QString& text)
{
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype length = i + 1 < text.size() && text[i].isHighSurrogate() && text[i + 1].isLowSurrogate() ? 2 : 1;
        QStringEncoder encoder("windows-1250");
        const QByteArray bytes = encoder.encode(QStringView(text).sliced(i, length));
        if (encoder.hasError() || bytes.size() != length)
            return text.sliced(i, length);
        i += length;
    }
    return {};
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    vkt::setCodePagePieceSize(size ? 1 + data[0] % 9 : 0);
    const QString any(reinterpret_cast<const QChar*>(data), qsizetype(size / 2));
    const QString firstBad = firstUnencodable(any);
    try {
        FUZZ_CHECK(vkt::encodeWindows1250(any).size() == any.size() && firstBad.isEmpty());
    } catch (const vkt::EncodingFailure& failure) {
        FUZZ_CHECK(failure.character() == firstBad && !firstBad.isEmpty());
    }

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = vkt::decodeWindows1250(bytes);
    FUZZ_CHECK(text.size() == bytes.size());  // one character per byte, every byte has one
    FUZZ_CHECK(vkt::encodeWindows1250(text) == bytes);

    // Lines: as a plain character-by-character split gives them.
    const QStringList lines = vkt::splitLines(text);
    FUZZ_CHECK(lines == plainLines(text));

    // Journal: what an unchanged "Mentés" writes.
    const vkt::JournalText journal = vkt::JournalText::fromFile(text);
    FUZZ_CHECK(journal.fileText() == text);
    if (!vkt::blankOnly(journal.body))
        FUZZ_CHECK(vkt::encodeWindows1250(journal.fileText()) == bytes);
    // The editor takes the lines in paragraphs of up to 32; edited, its text comes back with a line
    // or paragraph separator for each line end, and a save writes them as CR LF and keeps every
    // other character.
    const QStringList bodyLines = plainLines(journal.body + QStringLiteral("\r\n"));
    const vkt::EditorText shown = vkt::editorForm(journal.body);
    FUZZ_CHECK(plainLines(vkt::fileForm(shown.text) + QStringLiteral("\r\n")) == bodyLines);
    FUZZ_CHECK(qsizetype(shown.paragraphLines.size()) == shown.text.count(QChar::ParagraphSeparator) + 1);
    FUZZ_CHECK(std::accumulate(shown.paragraphLines.begin(), shown.paragraphLines.end(), qsizetype(0)) == bodyLines.size());
    FUZZ_CHECK(std::all_of(shown.paragraphLines.begin(), shown.paragraphLines.end(), [](int n) { return n >= 1 && n <= 32; }));
    return 0;
}
