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

using testing::MainWindowTest;

class MainWindowLayoutTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        writeLines(QStringLiteral("ujholdak.txt"), {QStringLiteral("2026.11.20 07:47")});
        openWindow();
    }
    QWidget* control(const char* name) const { return window->findChild<QWidget*>(QString::fromLatin1(name)); }
};

TEST_F(MainWindowLayoutTest, WindowFrameAndCaption)
{
    EXPECT_EQ(window->objectName(), QStringLiteral("A"));
    EXPECT_EQ(window->windowTitle(),
              QStringLiteral("VKT  - Holdsarló kor és fázis számoló     -  v1.46a  (x86)   - Tarvo Edition"));
    EXPECT_EQ(area().size(), QSize(744, 402));
    EXPECT_EQ(area().geometry().top(), window->menuBar()->geometry().bottom() + 1);  // the menu bar is above it
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(area().palette().color(QPalette::Window), QColor(0x00, 0x00, 0x00));
    EXPECT_EQ(area().palette().color(QPalette::WindowText), QColor(0x80, 0xFF, 0x80));
    EXPECT_EQ(QFontInfo(area().font()).family(), QStringLiteral("Liberation Serif"));  // Times New Roman CE
    EXPECT_DOUBLE_EQ(area().font().pointSizeF(), 14.25);
}

TEST_F(MainWindowLayoutTest, ControlsAtTheirTwipPositions)
{
    struct Place {
        const char* name;
        int left, top, width, height;
    };
    const Place places[] = {
        {"Text11", 6840, 1200, 2295, 405},   {"Command3", 6840, 2640, 1695, 495}, {"Ujholdak", 6840, 1800, 2295, 405},
        {"Command6", 9720, 1800, 975, 470},  {"Command1", 6840, 4920, 1695, 615}, {"Text12", 6840, 4200, 2655, 435},
        {"Command14", 9720, 4200, 975, 470}, {"Command2", 9120, 4920, 1575, 615}, {"Label8", 6840, 840, 2655, 375},
        {"Label9", 6840, 3720, 2655, 375},   {"PictureHoldak", 480, 240, 4455, 615}, {"Picture1", 840, 3000, 2055, 2055},
    };
    for (const Place& p : places) {
        SCOPED_TRACE(p.name);
        QWidget* w = control(p.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(w->parentWidget(), &area());
        EXPECT_EQ(w->geometry(), twipsRect(p.left, p.top, p.width, p.height));
    }
}

TEST_F(MainWindowLayoutTest, BannerAndPhasePictureArea)
{
    auto* banner = window->findChild<QLabel*>(QStringLiteral("PictureHoldak"));
    ASSERT_NE(banner, nullptr);
    EXPECT_TRUE(banner->isVisible());
    EXPECT_EQ(banner->pixmap().size(), QSize(300, 42));  // cut by its area, never scaled
    // Picture1 stays empty and black until a computation.
    EXPECT_TRUE(area().Picture1->pixmap().isNull());
    EXPECT_EQ(area().Picture1->grab().toImage().pixelColor(60, 60), QColor(0x00, 0x00, 0x00));
}

TEST_F(MainWindowLayoutTest, CaptionsFontsAndColours)
{
    struct Look {
        const char* name;
        const char* caption;
        const char* family;  // the face the design's family resolves to
        double points;
        bool italic;
        QColor face;  // button face, field or list background
        QColor text;
    };
    const QColor none;
    const Look looks[] = {
        {"Command3", "Utolsó Újhold", "Liberation Sans", 11.25, false, QColor(0xFF, 0xFF, 0x80), none},
        {"Command6", "OK", "Liberation Sans", 11.25, false, QColor(0xFF, 0xFF, 0xC0), none},
        {"Command1", "Utolsó Megfigyelés", "Liberation Sans", 11.25, false, QColor(0x80, 0xFF, 0x80), none},
        {"Command14", "Mentés", "Liberation Sans", 11.25, false, QColor(0x80, 0xFF, 0x80), none},
        {"Command2", "Most!", "Liberation Sans", 12, true, QColor(0xC0, 0xFF, 0xFF), none},
        {"Label8", "Utolsó Újhold :", "Liberation Serif", 12.75, false, none, QColor(0xFF, 0xFF, 0x80)},
        {"Label9", "Megfigyelés :", "Liberation Serif", 12.75, false, none, QColor(0x80, 0xFF, 0x80)},
        {"Text11", "", "Liberation Serif", 14.25, false, QColor(0x00, 0x00, 0x00), QColor(0xFF, 0xFF, 0xC0)},
        {"Text12", "", "Liberation Serif", 14.25, false, QColor(0x00, 0x00, 0x00), QColor(0x80, 0xFF, 0x80)},
        {"Ujholdak", "", "Liberation Serif", 12.75, false, QColor(0xFF, 0xFF, 0xC0), none},
    };
    for (const Look& l : looks) {
        SCOPED_TRACE(l.name);
        QWidget* w = control(l.name);
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(QFontInfo(w->font()).family(), QString::fromLatin1(l.family));
        EXPECT_DOUBLE_EQ(w->font().pointSizeF(), l.points);
        EXPECT_EQ(w->font().italic(), l.italic);
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            EXPECT_EQ(button->text(), QString::fromUtf8(l.caption));
            EXPECT_FALSE(button->isDefault() || button->autoDefault());
            // The face shows its colour whatever the style: look at the painted button.
            EXPECT_EQ(button->grab().toImage().pixelColor(4, 4), l.face);
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            EXPECT_EQ(label->text(), QString::fromUtf8(l.caption));
            EXPECT_EQ(label->palette().color(QPalette::WindowText), l.text);
        } else if (auto* field = qobject_cast<QLineEdit*>(w)) {
            EXPECT_EQ(field->palette().color(QPalette::Base), l.face);
            EXPECT_EQ(field->palette().color(QPalette::Text), l.text);
            EXPECT_EQ(field->grab().toImage().pixelColor(field->width() / 2, field->height() / 2), l.face);
        } else {
            EXPECT_EQ(w->palette().color(QPalette::Button), l.face);
        }
    }
}

