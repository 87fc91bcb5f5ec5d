#include "ReferenceListWindow.h"
#include "SingleWindow.h"
#include "TestSupport.h"

#include <QApplication>
#include <QDir>
#include <QListView>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

namespace vkt {
namespace {

using testing::cp1250;

class ReferenceListWindowTest : public testing::DataFolderTest {
protected:
    static QListView* listOf(const QWidget* window, const char* name = "List1")
    {
        auto* list = window->findChild<QListView*>(QString::fromLatin1(name));
        EXPECT_NE(list, nullptr) << name;
        return list;
    }

    static QStringList rowsOf(const QWidget* window, const char* name = "List1")
    {
        QStringList rows;
        if (const QListView* list = listOf(window, name))
            for (int row = 0; row < list->model()->rowCount(); ++row)
                rows << list->model()->index(row, 0).data().toString();
        return rows;
    }
};

TEST_F(ReferenceListWindowTest, EachWindowShowsItsOwnFileOrSaysItIsMissing)
{
    const struct {
        ReferenceList which;
        const char* window;
        const char* list;
        const char* file;
    } windows[] = {{ReferenceList::EarlyCrescents, "Form5", "List1", "holdsarlok.txt"},
                   {ReferenceList::SolarEclipses, "Form7", "List2", "napfogyik.txt"},
                   {ReferenceList::VenusCrescents, "Form9", "List9", "venusz.txt"},
                   {ReferenceList::LunarEclipses, "Form12", "List12", "holdfogyik.txt"}};
    for (const auto& c : windows) {
        SCOPED_TRACE(c.window);
        const QString file = QString::fromLatin1(c.file);
        writeBytes(file, c.file + QByteArray("\r\n"));
        EXPECT_EQ(rowsOf(std::make_unique<ReferenceListWindow>(c.which).get(), c.list), QStringList{file});
        EXPECT_TRUE(messages->messages.empty());

        ASSERT_TRUE(QFile::remove(path(file)));
        const auto missing = std::make_unique<ReferenceListWindow>(c.which);
        ASSERT_TRUE(QDir().mkpath(path(file)));  // a folder where the file should be: unreadable
        const auto unreadable = std::make_unique<ReferenceListWindow>(c.which);
        for (const ReferenceListWindow* window : {missing.get(), unreadable.get()}) {
            EXPECT_EQ(window->objectName(), QString::fromLatin1(c.window));
            EXPECT_TRUE(rowsOf(window, c.list).isEmpty());
        }
        ASSERT_EQ(messages->messages.size(), 2u);
        for (const auto& m : messages->messages) {
            EXPECT_EQ(m.text, QStringLiteral("A '%1' fájl NEM található!").arg(file));
            EXPECT_EQ(m.icon, MessageIcon::Error);
        }
        messages->messages.clear();
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
    ReferenceListWindow window(ReferenceList::EarlyCrescents);
    EXPECT_EQ(rowsOf(&window), GetParam().rows);
    EXPECT_TRUE(messages->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    EdgeCases, ListRows,
    ::testing::Values(RowsCase{"EmptyFile", "", {}}, RowsCase{"OnlyALineEnd", "\r\n", {""}},
                      RowsCase{"FinalLineEndAddsNoRow", "a\r\nb\r\n", {"a", "b"}},
                      RowsCase{"NoFinalLineEnd", "a\r\nb", {"a", "b"}},
                      RowsCase{"EmptyLinesInPlace", "a\r\n\r\n\r\nb\r\n\r\n", {"a", "", "", "b", ""}},
                      RowsCase{"BlanksKept", "  2025.03.30  19:41  \r\n\t x\r\n", {"  2025.03.30  19:41  ", "\t x"}},
                      RowsCase{"NeverSorted", "2003\r\n1999\r\n2001\r\n1999\r\n", {"2003", "1999", "2001", "1999"}},
                      RowsCase{"HungarianLetters", cp1250("Időpont őű ŐŰ\r\n"), {"Időpont őű ŐŰ"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(ReferenceListWindowTest, RowWiderThanTheBoxCanBeScrolledIntoView)
{
    const QString wide = QString(300, u'x') + QStringLiteral("vege");
    writeBytes(QStringLiteral("holdsarlok.txt"), "a\r\n" + wide.toLatin1() + "\r\nb\r\n");
    ReferenceListWindow window(ReferenceList::EarlyCrescents);
    window.show();
    QListView* list = listOf(&window);
    const int textWidth = list->fontMetrics().horizontalAdvance(wide);
    ASSERT_GT(textWidth, list->viewport()->width());
    EXPECT_GE(list->visualRect(list->model()->index(1, 0)).width(), textWidth);
    EXPECT_GE(list->horizontalScrollBar()->maximum(), textWidth - list->viewport()->width());
}

TEST_F(ReferenceListWindowTest, EnterAndEscDoNotCloseOkDoes)
{
    writeBytes(QStringLiteral("napfogyik.txt"), "a\r\nb\r\n");
    ReferenceListWindow window(ReferenceList::SolarEclipses);
    window.show();
    auto* ok = window.findChild<QPushButton*>(QStringLiteral("Command71"));
    ASSERT_NE(ok, nullptr);
    for (QWidget* target : {static_cast<QWidget*>(listOf(&window, "List2")), static_cast<QWidget*>(ok)})
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QTest::keyClick(target, key);
            EXPECT_TRUE(window.isVisible()) << target->objectName().toStdString() << " key " << key;
        }
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(ReferenceListWindowTest, OneInstanceReloadedOnlyWhenOpenedAfresh)
{
    writeBytes(QStringLiteral("venusz.txt"), "regi\r\n");
    SingleWindow<ReferenceListWindow> single;
    const auto create = [] { return new ReferenceListWindow(ReferenceList::VenusCrescents); };
    QPointer<ReferenceListWindow> first = single.show(create);
    writeBytes(QStringLiteral("venusz.txt"), "uj\r\n");
    EXPECT_EQ(single.show(create), first.data());
    EXPECT_EQ(rowsOf(first, "List9"), QStringList{"regi"});
    const QWidgetList all = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(all.cbegin(), all.cend(), [](QWidget* w) { return w->objectName() == "Form9"; }), 1);

    QTest::mouseClick(first->findChild<QPushButton*>(QStringLiteral("Command1")), Qt::LeftButton);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(first.isNull());
    const QPointer<ReferenceListWindow> second = single.show(create);
    EXPECT_EQ(rowsOf(second, "List9"), QStringList{"uj"});
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace vkt
