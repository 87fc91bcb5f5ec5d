#include "MainWindowFixture.h"
#include "PhasePicture.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

namespace vkt {
namespace {

using testing::cp1250;
using testing::MainWindowTest;

class MainWindowLayoutTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeLines(QStringLiteral("ujholdak.txt"), {QStringLiteral("2026.11.20 07:47")});
        openWindow();
    }
};

TEST_F(MainWindowLayoutTest, FrameCaptionAndWindowFont)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("A"));
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("VKT  - Holdsarló kor és fázis számoló     -  v1.46a  (x86)   - Tarvo Edition"));
    EXPECT_EQ(area().size(), QSize(744, 402));
    EXPECT_EQ(area().geometry().top(), window->menuBar()->geometry().bottom() + 1);
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    // "Times New Roman CE" must reach a serif face, not the default sans.
    EXPECT_EQ(QFontInfo(area().font()).family(), QStringLiteral("Liberation Serif"));
    EXPECT_DOUBLE_EQ(area().font().pointSizeF(), 14.25);
}

TEST_F(MainWindowLayoutTest, ControlsAtTheirTwipPositions)
{
    const struct {
        const char* name;
        int left, top, width, height;
    } places[] = {
        {"Text11", 6840, 1200, 2295, 405},   {"Command3", 6840, 2640, 1695, 495}, {"Ujholdak", 6840, 1800, 2295, 405},
        {"Command6", 9720, 1800, 975, 470},  {"Command1", 6840, 4920, 1695, 615}, {"Text12", 6840, 4200, 2655, 435},
        {"Command14", 9720, 4200, 975, 470}, {"Command2", 9120, 4920, 1575, 615}, {"Label8", 6840, 840, 2655, 375},
        {"Label9", 6840, 3720, 2655, 375},   {"PictureHoldak", 480, 240, 4455, 615}, {"Picture1", 840, 3000, 2055, 2055},
    };
    for (const auto& p : places) {
        SCOPED_TRACE(p.name);
        QWidget* w = area().findChild<QWidget*>(QString::fromLatin1(p.name));
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->geometry(), twipsRect(p.left, p.top, p.width, p.height));
    }
    auto* banner = area().findChild<QLabel*>(QStringLiteral("PictureHoldak"));
    EXPECT_EQ(banner->pixmap().size(), QSize(300, 42));  // cut by its area, never scaled
}

TEST_F(MainWindowLayoutTest, PaintedColours)
{
    const QImage image = area().grab().toImage();
    const QColor grey(0x80, 0x80, 0x80), black(0x00, 0x00, 0x00);
    const struct {
        const char* what;
        int xTwips, yTwips;  // a point inside the thing, away from text
        QColor colour;
    } probes[] = {
        {"Command3 yellow face", 6900, 2700, QColor(0xFF, 0xFF, 0x80)},
        {"Command6 pale face", 9780, 1860, QColor(0xFF, 0xFF, 0xC0)},
        {"Command1 green face", 6900, 4980, QColor(0x80, 0xFF, 0x80)},
        {"Command14 green face", 9780, 4260, QColor(0x80, 0xFF, 0x80)},
        {"Command2 blue face", 9180, 4980, QColor(0xC0, 0xFF, 0xFF)},
        {"Text11 black field", 8800, 1400, black},
        {"Text12 black field", 9300, 4420, black},
        {"Ujholdak pale list", 6930, 2000, QColor(0xFF, 0xFF, 0xC0)},
        {"Picture1 black", 2000, 4000, black},
        {"Shape2 top edge", 5500, 480, grey},
        {"Shape2 left edge", 360, 3000, grey},
        {"Shape1 top edge", 8000, 480, grey},
        {"Shape1 right edge", 6600 + 4335 - 15, 3000, grey},
        {"Shape3 left edge", 600, 4000, grey},
        {"Line1", 3000, 1800, grey},
        {"Line2", 8000, 3360, grey},
        {"window background", 6480, 3000, black},
    };
    for (const auto& p : probes) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(image.pixelColor(twips(p.xTwips), twips(p.yTwips)), p.colour);
    }
}