TEST_F(MainWindowLayoutTest, GreyFramesAndLinesArePainted)
{
    const QImage image = area().grab().toImage();
    const QColor grey(0x80, 0x80, 0x80), black(0x00, 0x00, 0x00);
    struct Probe {
        const char* what;
        int xTwips, yTwips;
        QColor colour;
    };
    const Probe probes[] = {
        {"Shape2 top edge", 5500, 480, grey},         {"Shape2 left edge", 360, 3000, grey},
        {"Shape1 top edge", 8000, 480, grey},         {"Shape1 right edge", 6600 + 4335 - 15, 3000, grey},
        {"Shape3 left edge", 600, 4000, grey},        {"Line1", 3000, 1800, grey},
        {"Line2", 8000, 3360, grey},                  {"inside the left half", 4500, 1000, black},
        {"between the halves", 6480, 3000, black},
    };
    for (const Probe& p : probes) {
        SCOPED_TRACE(p.what);
        EXPECT_EQ(image.pixelColor(twips(p.xTwips), twips(p.yTwips)), p.colour);
    }
}

TEST_F(MainWindowLayoutTest, TabOrderFollowsTheDesign)
{
    activateMain();
    EXPECT_EQ(QApplication::focusWidget(), area().Text11);
    const char* order[] = {"Command3", "Ujholdak", "Command6", "Command1", "Text12", "Command14", "Command2", "Text11"};
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
}

TEST_F(MainWindowLayoutTest, FieldsRefuseTextBeyondTheirLimits)
{
    struct Limit {
        QLineEdit* field;
        int length;
    };
    for (const Limit& l : {Limit{area().Text11, 16}, Limit{area().Text12, 22}}) {
        SCOPED_TRACE(l.field->objectName().toStdString());
        l.field->clear();
        l.field->setFocus();
        QTest::keyClicks(l.field, QStringLiteral("2026.12.06 22:00:09 --- 1234567890"));
        EXPECT_EQ(l.field->text(), QStringLiteral("2026.12.06 22:00:09 --- 1234567890").left(l.length));
        // Text the program puts in is cut too, without a word.
        l.field->setText(QStringLiteral("2026. 12. 06. 22:00:09\r\n"));
        EXPECT_EQ(l.field->text(), QStringLiteral("2026. 12. 06. 22:00:09\r\n").left(l.length));
    }
    EXPECT_TRUE(messages->messages.empty());
}

struct MenuEntry {
    const char* menu;
    const char* name;
    const char* caption;
    const char* shortcut;
};

