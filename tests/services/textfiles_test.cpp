#include "Failure.h"
#include "FileBytes.h"
#include "Messages.h"
#include "TestSupport.h"
#include "TextFiles.h"

#include <QDir>
#include <cerrno>
#include <functional>
#include <gtest/gtest.h>

namespace vkt {
namespace {

using testing::DataFolderTest;

class TextFilesTest : public DataFolderTest {};

TEST_F(TextFilesTest, EveryHungarianLetterRoundTripsThroughTheCodePage)
{
    const QString letters = QStringLiteral("áéíóöőúüű ÁÉÍÓÖŐÚÜŰ");
    writeText(path("betuk.txt"), letters);
    const QByteArray expected("\xE1\xE9\xED\xF3\xF6\xF5\xFA\xFC\xFB \xC1\xC9\xCD\xD3\xD6\xD5\xDA\xDC\xDB\r\n");
    EXPECT_EQ(readBytes("betuk.txt"), expected);
    EXPECT_EQ(readAllText(path("betuk.txt")), letters + QStringLiteral("\r\n"));
    EXPECT_EQ(readLines(path("betuk.txt")), QStringList{letters});
}

TEST_F(TextFilesTest, EveryByteDecodesAndEncodesBackUnchanged)
{
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(char(b));
    EXPECT_EQ(encodeWindows1250(decodeWindows1250(all)), all);
}

TEST_F(TextFilesTest, ReadLinesSplitsOnEveryLineEnd)
{
    struct Case {
        const char* label;
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"empty file", "", {}},
        {"one line without end", "a", {"a"}},
        {"final CR LF adds no line", "a\r\n", {"a"}},
        {"empty line inside", "a\r\n\r\nb\r\n", {"a", "", "b"}},
        {"trailing empty line", "a\r\n\r\n", {"a", ""}},
        {"lone CR and lone LF", "a\rb\nc", {"a", "b", "c"}},
        {"lone line end", "\r\n", {""}},
        {"blanks kept", "  a  \r\n\tb", {"  a  ", "\tb"}},
        {"LF CR is two ends", "a\n\rb", {"a", "", "b"}},
        {"ends on and across blocks of eight", "1234567\r\n12345678\r123456789012345\n123456789012345678",
         {"1234567", "12345678", "123456789012345", "123456789012345678"}},
    };
    for (const Case& c : cases) {
        writeBytes("lines.txt", c.bytes);
        EXPECT_EQ(readLines(path("lines.txt")), c.lines) << c.label;
    }
}

TEST_F(TextFilesTest, WriteTextReplacesTheWholeFileWithCrLf)
{
    writeBytes("ujhold.txt", "a much longer earlier content\r\nwith two lines\r\n");
    writeText(path("ujhold.txt"), QStringLiteral("2026.11.20 07:47"));
    EXPECT_EQ(readBytes("ujhold.txt"), QByteArray("2026.11.20 07:47\r\n"));
    writeText(path("ujhold.txt"), QString());
    EXPECT_EQ(readBytes("ujhold.txt"), QByteArray("\r\n"));
}

TEST_F(TextFilesTest, AppendTextCreatesThenGrows)
{
    appendText(path("szamitott.txt"), {QStringLiteral("első"), QStringLiteral("      ")});
    appendText(path("szamitott.txt"), {QStringLiteral("második")});
    EXPECT_EQ(readBytes("szamitott.txt"), QByteArray("els\xF5\r\n      \r\nm\xE1sodik\r\n"));
}

TEST_F(TextFilesTest, UnencodableTextIsRefusedAndTheFileKept)
{
    writeBytes("jegyzetek.txt", "régi\r\n");
    const QString texts[] = {QStringLiteral("Hold 🌙 kép"), QStringLiteral("Луна"), QStringLiteral("ő€ ✓")};
    const QString firstBad[] = {QStringLiteral("🌙"), QStringLiteral("Л"), QStringLiteral("✓")};
    for (int i = 0; i < 3; ++i) {
        try {
            writeText(path("jegyzetek.txt"), texts[i]);
            ADD_FAILURE() << "no failure for " << texts[i].toStdString();
        } catch (const EncodingFailure& failure) {
            EXPECT_EQ(failure.character(), firstBad[i]);
            EXPECT_TRUE(failure.message().contains(firstBad[i])) << failure.message().toStdString();
        }
        EXPECT_EQ(readBytes("jegyzetek.txt"), QByteArray("régi\r\n"));
        EXPECT_THROW(appendText(path("jegyzetek.txt"), {texts[i]}), EncodingFailure);
        EXPECT_EQ(readBytes("jegyzetek.txt"), QByteArray("régi\r\n"));
    }
}

// "Not found" is only for a name that nothing holds; a folder or an unreadable file says why.
TEST_F(TextFilesTest, FailuresNameTheFileAndTheReason)
{
    ASSERT_TRUE(QDir().mkpath(path("mappa.txt")));
    const QString inMissingFolder = path("nincs-mappa/ujhold.txt");
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
        {"write into missing folder", [&] { writeText(inMissingFolder, "x"); }, inMissingFolder, "nem írható", ENOENT},
        {"append into missing folder", [&] { appendText(inMissingFolder, {"x"}); }, inMissingFolder, "nem írható", ENOENT},
    };
    for (const auto& c : cases) {
        try {
            c.call();
            ADD_FAILURE() << c.label << ": no failure";
        } catch (const Failure& failure) {
            const QString expected = QStringLiteral("'%1' fájl %2: %3")
                                         .arg(QDir::toNativeSeparators(c.file), QString::fromUtf8(c.what), reasonText(c.error));
            EXPECT_TRUE(failure.message().contains(expected)) << c.label << ": " << failure.message().toStdString();
        }
    }
    EXPECT_EQ(readAllTextIfExists(path("nincs.txt")), std::nullopt);
    writeBytes("van.txt", "a\r\n");
    EXPECT_EQ(readAllTextIfExists(path("van.txt")), QStringLiteral("a\r\n"));
    EXPECT_FALSE(fileExists(path("nincs.txt")));
    EXPECT_FALSE(fileExists(path("mappa.txt")));  // a folder is not a file
    // Without the code page every file would read as empty: the program refuses to start instead.
    EXPECT_EQ(codePageProblem(), QString());
    const QString missing = codePageProblem("nincs-ilyen-kodlap");
    EXPECT_TRUE(missing.contains(u"nem indítható") && missing.contains(u"nincs-ilyen-kodlap")) << missing.toStdString();
}

TEST_F(TextFilesTest, DataFolderFollowsTheOverride)
{
    EXPECT_EQ(dataFolder(), dir->path());
    EXPECT_EQ(dataFile(QStringLiteral("ujholdak.txt")), dir->path() + QStringLiteral("/ujholdak.txt"));
}

TEST_F(TextFilesTest, MessagesReachTheInstalledSinkWithTheirCodes)
{
    showMessage(QStringLiteral("Az 'ujhold.txt' fájl nem található!"), MessageIcon::Error);
    showMessage(QStringLiteral("Üres dátumot NEM mentek!"), MessageIcon::Warning);
    ASSERT_EQ(messages->messages.size(), 2u);
    EXPECT_EQ(int(messages->messages[0].icon), 16);
    EXPECT_EQ(int(messages->messages[1].icon), 48);
    EXPECT_EQ(messages->messages[1].text, QStringLiteral("Üres dátumot NEM mentek!"));
}

} // namespace
} // namespace vkt