TEST_F(MainWindowLayoutTest, TabOrderFollowsTheDesign)
{
    activateMain();
    EXPECT_EQ(QApplication::focusWidget(), area().Text11);
    for (const char* name : {"Command3", "Ujholdak", "Command6", "Command1", "Text12", "Command14", "Command2", "Text11"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
}

TEST_F(MainWindowLayoutTest, FieldsRefuseTextBeyondTheirLimits)
{
    const QString typed = QStringLiteral("2026.12.06 22:00:09 --- 1234567890");
    const QString put = QStringLiteral("2026. 12. 06. 22:00:09\r\n");
    for (auto [field, length] : {std::pair{area().Text11, 16}, std::pair{area().Text12, 22}}) {
        SCOPED_TRACE(length);
        field->clear();
        QTest::keyClicks(field, typed);
        EXPECT_EQ(field->text(), typed.left(length));
        field->setText(put);  // text the program puts in is cut too, without a word
        EXPECT_EQ(field->text(), put.left(length));
    }
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(MainWindowLayoutTest, MenuTreeWithCaptionsAccessKeysAndShortcuts)
{
    const QStringList expected[] = {
        {"&Hold - térképek|holdmap", "hold02|  2. nap|F2", "hold03|  3. nap|F3", "hold04|  4. nap|F4",
         "hold05|  5. nap|F5", "hold06|  6. nap|F6", "hold07|  7. nap|F7", "hold08|  8. nap|F8", "hold09|  9. nap|F9",
         "hold10|10. nap|F11", "hold11|11. nap|F12"},
        {"&Szerszámok|szamit", "jegyzetek|Jegyzetek|Ctrl+J", "naplo|Megfigyelési napló|", "naptar1|&Naptár|Ctrl+N",
         "holdsarlolista|Korai Holdsarlók|", "jelensegnaptar|Napfogyatkozások|", "holdfogyi|Holdfogyatkozások|",
         "venusz|Vénusz sarlók|", "vonas|Fok - Vonás calculator|"},
        {"H&elp|prg", "prog|Programról|", "leir|Leírás|Ctrl+L", "help1|------------|", "kilep|Kilépés|Ctrl+Q"},
    };
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    for (int m = 0; m < 3; ++m) {
        QStringList actual = {bar[m]->text() + u'|' + bar[m]->menu()->objectName()};
        for (QAction* item : bar[m]->menu()->actions())
            actual.append(item->objectName() + u'|' + item->text() + u'|' + item->shortcut().toString());
        EXPECT_EQ(actual, expected[m]);
    }
}

TEST_F(MainWindowLayoutTest, F10AndTheHyphenItemDoNothing)
{
    for (QAction* a : window->findChildren<QAction*>())
        EXPECT_NE(a->shortcut(), QKeySequence(Qt::Key_F10)) << a->objectName().toStdString();

    activateMain();
    const QList<QWidget*> before = QApplication::topLevelWidgets();
    QTest::keyClick(window.get(), Qt::Key_F10);
    action("help1")->trigger();
    EXPECT_EQ(QApplication::topLevelWidgets(), before);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(messages->messages.empty());
}

class StartUpTest : public MainWindowTest {};

TEST_F(StartUpTest, NewMoonListTakesEveryLineAsWritten)
{
    const struct {
        const char* label;
        const char* file;  // UTF-8, written in Windows-1250
        QStringList entries;
    } cases[] = {
        {"empty_file", "", {}},
        {"final_line_end_adds_no_entry", "2026.11.20 07:47\r\n2026.12.20 01:43\r\n", {"2026.11.20 07:47", "2026.12.20 01:43"}},
        {"last_line_without_line_end", "2026.11.20 07:47\r\n2026.12.20 01:43", {"2026.11.20 07:47", "2026.12.20 01:43"}},
        {"empty_line_inside", "2026.11.20 07:47\r\n\r\n2026.12.20 01:43\r\n", {"2026.11.20 07:47", "", "2026.12.20 01:43"}},
        {"long_line_and_blanks_whole", "  2026.11.20 07:47:00 UT, Skorpió ő ű\r\n",
         {QStringLiteral("  2026.11.20 07:47:00 UT, Skorpió ő ű")}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        writeBytes(QStringLiteral("ujholdak.txt"), cp1250(c.file));
        writeLines(QStringLiteral("ujhold.txt"), {QStringLiteral("2026.11.20 07:47")});
        writeLines(QStringLiteral("utolso.txt"), {QStringLiteral("2026.12.06 22:00")});
        openWindow();
        QStringList entries;
        for (int i = 0; i < area().Ujholdak->count(); ++i)
            entries.append(area().Ujholdak->itemText(i));
        EXPECT_EQ(entries, c.entries);
        EXPECT_EQ(area().Ujholdak->currentIndex(), -1);
        // A fresh start shows both fields empty, whatever the saved files hold.
        EXPECT_TRUE(area().Text11->text().isEmpty());
        EXPECT_TRUE(area().Text12->text().isEmpty());
        EXPECT_TRUE(area().Picture1->pixmap().isNull());
    }
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(StartUpTest, MissingOrUnreadableNewMoonListStillOpensTheWindow)
{
    for (const bool unreadable : {false, true}) {
        SCOPED_TRACE(unreadable ? "unreadable" : "missing");
        if (unreadable) {
            ASSERT_TRUE(QDir(dir->path()).mkdir(QStringLiteral("ujholdak.txt")));  // a folder cannot be read as text
        }
        messages->messages.clear();
        openWindow();
        expectOneMessage(QStringLiteral("Az 'ujholdak.txt' fájl nem található!"), MessageIcon::Error);
        EXPECT_EQ(area().Ujholdak->count(), 0);
        EXPECT_TRUE(window->isVisible());
    }
}

} // namespace
} // namespace vkt