TEST_F(MainWindowLayoutTest, MenuTreeWithCaptionsAccessKeysAndShortcuts)
{
    const MenuEntry entries[] = {
        {"holdmap", "hold02", "  2. nap", "F2"},
        {"holdmap", "hold03", "  3. nap", "F3"},
        {"holdmap", "hold04", "  4. nap", "F4"},
        {"holdmap", "hold05", "  5. nap", "F5"},
        {"holdmap", "hold06", "  6. nap", "F6"},
        {"holdmap", "hold07", "  7. nap", "F7"},
        {"holdmap", "hold08", "  8. nap", "F8"},
        {"holdmap", "hold09", "  9. nap", "F9"},
        {"holdmap", "hold10", "10. nap", "F11"},
        {"holdmap", "hold11", "11. nap", "F12"},
        {"szamit", "jegyzetek", "Jegyzetek", "Ctrl+J"},
        {"szamit", "naplo", "Megfigyelési napló", ""},
        {"szamit", "naptar1", "&Naptár", "Ctrl+N"},
        {"szamit", "holdsarlolista", "Korai Holdsarlók", ""},
        {"szamit", "jelensegnaptar", "Napfogyatkozások", ""},
        {"szamit", "holdfogyi", "Holdfogyatkozások", ""},
        {"szamit", "venusz", "Vénusz sarlók", ""},
        {"szamit", "vonas", "Fok - Vonás calculator", ""},
        {"prg", "prog", "Programról", ""},
        {"prg", "leir", "Leírás", "Ctrl+L"},
        {"prg", "help1", "------------", ""},
        {"prg", "kilep", "Kilépés", "Ctrl+Q"},
    };
    const QList<QAction*> bar = window->menuBar()->actions();
    ASSERT_EQ(bar.size(), 3);
    const QStringList titles = {QStringLiteral("&Hold - térképek"), QStringLiteral("&Szerszámok"), QStringLiteral("H&elp")};
    const QStringList menuNames = {QStringLiteral("holdmap"), QStringLiteral("szamit"), QStringLiteral("prg")};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(bar[i]->text(), titles[i]);
        ASSERT_NE(bar[i]->menu(), nullptr);
        EXPECT_EQ(bar[i]->menu()->objectName(), menuNames[i]);
    }
    std::size_t next = 0;
    for (int i = 0; i < 3; ++i) {
        for (QAction* item : bar[i]->menu()->actions()) {
            ASSERT_LT(next, std::size(entries));
            const MenuEntry& e = entries[next++];
            SCOPED_TRACE(e.name);
            EXPECT_EQ(menuNames[i], QString::fromLatin1(e.menu));
            EXPECT_EQ(item->objectName(), QString::fromLatin1(e.name));
            EXPECT_EQ(item->text(), QString::fromUtf8(e.caption));
            EXPECT_EQ(item->shortcut(), QKeySequence(QString::fromLatin1(e.shortcut)));
        }
    }
    EXPECT_EQ(next, std::size(entries));
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
    EXPECT_TRUE(area().Text11->text().isEmpty());
    EXPECT_TRUE(area().Text12->text().isEmpty());
}

class StartUpTest : public MainWindowTest {};

TEST_F(StartUpTest, FieldsStartEmptyWhateverTheSavedFilesHold)
{
    writeLines(QStringLiteral("ujholdak.txt"), {QStringLiteral("2026.11.20 07:47"), QString(), QStringLiteral("2026.12.20 01:43")});
    writeLines(QStringLiteral("ujhold.txt"), {QStringLiteral("2026.11.20 07:47")});
    writeLines(QStringLiteral("utolso.txt"), {QStringLiteral("2026.12.06 22:00")});
    openWindow();
    EXPECT_TRUE(area().Text11->text().isEmpty());
    EXPECT_TRUE(area().Text12->text().isEmpty());
    QComboBox& list = *area().Ujholdak;
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.itemText(0), QStringLiteral("2026.11.20 07:47"));
    EXPECT_EQ(list.itemText(1), QString());
    EXPECT_EQ(list.itemText(2), QStringLiteral("2026.12.20 01:43"));
    EXPECT_EQ(list.currentIndex(), -1);
    EXPECT_TRUE(list.currentText().isEmpty());
    EXPECT_TRUE(area().Picture1->pixmap().isNull());
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
