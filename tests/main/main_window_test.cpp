#include "services/FileBytes.h"
#include "services/Version.h"
#include "tests/main/MainWindowFixture.h"
#include "windows/common/Guarded.h"

#include "core/Phase.h"
#include "windows/common/Pictures.h"
#include "windows/common/WindowLook.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QMenu>
#include <cerrno>
#include <functional>
#include <sys/stat.h>

namespace vkt::testing {
namespace {

// Button faces keep their colour under any style, the frames and lines are painted, and
// "Times New Roman CE" reaches a serif face, not the default sans.
TEST_F(MainWindowTest, PaintsItsColoursAndASerifFont)
{
    EXPECT_EQ(QFontInfo(area().font()).family(), QStringLiteral("Liberation Serif"));
    const QImage image = area().grab().toImage();
    const QColor grey(0x80, 0x80, 0x80), black(0x00, 0x00, 0x00), pale(0xFF, 0xFF, 0xC0), green(0x80, 0xFF, 0x80);
    const struct {
        const char* what;
        int xTwips, yTwips;  // a point inside the thing, away from text
        QColor colour;
    } probes[] = {
        {"restoreNewMoonButton", 6900, 2700, QColor(0xFF, 0xFF, 0x80)},
        {"nowButton", 9180, 4980, QColor(0xC0, 0xFF, 0xFF)},
        {"okButton", 9780, 1860, pale},
        {"lastObservationButton", 6900, 4980, green},
        {"newMoonList", 6930, 2000, pale},
        {"observationField", 9300, 4420, black},
        {"right half's frame", 6600 + 4335 - 15, 3000, grey},
        {"phase picture's frame", 600, 4000, grey},
        {"rule above the observation", 8000, 3360, grey},
        {"background", 6480, 3000, black},
    };
    for (const auto& p : probes)
        EXPECT_EQ(image.pixelColor(twips(p.xTwips), twips(p.yTwips)), p.colour) << p.what;
}

// Empty and long lines are entries too, the last one without its line end; nothing is chosen,
// and a fresh start shows both fields empty, whatever the saved files hold. A missing or an
// unreadable list is named and the window still opens.
TEST_F(MainWindowTest, NewMoonListTakesEveryLineAsWrittenOrSaysWhyNot)
{
    writeBytes("ujhold.txt", "2026.11.20 07:47\r\n");
    writeBytes("utolso.txt", "2026.12.06 22:00\r\n");
    openWith("2026.11.20 07:47\r\n\r\n  2026.11.20 07:47:00 UT, Skorpió ő ű");
    QStringList entries;
    for (int i = 0; i < area().newMoonList->count(); ++i)
        entries.append(area().newMoonList->itemText(i));
    EXPECT_EQ(entries, (QStringList{"2026.11.20 07:47", "", QStringLiteral("  2026.11.20 07:47:00 UT, Skorpió ő ű")}));
    EXPECT_EQ(area().newMoonList->currentIndex(), -1);
    EXPECT_TRUE(area().newMoonField->text().isEmpty() && area().observationField->text().isEmpty());
    expectNoMessage();

    ASSERT_TRUE(QFile::remove(path("ujholdak.txt")));
    const QString unreadable = QStringLiteral("A(z) '%1' fájl nem olvasható: ").arg(QDir::toNativeSeparators(path("ujholdak.txt")));
    const struct {
        std::function<bool()> make;
        QString message;
    } lists[] = {{[] { return true; }, QStringLiteral("Az 'ujholdak.txt' fájl nem található!")},
                 // Opening it would wait for a writer for ever, and the window would never show; the
                 // other reasons a read fails are the file services' test.
                 {[&] { return ::mkfifo(path("ujholdak.txt").toLocal8Bit().constData(), 0600) == 0; },
                  unreadable + notRegularReason(S_IFIFO)}};
    for (const auto& l : lists) {
        ASSERT_TRUE(l.make());
        openWith(nullptr);
        expectOneMessage(MessageIcon::Error, l.message);
        EXPECT_EQ(area().newMoonList->count(), 0);
    }
}

// "OK" and "Utolsó Újhold" work on the new-moon field and ujhold.txt, "Mentés" on the observation
// field and utolso.txt.
TEST_F(MainWindowTest, SavedTimeButtonsWithTheirFilesAndMessages)
{
    openWith("2026.11.20 07:47\r\n\r\n2026.12.20 01:43:00 UT\r\n");
    const char* blankRefused = "Üres dátumot NEM mentek!";
    const char *ok = "okButton", *restore = "restoreNewMoonButton", *save = "saveObservationButton";
    const struct {
        const char* label;
        const char* button;
        int chosen;         // the list entry; -1: none
        const char* typed;  // the field before the click
        const char* file;   // UTF-8, written in Windows-1250; nullptr: none
        const char* fieldAfter;
        const char* fileAfter;  // nullptr: none
        const char* message = nullptr;  // an error for "Utolsó Újhold", a warning for "Mentés"
    } rows[] = {
        {"ok_entry_cut_to_16", ok, 2, "typed", nullptr, "2026.12.20 01:43", "2026.12.20 01:43\r\n"},
        {"ok_empty_entry", ok, 1, "typed", "old\r\n", "", "\r\n"},
        {"ok_nothing_chosen", ok, -1, "2026.11.2 7:47", nullptr, "2026.11.2 7:47", "2026.11.2 7:47\r\n"},
        {"last_cut_to_16", restore, -1, "", "2026.11.20 07:47\r\n", "2026.11.20 07:47", "2026.11.20 07:47\r\n"},
        {"last_without_its_line_end", restore, -1, "typed", "ő ű\r\n", "ő ű", "ő ű\r\n"},
        {"last_first_line_only", restore, -1, "typed", "2026.12.4 2:21\rx\n", "2026.12.4 2:21", "2026.12.4 2:21\rx\n"},
        {"last_no_file", restore, -1, "typed", nullptr, "typed", nullptr, "Az 'ujhold.txt' fájl nem található!"},
        {"save_as_typed", save, -1, "  nem dátum  ", "old\r\n", "  nem dátum  ", "  nem dátum  \r\n"},
        {"save_empty", save, -1, "", "old\r\n", "", "old\r\n", blankRefused},
        {"save_blanks", save, -1, "      ", "old\r\n", "      ", "old\r\n", blankRefused},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        const bool observation = r.button == save;
        QLineEdit* field = observation ? area().observationField : area().newMoonField;
        const QString file = QString::fromLatin1(observation ? "utolso.txt" : "ujhold.txt");
        QFile::remove(path(file));
        if (r.file)
            writeBytes(file, cp1250(r.file));
        area().newMoonList->setCurrentIndex(r.chosen);
        field->setText(QString::fromUtf8(r.typed));
        click(r.button);
        if (r.message)
            expectOneMessage(observation ? MessageIcon::Warning : MessageIcon::Error, QString::fromUtf8(r.message));
        expectNoMessage();
        EXPECT_EQ(field->text(), QString::fromUtf8(r.fieldAfter));
        EXPECT_EQ(readBytes(file), r.fileAfter ? cp1250(r.fileAfter) : QByteArray());
        EXPECT_EQ(area().newMoonList->count(), 3);  // the list itself is never changed
    }
}

// Every picture the main window shows at its own size has a twin at exactly twice the size, and
// that twin is what a screen of ratio 2 gets; at 1.5 the original is scaled smoothly instead.
TEST_F(MainWindowTest, SharpPicturesForScaledScreens)
{
    QStringList pictures{QStringLiteral(":/icons/holdak-banner.png")};
    for (const PhaseRow& row : PhaseTable)
        pictures << qEnvironmentVariable("VKT_SOURCE_DIR") + QStringLiteral("/Pic/") + QLatin1String(row.pictureFile);
    const auto rgb = [](const QImage& image) { return image.convertToFormat(QImage::Format_RGB32); };
    for (const QString& picture : pictures) {
        SCOPED_TRACE(picture.toStdString());
        const QImage one(picture), two(doubledName(picture));
        ASSERT_FALSE(one.isNull() || two.isNull());
        EXPECT_EQ(two.size(), one.size() * 2);
        EXPECT_EQ(rgb(loadPicture(picture).toImage()), rgb(one));
        const QPixmap atTwo = loadPicture(picture, 2);
        EXPECT_EQ(atTwo.devicePixelRatio(), 2);
        EXPECT_EQ(rgb(atTwo.toImage()), rgb(two));
        EXPECT_EQ(loadPicture(picture, 1.5).deviceIndependentSize().toSize(), one.size());
    }
    const QImage icon(QStringLiteral(":/icons/vkt-32@2x.png"));
    EXPECT_EQ(icon.size(), QSize(64, 64));
    EXPECT_EQ(windowIcon().pixmap(QSize(32, 32), 2).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied),
              icon.convertToFormat(QImage::Format_ARGB32_Premultiplied));

