#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/TextFiles.h"
#include "tests/support/TestSupport.h"

#include <QDir>
#include <cerrno>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace vkt {
namespace {

using TextFilesTest = testing::DataFolderTest;

// The character a conversion refused, which its message must name; empty when nothing was refused.
QString refusedCharacter(const std::function<void()>& convert)
{
    try {
        convert();
    } catch (const EncodingFailure& failure) {
        EXPECT_TRUE(failure.message().contains(failure.character())) << failure.message().toStdString();
        return failure.character();
    }
    return {};
}

// Each Hungarian letter has its own byte, and every byte comes back as it was read, converted at
// once or in pieces of any size.
TEST_F(TextFilesTest, Windows1250RoundTripsEveryLetterAndByte)
{
    const QString letters = QStringLiteral("áéíóöőúüű ÁÉÍÓÖŐÚÜŰ");
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    for (const qsizetype piece : {0, 1, 2, 3, 7}) {
        SCOPED_TRACE(piece);
        setCodePagePieceSize(piece);
        writeText(path("betuk.txt"), letters);
        EXPECT_EQ(readBytes("betuk.txt"),
                  QByteArray("\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB \xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB\r\n"));
        EXPECT_EQ(readAllText(path("betuk.txt")), letters + QStringLiteral("\r\n"));
        EXPECT_EQ(encodeWindows1250(decodeWindows1250(all)), all);
        CodePageFields fields;
        EXPECT_EQ(fields.encode(fields.decode(all)), all);
        EXPECT_EQ(fields.decode(fields.encode(letters)), letters);
    }
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

// The first character without a byte is named whole, a pair of surrogates too, wherever a piece ends.
TEST_F(TextFilesTest, UnencodableTextIsRefusedAndTheFileKept)
{
    writeBytes("jegyzetek.txt", "régi\r\n");
    const std::pair<const char*, const char*> texts[] = {
        {"Hold 🌙 kép", "🌙"}, {"Луна", "Л"}, {"ő€ ✓", "✓"}, {"ab🌙🌙", "🌙"}, {"abcdefgh ő ű ✓", "✓"}};
    for (const qsizetype piece : {0, 1, 2, 3}) {
        setCodePagePieceSize(piece);
        for (const auto& [text, firstBad] : texts) {
            SCOPED_TRACE(::testing::Message() << text << " in pieces of " << piece);
            const QString refused = QString::fromUtf8(firstBad);
            EXPECT_EQ(refusedCharacter([&] { writeText(path("jegyzetek.txt"), QString::fromUtf8(text)); }), refused);
            EXPECT_THROW(appendText(path("jegyzetek.txt"), {QString::fromUtf8(text)}), EncodingFailure);
            EXPECT_EQ(readBytes("jegyzetek.txt"), QByteArray("régi\r\n"));
            // A field converter that refused one text takes the next as if new.
            CodePageFields fields;
            EXPECT_EQ(refusedCharacter([&] { fields.encode(QString::fromUtf8(text)); }), refused);
            EXPECT_EQ(fields.encode(u"ő"), QByteArray("\xF5"));
        }
    }
}

// "Not found" is only for a name that nothing holds; a folder, an unreadable file, anything but a
// regular file and one larger than the caller takes say why, at once. Only a regular file is
// written: a FIFO (an append would wait for a reader for ever, a save would put a file in its place)
// or a folder is refused at once and stays. (No device: were the check ever lost, the save would put
// a file in the device's place.) Failed writes are the file-bytes test's.
TEST_F(TextFilesTest, ReadsAndWritesRefuseWhatTheyCannotServeNamingTheFileAndTheReason)
{
    ASSERT_TRUE(QDir().mkpath(path("mappa.txt")));
    ASSERT_EQ(::mkfifo(path("cso.txt").toLocal8Bit().constData(), 0600), 0);  // opening it would wait for a writer
    const int listener = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path("socket.txt").toLocal8Bit().constData(), sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listener, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    writeBytes("harom.txt", "abc");
    const struct {
        const char* label;
        std::function<void()> call;
        QString file;
        QString reason;
    } cases[] = {
        {"missing", [&] { readAllText(path("nincs.txt")); }, path("nincs.txt"), reasonText(ENOENT)},
        {"folder", [&] { readLines(path("mappa.txt")); }, path("mappa.txt"), reasonText(EISDIR)},
        {"folder if exists", [&] { readAllTextIfExists(path("mappa.txt")); }, path("mappa.txt"), reasonText(EISDIR)},
        {"read error", [] { readAllText(QStringLiteral("/proc/self/mem")); }, "/proc/self/mem", reasonText(EIO)},
        {"fifo", [&] { readAllTextIfExists(path("cso.txt")); }, path("cso.txt"), notRegularReason(S_IFIFO)},
        {"socket", [&] { readLines(path("socket.txt")); }, path("socket.txt"), notRegularReason(S_IFSOCK)},
        {"too large", [&] { readAllTextIfExists(path("harom.txt"), nullptr, 2); }, path("harom.txt"),
         reasonText(EFBIG) + QStringLiteral(" (3 bájt; itt legfeljebb 2 bájtos fájl nyitható meg)")},
    };
    for (const auto& c : cases) {
        const QString expected =
            QStringLiteral("A(z) '%1' fájl nem olvasható: %2").arg(QDir::toNativeSeparators(c.file), c.reason);
        EXPECT_EQ(testing::failureOf(c.call), expected) << c.label;
    }
    ::close(listener);
    for (const auto& [name, type] : {std::pair{"cso.txt", S_IFIFO}, {"mappa.txt", S_IFDIR}}) {
        const QString file = path(QString::fromLatin1(name));
        const QString expected = QStringLiteral("A(z) '%1' fájl nem írható: %2")
                                     .arg(QDir::toNativeSeparators(file), notRegularReason(type));
        EXPECT_EQ(testing::failureOf([&] { writeText(file, QStringLiteral("a")); }), expected);
        EXPECT_EQ(testing::failureOf([&] { appendText(file, {QStringLiteral("a")}); }), expected);
        EXPECT_EQ(testing::failureOf([&] { replaceFileBytesIfUnchanged(file, "a", {}); }), expected);
        struct stat info {};
        ASSERT_EQ(::stat(file.toLocal8Bit().constData(), &info), 0);
        EXPECT_EQ(info.st_mode & S_IFMT, type) << name;
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
