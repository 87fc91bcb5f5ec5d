// A list window's loading of any file: no crash, and one row per line of the file, exactly as
// a plain character-by-character split gives them, in order.
#include "fuzz/FuzzCheck.h"
#include "services/TextFiles.h"
#include "windows/lists/ReferenceRows.h"

#include <QDir>
#include <QFile>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <unistd.h>

namespace {

const QString& listPath()
{
    // One file per fuzzing process, on the memory file system where there is one.
    static const QString path = (QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath())
                                + QStringLiteral("/vkt-fuzz-list-%1.txt").arg(getpid());
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QFile file(listPath());
    FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    FUZZ_CHECK(file.write(bytes) == bytes.size());
    file.close();

    // As the window loads its file.
    const std::optional<QString> text = vkt::readAllTextIfExists(listPath());
    FUZZ_CHECK(text.has_value());
    vkt::ReferenceRows rows(*text);
    const QStringList expected = plainLines(vkt::decodeWindows1250(bytes));
    FUZZ_CHECK(rows.rowCount() == expected.size());
    QString longest;
    for (int row = 0; row < rows.rowCount(); ++row) {
        const QString shown = rows.data(rows.index(row)).toString();
        FUZZ_CHECK(shown == expected[row]);
        if (shown.size() > longest.size())
            longest = shown;
    }
    const int widest = rows.longestRow();
    FUZZ_CHECK(rows.rowCount() == 0 ? widest == -1 : rows.data(rows.index(widest)).toString().size() == longest.size());
    FUZZ_CHECK(!rows.data(rows.index(rows.rowCount())).isValid());
    return 0;
}
