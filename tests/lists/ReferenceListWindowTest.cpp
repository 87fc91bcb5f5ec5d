#include "ReferenceListWindow.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "TextFiles.h"
#include "Twips.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

namespace vkt {
namespace {

using testing::cp1250;

struct ListCase {
    ReferenceList which;
    const char* window;
    const char* caption;
    const char* list;
    const char* button;
    const char* file;
    const char* notFound;
    QColor background;
    QSize client;
    QRect listBox;
    QRect okButton;
};

const ListCase kWindows[] = {
    {ReferenceList::EarlyCrescents, "Form5", "Korai Holdsarlók", "List1", "Command51", "holdsarlok.txt",
     "A 'holdsarlok.txt' fájl NEM található!", QColor(0xC0, 0xFF, 0xFF), twipsSize(13695, 8235),
     twipsRect(360, 1080, 13095, 6330), twipsRect(6000, 7680, 855, 375)},
    {ReferenceList::SolarEclipses, "Form7", "Napfogyatkozások", "List2", "Command71", "napfogyik.txt",
     "A 'napfogyik.txt' fájl NEM található!", QColor(0xFF, 0xC0, 0x80), twipsSize(17355, 7860),
     twipsRect(480, 240, 16695, 6645), twipsRect(8160, 7200, 975, 495)},
    {ReferenceList::VenusCrescents, "Form9", "Vénusz sarlók láthatósága", "List9", "Command1", "venusz.txt",
     "A 'venusz.txt' fájl NEM található!", QColor(0xFF, 0xC0, 0xFF), twipsSize(14535, 7140),
     twipsRect(240, 240, 14055, 6015), twipsRect(6840, 6480, 855, 495)},
    {ReferenceList::LunarEclipses, "Form12", "Holdfogyatkozások", "List12", "Command12", "holdfogyik.txt",
     "A 'holdfogyik.txt' fájl NEM található!", QColor(0xC0, 0xFF, 0xFF), twipsSize(17145, 6375),
     twipsRect(120, 240, 16815, 5130), twipsRect(8160, 5760, 855, 375)},
};

class ReferenceListWindowTest : public testing::DataFolderTest {
protected:
    std::unique_ptr<ReferenceListWindow> open(ReferenceList which)
    {
        auto window = std::make_unique<ReferenceListWindow>(which);
        window->show();
        return window;
    }

    static QListView* listOf(QWidget* window, const char* name = "List1")
    {
        auto* list = window->findChild<QListView*>(QString::fromLatin1(name));
        EXPECT_NE(list, nullptr) << name;
        return list;
    }

