#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

namespace vkt {
namespace {

using TextFilesTest = testing::DataFolderTest;

// Each Hungarian letter has its own byte, and every byte comes back as it was read.
TEST_F(TextFilesTest, Windows1250RoundTripsEveryLetterAndByte)
{
    const QString letters = QStringLiteral("áéíóöőúüű ÁÉÍÓÖŐÚÜŰ");
    writeText(path("betuk.txt"), letters);
    EXPECT_EQ(readBytes("betuk.txt"), QByteArray("\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB \xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB\r\n"));
    EXPECT_EQ(readAllText(path("betuk.txt")), letters + QStringLiteral("\r\n"));
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(encodeWindows1250(decodeWindows1250(all)), all);
}

TEST_F(TextFilesTest, ReadLinesSplitsOnEveryLineEnd)
{
    const struct {
        const char* label;
        QByteArray bytes;
        QStringList lines;
    } cases[] = {
        {"empty file", "", {}},
        {"final CR LF adds no line", "a\r\n", {"a"}},
        {"empty lines inside and at the end", "a\r\n\r\nb\r\n\r\n", {"a", "", "b", ""}},
        {"lone CR and lone LF", "a\rb\nc", {"a", "b", "c"}},
        {"lone line end", "\r\n", {""}},
        {"blanks kept", "  a  \r\n\tb", {"  a  ", "\tb"}},
        {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
        {"ends on and across blocks of eight", "1234567\r\n12345678\r123456789012345\n123456789012345678",
         {"1234567", "12345678", "123456789012345", "123456789012345678"}},
    };
    for (const auto& c : cases) {
        writeBytes("lines.txt", c.bytes);
        EXPECT_EQ(readLines(path("lines.txt")), c.lines) << c.label;
    }
}

TEST_F(TextFilesTest, UnencodableTextIsRefusedAndTheFileKept)
{
    writeBytes("jegyzetek.txt", "régi\r\n");
    const std::pair<const char*, const char*> texts[] = {{"Hold 🌙 kép", "🌙"}, {"Луна", "Л"}, {"ő€ ✓", "✓"}};
    for (const auto& [text, firstBad] : texts) {
        try {
            writeText(path("jegyzetek.txt"), QString::fromUtf8(text));
            ADD_FAILURE() << "no failure for " << text;
        } catch (const EncodingFailure& failure) {
            EXPECT_EQ(failure.character(), QString::fromUtf8(firstBad));
            EXPECT_TRUE(failure.message().contains(QString::fromUtf8(firstBad))) << failure.message().toStdString();
        }
        EXPECT_THROW(appendText(path("jegyzetek.txt"), {QString::fromUtf8(text)}), EncodingFailure);
        EXPECT_EQ(readBytes("jegyzetek.txt"), QByteArray("régi\r\n"));
    }
}

// "Not found" is only for a name that nothing holds; a folder or an unreadable file says why.
// (Write failures are the file-bytes test's.)
TEST_F(TextFilesTest, FailuresNameTheFileAndTheReason)
{
    ASSERT_TRUE(QDir().mkpath(path("mappa.txt")));
    const struct {
        const char* label;
        std::function<void()> call;
        QString file;
        const char* what;
        int error;
    } cases[] = {
        {"missing", [&] { readAllText(path("nincs.txt")); }, path("nincs.txt"), "nem olvasható", ENOENT},
        {"folder", [&] { readLines(path("mappa.txt")); }, path("mappa.txt"), "nem olvasható", EISDIR},
        {"folder if exists", [&] { readAllTextIfExists(path("mappa.txt")); }, path("mappa.txt"), "nem olvasható", EISDIR},
        {"read error", [] { readAllText(QStringLiteral("/proc/self/mem")); }, "/proc/self/mem", "nem olvasható", EIO},
    };
    for (const auto& c : cases) {
        const QString expected = QStringLiteral("'%1' fájl %2: %3")
                                     .arg(QDir::toNativeSeparators(c.file), QString::fromUtf8(c.what), reasonText(c.error));
        const QString message = testing::failureOf(c.call);
        EXPECT_TRUE(message.contains(expected)) << c.label << ": " << message.toStdString();
    }
    EXPECT_EQ(readAllTextIfExists(path("nincs.txt")), std::nullopt);
    writeBytes("van.txt", "a\r\n");
    EXPECT_EQ(readAllTextIfExists(path("van.txt")), QStringLiteral("a\r\n"));
    EXPECT_FALSE(fileExists(path("nincs.txt")) || fileExists(path("mappa.txt")));  // a folder is not a file
    // Without the code page every file would read as empty: the program refuses to start instead.
    EXPECT_EQ(codePageProblem(), QString());
    const QString missing = codePageProblem("nincs-ilyen-kodlap");
    EXPECT_TRUE(missing.contains(u"nem indítható") && missing.contains(u"nincs-ilyen-kodlap")) << missing.toStdString();
}

} // namespace
} // namespace vkt