    // A picture without a twin, such as a lunar day, is drawn smoothly: a black-white edge gets greys.
    QImage edge(2, 1, QImage::Format_RGB32);
    edge.setPixel(0, 0, qRgb(0, 0, 0));
    edge.setPixel(1, 0, qRgb(255, 255, 255));
    ASSERT_TRUE(edge.save(path("Lunar-day02s.gif"), "PNG"));
    const QImage scaled = loadPicture(path("Lunar-day02s.gif"), 2).toImage();
    ASSERT_EQ(scaled.size(), QSize(4, 2));
    EXPECT_NE(qGray(scaled.pixel(1, 0)), 0);
    EXPECT_NE(qGray(scaled.pixel(2, 0)), 255);

    // A file that is no picture is refused in words, Qt's own text only in brackets after them.
    testing::writeFile(path("Lunar-day03s.gif"), "nem kép");
    EXPECT_TRUE(testing::failureOf([&] { loadPicture(path("Lunar-day03s.gif")); })
                    .startsWith(QStringLiteral("A(z) '%1' kép nem olvasható: ismeretlen vagy nem támogatott képformátum (")
                                    .arg(QDir::toNativeSeparators(path("Lunar-day03s.gif")))));
}

// The caption writes the version without its second dot, "1.4.6" as "v1.46a".
TEST_F(MainWindowTest, TitleCarriesTheBuildsVersion)
{
    QString version = QString::fromLatin1(kVersion);
    version.remove(version.lastIndexOf(u'.'), 1);
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("VKT  - Holdsarló kor és fázis számoló     -  v%1a  (x86)   - Tarvo Edition").arg(version));
}

// What no window words itself is still Hungarian: Qt's own texts, and an unexpected failure said in
// words, the library's own text only in brackets.
TEST_F(MainWindowTest, TextsNoWindowWritesAreHungarianToo)
{
    const std::unique_ptr<QMenu> menu(area().newMoonField->createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    EXPECT_TRUE(menu->actions().constFirst()->text().startsWith(QStringLiteral("&Visszavonás")))
        << menu->actions().constFirst()->text().toStdString();
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Mégse"));

    EXPECT_FALSE(guarded([] { throw std::bad_alloc(); }));
    expectOneMessage(MessageIcon::Error, QStringLiteral("Váratlan hiba: elfogyott a memória, a művelet nem fejeződött be."));
    EXPECT_FALSE(guarded([] { throw std::out_of_range("stoi"); }));
    expectOneMessage(MessageIcon::Error, QStringLiteral("Váratlan hiba: a program belső hibája (stoi)."));
}

} // namespace
} // namespace vkt::testing