    static QStringList rowsOf(const QListView* list)
    {
        QStringList rows;
        for (int row = 0; row < list->model()->rowCount(); ++row)
            rows << list->model()->index(row, 0).data().toString();
        return rows;
    }
};

TEST_F(ReferenceListWindowTest, EachWindowShowsItsOwnFileAsDesigned)
{
    for (const ListCase& c : kWindows) {
        SCOPED_TRACE(c.window);
        const QString marker = QStringLiteral("  %1 őű  ").arg(QString::fromLatin1(c.file));
        writeBytes(QString::fromLatin1(c.file), encodeWindows1250(marker));
        auto window = open(c.which);
        EXPECT_EQ(window->objectName(), QString::fromLatin1(c.window));
        EXPECT_EQ(window->windowTitle(), QString::fromUtf8(c.caption));
        EXPECT_EQ(window->size(), c.client);
        EXPECT_EQ(window->minimumSize(), window->maximumSize());
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
        EXPECT_EQ(window->palette().color(QPalette::Window), c.background);

        QListView* list = listOf(window.get(), c.list);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->geometry(), c.listBox);
        EXPECT_EQ(list->palette().color(QPalette::Base), c.background);
        EXPECT_TRUE(QFontInfo(list->font()).fixedPitch());
        EXPECT_EQ(rowsOf(list), QStringList{marker});

        auto* ok = window->findChild<QPushButton*>(QString::fromLatin1(c.button));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QStringLiteral("OK"));
        EXPECT_EQ(ok->geometry(), c.okButton);
        EXPECT_FALSE(ok->isDefault() || ok->autoDefault());
    }
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(ReferenceListWindowTest, MissingOrUnreadableFileLeavesAnEmptyOpenWindow)
{
    for (const ListCase& c : kWindows) {
        for (const bool directoryInPlace : {false, true}) {
            SCOPED_TRACE(std::string(c.window) + (directoryInPlace ? " directory in place of the file" : " missing"));
            messages->messages.clear();
            if (directoryInPlace) {
                ASSERT_TRUE(QDir().mkpath(path(QString::fromLatin1(c.file))));
            }
            auto window = open(c.which);
            ASSERT_EQ(messages->messages.size(), 1u);
            EXPECT_EQ(messages->messages[0].text, QString::fromUtf8(c.notFound));
            EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
            EXPECT_TRUE(window->isVisible());
            EXPECT_EQ(listOf(window.get(), c.list)->model()->rowCount(), 0);
        }
    }
}

struct RowsCase {
    const char* name;
    QByteArray bytes;
    QStringList rows;
    friend void PrintTo(const RowsCase& c, std::ostream* os) { *os << c.name; }
};

class ListRows : public ReferenceListWindowTest, public ::testing::WithParamInterface<RowsCase> {};

TEST_P(ListRows, EveryLineIsOneRowExactlyAsItStands)
{
    writeBytes(QStringLiteral("holdsarlok.txt"), GetParam().bytes);
    auto window = open(ReferenceList::EarlyCrescents);
    EXPECT_EQ(rowsOf(listOf(window.get())), GetParam().rows);
    EXPECT_TRUE(messages->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ListRows,
    ::testing::Values(
        RowsCase{"EmptyFile", "", {}},
        RowsCase{"OnlyALineEnd", "\r\n", {""}},
        RowsCase{"FinalLineEndAddsNoRow", "elso\r\nmasodik\r\n", {"elso", "masodik"}},
        RowsCase{"NoFinalLineEnd", "elso\r\nmasodik", {"elso", "masodik"}},
        RowsCase{"EmptyLinesInPlace", "a\r\n\r\n\r\nb\r\n\r\n", {"a", "", "", "b", ""}},
        RowsCase{"BlanksKept", "  2025.03.30  19:41   22 ora  \r\n\t tab\r\n",
                 {"  2025.03.30  19:41   22 ora  ", "\t tab"}},
        RowsCase{"NeverSorted", "2003\r\n1999\r\n2001\r\n1999\r\n", {"2003", "1999", "2001", "1999"}},
        RowsCase{"HungarianLetters", cp1250("Időpont: őű ŐŰ áéíóöúü\r\n"), {"Időpont: őű ŐŰ áéíóöúü"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReferenceListWindowTest, RowWiderThanTheBoxCanBeScrolledIntoView)
{
    const QString wide = QStringLiteral("%1vege").arg(QString(300, u'x'));
    writeBytes(QStringLiteral("holdsarlok.txt"), "rovid\r\n" + wide.toLatin1() + "\r\nrovid\r\n");
    auto window = open(ReferenceList::EarlyCrescents);
    QListView* list = listOf(window.get());
    EXPECT_EQ(rowsOf(list), (QStringList{"rovid", wide, "rovid"}));
    const int textWidth = list->fontMetrics().horizontalAdvance(wide);
    EXPECT_GT(textWidth, list->viewport()->width());
    EXPECT_GE(list->visualRect(list->model()->index(1, 0)).width(), textWidth);
    EXPECT_GE(list->horizontalScrollBar()->maximum(), textWidth - list->viewport()->width());
}

TEST_F(ReferenceListWindowTest, EarlyCrescentsCarryFixedHeadings)
{
    writeBytes(QStringLiteral("holdsarlok.txt"), "x\r\n");
    auto window = open(ReferenceList::EarlyCrescents);
    const struct {
        const char* name;
        const char* text;
        QPoint at;
    } headings[] = {
        {"Label1", "Korai Holdsarlók:", twipsPoint(360, 120)},
        {"Label2", "Időpont", twipsPoint(360, 720)},
        {"Label3", "Mikor?", twipsPoint(3480, 720)},
        {"Label4", "Holdsarló kora (kb.)", twipsPoint(4680, 720)},
    };
    for (const auto& h : headings) {
        SCOPED_TRACE(h.name);
        auto* label = window->findChild<QLabel*>(QString::fromLatin1(h.name));
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->text(), QString::fromUtf8(h.text));
        EXPECT_EQ(label->pos(), h.at);
        EXPECT_LE(label->sizeHint().width(), label->width());
        EXPECT_LE(label->geometry().bottom(), listOf(window.get())->geometry().top());
    }
    auto* title = window->findChild<QLabel*>(QStringLiteral("Label1"));
    EXPECT_EQ(title->palette().color(QPalette::WindowText), QColor(0x00, 0x00, 0x80));
    // The other windows have no headings.
    auto other = open(ReferenceList::LunarEclipses);
    EXPECT_TRUE(other->findChildren<QLabel*>().isEmpty());
}

TEST_F(ReferenceListWindowTest, OnlyTheOkButtonOrTheCloseBoxCloses)
{
    writeBytes(QStringLiteral("holdsarlok.txt"), "a\r\nb\r\n");
    auto window = open(ReferenceList::EarlyCrescents);
    QListView* list = listOf(window.get());
    auto* ok = window->findChild<QPushButton*>(QStringLiteral("Command51"));
    for (QWidget* target : {static_cast<QWidget*>(list), static_cast<QWidget*>(ok)}) {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
            EXPECT_TRUE(window->isVisible()) << target->objectName().toStdString() << " key " << key;
        }
    }
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
}

TEST_F(ReferenceListWindowTest, OneInstanceReloadedOnlyWhenOpenedAfresh)
{
    writeBytes(QStringLiteral("venusz.txt"), "regi\r\n");
    SingleWindow<ReferenceListWindow> single;
    auto create = [] { return new ReferenceListWindow(ReferenceList::VenusCrescents); };
    QPointer<ReferenceListWindow> first = single.show(create);
    writeBytes(QStringLiteral("venusz.txt"), "uj\r\n");
    EXPECT_EQ(single.show(create), first.data());
    EXPECT_EQ(rowsOf(listOf(first, "List9")), QStringList{"regi"});
    int visible = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        visible += w->objectName() == QLatin1String("Form9") && w->isVisible();
    EXPECT_EQ(visible, 1);

    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    ReferenceListWindow* second = single.show(create);
    EXPECT_EQ(rowsOf(listOf(second, "List9")), QStringList{"uj"});
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace vkt
