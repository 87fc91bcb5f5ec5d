#include "services/FileBytes.h"
#include "services/TextFiles.h"
#include "tests/support/TestSupport.h"
#include "windows/lists/JournalEditor.h"
#include "windows/lists/ReferenceListWindow.h"

#include <QAction>
#include <QDir>
#include <QListView>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>
#include <cerrno>

namespace vkt {
namespace {

using testing::cp1250;

// A regular file that opens but fails at the first read, even for root.
const QString kUnreadable = QStringLiteral("/proc/self/mem");

class ListsTest : public testing::DataFolderTest {
protected:
    // The messages shown so far, as "icon: text", forgotten once taken.
    QStringList takeMessages() const
    {
        QStringList said;
        for (const auto& m : messages->messages)
            said << (m.icon == MessageIcon::Error ? "error: " : "warning: ") + m.text;
        messages->messages.clear();
        return said;
    }
    static QStringList rowsOf(const QWidget& window)
    {
        const QAbstractItemModel* model = window.findChild<QListView*>()->model();
        QStringList rows;
        for (int row = 0; row < model->rowCount(); ++row)
            rows << model->index(row, 0).data().toString();
        return rows;
    }
    // The text as the editor holds it; toPlainText() would turn a no-break space into a blank.
    static QString shown(const QWidget& editor)
    {
        return editor.findChild<QPlainTextEdit*>()->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    }
    static void trigger(QWidget& editor, const char* command) { editor.findChild<QAction*>(command)->trigger(); }
    static void retype(QWidget& editor, const QString& content)
    {
        auto* text = editor.findChild<QPlainTextEdit*>();
        text->selectAll();
        QTest::keyClick(text, Qt::Key_Delete);
        text->insertPlainText(content);
    }
    std::unique_ptr<JournalEditor> openLog(const QByteArray& bytes)
    {
        writeBytes(QStringLiteral("naplo-vkt.txt"), bytes);
        auto editor = std::make_unique<JournalEditor>(Journal::ObservationLog);
        editor->show();
        return editor;
    }
    QByteArray logBytes() const { return readBytes(QStringLiteral("naplo-vkt.txt")); }
};

// Each window reads its own file, every line one row exactly as it stands (empty and blank rows,
// code page; line ends are the file services' test) and scrollable into view; a missing or an
// unreadable file leaves it empty and says so.
TEST_F(ListsTest, EachListWindowShowsItsOwnFileLineByLineOrSaysWhyNot)
{
    const struct {
        ReferenceList which;
        const char* window;
        QString file;
    } windows[] = {{ReferenceList::EarlyCrescents, "earlyCrescentsWindow", "holdsarlok.txt"},
                   {ReferenceList::SolarEclipses, "solarEclipsesWindow", "napfogyik.txt"},
                   {ReferenceList::VenusCrescents, "venusCrescentsWindow", "venusz.txt"},
                   {ReferenceList::LunarEclipses, "lunarEclipsesWindow", "holdfogyik.txt"}};
    for (const auto& c : windows) {
        SCOPED_TRACE(c.window);
        const QStringList lines = {c.file, "", "1999 őű ŐŰ", "  2025.03.30  19:41  ", "\t x", QString(300, u'x')};
        writeBytes(c.file, cp1250(lines.join("\r\n").toUtf8().constData()));  // the last wider than the box
        ReferenceListWindow window(c.which);
        window.show();
        EXPECT_EQ(rowsOf(window), lines);
        const QListView* list = window.findChild<QListView*>();
        for (int row = 0; row < lines.size(); ++row) {
            const int width = list->fontMetrics().horizontalAdvance(lines[row]);
            EXPECT_GE(list->visualRect(list->model()->index(row, 0)).width(), width) << row;
            EXPECT_GE(list->horizontalScrollBar()->maximum(), width - list->viewport()->width()) << row;
        }
        EXPECT_TRUE(messages->messages.empty());
        ASSERT_TRUE(QFile::remove(path(c.file)));
        const ReferenceListWindow missing(c.which);
        ASSERT_TRUE(QFile::link(kUnreadable, path(c.file)));
        const ReferenceListWindow unreadable(c.which);
        for (const QWidget* w : std::initializer_list<const QWidget*>{&window, &missing, &unreadable})
            EXPECT_EQ(w->objectName(), c.window);
        EXPECT_TRUE(rowsOf(missing).isEmpty() && rowsOf(unreadable).isEmpty());
        EXPECT_EQ(takeMessages(), (QStringList{QStringLiteral("error: A '%1' fájl NEM található!").arg(c.file),
                                               QStringLiteral("error: A(z) '%1' fájl nem olvasható: %2")
                                                   .arg(QDir::toNativeSeparators(path(c.file)), reasonText(EIO))}));
    }
}

// A missing journal opens with its initial text, which an unchanged "OK" writes. One that is there
// but cannot be read (a read error, a folder) says why, and "Mentés" and "OK" never write over it.
TEST_F(ListsTest, MissingJournalStartsFromItsInitialTextAndAnUnreadableOneIsNeverSavedOver)
{
    const struct {
        Journal which;
        const char* window;
        QString file;
        QString initialText;
        QString notFound;
    } editors[] = {{Journal::Notes, "notesWindow", "jegyzetek.txt", "Jegyzetek:  ",
                    "Az 'jegyzetek.txt' fájl NEM található!"},
                   {Journal::ObservationLog, "observationLogWindow", "naplo-vkt.txt", "Megfigyelési napló:",
                    "A 'naplo-vkt.txt' fájl NEM található!"}};
    for (const auto& c : editors) {
        SCOPED_TRACE(c.window);
        JournalEditor missing(c.which);
        missing.show();
        EXPECT_TRUE(missing.objectName() == c.window && shown(missing) == c.initialText);
        EXPECT_EQ(takeMessages(), QStringList{"error: " + c.notFound});
        trigger(missing, "okAction");
        EXPECT_FALSE(missing.isVisible());
        EXPECT_EQ(readBytes(c.file), encodeWindows1250(c.initialText) + "\r\n");

        for (const bool folder : {false, true}) {
            ASSERT_TRUE(QFile::remove(path(c.file)) || QDir(path(c.file)).removeRecursively());
            ASSERT_TRUE(folder ? QDir().mkdir(path(c.file)) : QFile::link(kUnreadable, path(c.file)));
            JournalEditor unreadable(c.which);
            unreadable.show();
            EXPECT_EQ(shown(unreadable), QString());
            EXPECT_EQ(takeMessages(), QStringList{QStringLiteral("error: A(z) '%1' fájl nem olvasható: %2")
                                                      .arg(QDir::toNativeSeparators(path(c.file)),
                                                           reasonText(folder ? EISDIR : EIO))});
            trigger(unreadable, "saveAction");
            trigger(unreadable, "okAction");
            EXPECT_TRUE(unreadable.isVisible());
            const QString refused = "error: A szöveget NEM mentettem a '" + c.file + "' fájlba: megnyitáskor nem";
            const QStringList said = takeMessages();
            EXPECT_TRUE(said.size() == 2 && said[0].startsWith(refused) && said[1] == said[0]) << qPrintable(said.join('|'));
            EXPECT_TRUE(folder ? QFileInfo(path(c.file)).isDir() : QFileInfo(path(c.file)).isSymLink());
        }
        ASSERT_TRUE(QDir(path(c.file)).removeRecursively());
    }
}

// An unchanged save writes back the bytes it read, final line end or none, however often it is repeated.
TEST_F(ListsTest, JournalSavedWithoutAChangeKeepsItsBytes)
{
    const QByteArray oddBytes("\x01\x80\x81\x83\x88\x90\x98\xA0\xF5\xFB\xFF\r\n");
    const struct {
        QByteArray before;
        QString shown;
        QByteArray after;
    } files[] = {{cp1250("  Ősz: sarló\t \u00A0 űrben  \r\nkét sor\r\n"), "  Ősz: sarló\t \u00A0 űrben  \nkét sor",
                  cp1250("  Ősz: sarló\t \u00A0 űrben  \r\nkét sor\r\n")},
                 {"a\nb\rc\r\n\r\n\r\n", "a\nb\nc\n\n", "a\nb\rc\r\n\r\n\r\n"},
                 {oddBytes, decodeWindows1250(oddBytes.chopped(2)), oddBytes},
                 {"a\r\nb", "a\nb", "a\r\nb"},
                 {"a\r\nb\n", "a\nb", "a\r\nb\n"},
                 {"", "", ""}};  // an empty text, which the blank-only rule refuses to save
    for (const auto& c : files) {
        SCOPED_TRACE(&c - files);
        auto editor = openLog(c.before);
        EXPECT_EQ(shown(*editor), c.shown);
        trigger(*editor, "saveAction");
        trigger(*editor, "saveAction");
        EXPECT_EQ(logBytes(), c.after);
    }
    EXPECT_EQ(takeMessages(), QStringList(2, "warning: Üreset NEM mentek!"));
}

// No question once the edits are saved: "OK" closes through the same close event.
TEST_F(ListsTest, JournalCloseBoxAsksOnlyAboutUnsavedChanges)
{
    const struct {
        const char* edit;  // nullptr: no change
        SaveAnswer answer;
        bool closed;
        QByteArray file;
    } closes[] = {{nullptr, SaveAnswer::Cancel, true, "regi\r\n"}, {"új", SaveAnswer::Save, true, cp1250("új\r\n")},
                  {"új", SaveAnswer::Discard, true, "regi\r\n"}, {"új", SaveAnswer::Cancel, false, "regi\r\n"},
                  {"  ", SaveAnswer::Save, false, "regi\r\n"}};  // the save is refused
    for (const auto& c : closes) {
        SCOPED_TRACE(&c - closes);
        auto editor = openLog("regi\r\n");
        if (c.edit)
            retype(*editor, QString::fromUtf8(c.edit));
        messages->nextAnswer = c.answer;
        messages->questions.clear();
        editor->close();
        EXPECT_EQ(!editor->isVisible(), c.closed);
        EXPECT_EQ(logBytes(), c.file);
        EXPECT_EQ(messages->questions,
                  std::vector<QString>(c.edit ? 1 : 0, "A módosítások nincsenek mentve. Menti őket?"));
        EXPECT_EQ(shown(*editor), QString::fromUtf8(c.edit ? c.edit : "regi"));
    }
}

// An OK that saves closes the editor; one that does not keeps the text and the old file, and a close
// still asks. Only the blank counts as empty: line breaks, tabs and no-break spaces are content.
// Root writes anywhere, so the refused write is a folder in the journal's place (the final rename
// fails); every other failed step is the file services' test.
TEST_F(ListsTest, OkSavesAndClosesOrKeepsTheTextAndTheOldFile)
{
    const char* blank = "^warning: Üreset NEM mentek!$";
    const struct {
        QString text;
        const char* message;  // a pattern; nullptr: saved, and nothing said
        QByteArray saved = {};
        bool folderInPlace = false;
    } saves[] = {{"", blank},
                 {"    ", blank},
                 {"\n\n", nullptr, "\r\n\r\n\r\n"},
                 {" \n ", nullptr, " \r\n \r\n"},
                 {" \t ", nullptr, " \t \r\n"},
                 {"\u00A0", nullptr, "\xA0\r\n"},
                 {"  új\u2028sor  ", nullptr, cp1250("  új\r\nsor  \r\n")},  // a break inside a paragraph
                 {"Holdsarló 🌙 ma", "^warning: .*'naplo-vkt\\.txt'.*„🌙” \\(U\\+1F319\\)"},
                 {"Луна és Hold", "^warning: .*'naplo-vkt\\.txt'.*„Л” \\(U\\+041B\\)"},
                 {"fontos megfigyelés", "^error: .*/naplo-vkt\\.txt.*: \\S", {}, true}};
    const QByteArray old = cp1250("régi napló\r\n");
    for (const auto& c : saves) {
        SCOPED_TRACE(&c - saves);
        QDir(path("naplo-vkt.txt")).removeRecursively();
        auto editor = openLog(old);
        retype(*editor, c.text);
        if (c.folderInPlace) {
            QFile::remove(path("naplo-vkt.txt"));
            QDir().mkpath(path("naplo-vkt.txt/x"));
        }
        trigger(*editor, "okAction");

        EXPECT_EQ(logBytes(), c.message ? (c.folderInPlace ? QByteArray() : old) : c.saved);
        EXPECT_EQ(QDir(dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"naplo-vkt.txt"});
        const QStringList said = takeMessages();
        EXPECT_EQ(editor->isVisible(), c.message != nullptr);
        if (!c.message) {
            EXPECT_EQ(said, QStringList());
            continue;
        }
        EXPECT_EQ(shown(*editor), c.text);
        EXPECT_TRUE(said.size() == 1 && said[0].contains(QRegularExpression(QString::fromUtf8(c.message))))
            << qPrintable(said.join('|'));
        editor->close();  // still unsaved: the question is asked and answered "cancel"
        EXPECT_TRUE(editor->isVisible());
    }
}

} // namespace
} // namespace vkt
