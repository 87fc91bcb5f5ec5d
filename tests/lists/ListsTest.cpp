#include "services/FileBytes.h"
#include "services/TextFiles.h"
#include "tests/support/TestSupport.h"
#include "windows/lists/JournalEditor.h"
#include "windows/lists/ReferenceListWindow.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QListView>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleHints>
#include <QTest>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

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
        QString raw = editor.findChild<QPlainTextEdit*>()->document()->toRawText();
        return raw.replace(QChar::ParagraphSeparator, u'\n').replace(QChar::LineSeparator, u'\n');
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
    QString unreadableMessage(const QString& name, const QString& reason) const
    {
        return QStringLiteral("error: A(z) '%1' fájl nem olvasható: %2").arg(QDir::toNativeSeparators(path(name)), reason);
    }
};

// Each window reads its own file, every line one row exactly as it stands (empty and blank rows,
// code page; line ends and the reasons a read fails are the file services' test) and scrollable into
// view; a missing or an unreadable file leaves it empty and says so.
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
        const int widest = list->fontMetrics().horizontalAdvance(lines.last());
        EXPECT_GE(list->visualRect(list->model()->index(lines.size() - 1, 0)).width(), widest);
        EXPECT_GE(list->horizontalScrollBar()->maximum(), widest - list->viewport()->width());
        EXPECT_EQ(window.objectName(), c.window);
        EXPECT_TRUE(messages->messages.empty());
        ASSERT_TRUE(QFile::remove(path(c.file)));
        const ReferenceListWindow missing(c.which);
        ASSERT_TRUE(QFile::link(kUnreadable, path(c.file)));
        const ReferenceListWindow unreadable(c.which);
        EXPECT_TRUE(rowsOf(missing).isEmpty() && rowsOf(unreadable).isEmpty());
        EXPECT_EQ(takeMessages(), (QStringList{QStringLiteral("error: A '%1' fájl NEM található!").arg(c.file),
                                               unreadableMessage(c.file, reasonText(EIO))}));
        ASSERT_TRUE(QFile::remove(path(c.file)));
    }
}

// A missing journal opens with its initial text, which "Mentés" writes as it is; an unedited "OK"
// only closes, so a stale copy never goes back over another instance's save. One that is there but
// cannot be read whole (a read error, one too large for the text box) says why, and "Mentés" never
// writes over it; the other reasons a read fails are the file services' test.
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
        for (const char* command : {"okAction", "saveAction"}) {
            JournalEditor missing(c.which);
            missing.show();
            EXPECT_TRUE(missing.objectName() == c.window && shown(missing) == c.initialText);
            EXPECT_EQ(takeMessages(), QStringList{"error: " + c.notFound});
            trigger(missing, command);
            EXPECT_EQ(missing.isVisible(), command == QLatin1String("saveAction"));
            EXPECT_EQ(readBytes(c.file), command == QLatin1String("okAction") ? QByteArray()
                                                                              : encodeWindows1250(c.initialText) + "\r\n");
        }

        const struct {
            const char* kind;
            std::function<bool()> make;
            QString reason;
        } unreadables[] = {
            {"read error", [&] { return QFile::link(kUnreadable, path(c.file)); }, reasonText(EIO)},
            {"too large",  // sparse: no disk is spent, and it is refused before it is read
             [&] {
                 QFile file(path(c.file));
                 return file.open(QIODevice::WriteOnly) && file.resize((qint64(1) << 30) + 1);
             },
             reasonText(EFBIG)},
        };
        for (const auto& u : unreadables) {
            SCOPED_TRACE(u.kind);
            ASSERT_TRUE(QFile::remove(path(c.file)));
            ASSERT_TRUE(u.make());
            struct stat before {};
            ASSERT_EQ(::lstat(path(c.file).toLocal8Bit().constData(), &before), 0);
            JournalEditor unreadable(c.which);
            unreadable.show();
            EXPECT_EQ(shown(unreadable), QString());
            QStringList said = takeMessages();
            EXPECT_TRUE(said.size() == 1 && said[0].startsWith(unreadableMessage(c.file, u.reason)))
                << qPrintable(said.join('|'));
            trigger(unreadable, "saveAction");
            said = takeMessages();
            const QString refused = "error: A szöveget NEM mentettem a '" + c.file + "' fájlba: megnyitáskor nem";
            EXPECT_TRUE(said.size() == 1 && said[0].startsWith(refused)) << qPrintable(said.join('|'));
            trigger(unreadable, "okAction");
            EXPECT_FALSE(unreadable.isVisible());
            struct stat after {};
            ASSERT_EQ(::lstat(path(c.file).toLocal8Bit().constData(), &after), 0);
            EXPECT_TRUE(after.st_mode == before.st_mode && after.st_size == before.st_size);
        }
        ASSERT_TRUE(QFile::remove(path(c.file)));
    }
}

// An unchanged save writes back the bytes it read, final line end or none, however often it is repeated.
TEST_F(ListsTest, JournalSavedWithoutAChangeKeepsItsBytes)
{
    const QByteArray oddBytes("\x01\x80\x81\x83\x88\x90\x98\xA0\xF5\xFB\xFF\r\n");
    const struct {
        QByteArray bytes;
        QString shown;
    } files[] = {{cp1250("  Ősz: sarló\t \u00A0 űrben  \r\nkét sor\r\n"), "  Ősz: sarló\t \u00A0 űrben  \nkét sor"},
                 {"a\nb\rc\r\n\r\n\r\n", "a\nb\nc\n\n"},
                 {oddBytes, decodeWindows1250(oddBytes.chopped(2))},
                 {"a\r\nb", "a\nb"},
                 {"a\r\nb\n", "a\nb"},
                 {"", ""}};  // an empty text, which the blank-only rule refuses to save
    for (const auto& c : files) {
        SCOPED_TRACE(&c - files);
        auto editor = openLog(c.bytes);
        EXPECT_EQ(shown(*editor), c.shown);
        trigger(*editor, "saveAction");
        trigger(*editor, "saveAction");
        EXPECT_EQ(logBytes(), c.bytes);
    }
    EXPECT_EQ(takeMessages(), QStringList(2, "warning: Üreset NEM mentek!"));
}

// A long journal goes into the box many lines to a paragraph: each line must stand where the scroll
// bar puts it, a triple click must take one line, and an edited save must write every line.
TEST_F(ListsTest, LongJournalScrollsSelectsAndSavesByTheLine)
{
    QStringList lines;
    QByteArray bytes;
    for (int i = 0; i < 200; ++i) {
        lines << (i == 99 ? QString(3000, u'x') : QStringLiteral("sor %1").arg(i));
        bytes += lines.last().toLatin1() + QByteArrayList{"\r\n", "\n", "\r"}[i % 3];
    }
    auto editor = openLog(bytes);
    EXPECT_EQ(shown(*editor), lines.join(u'\n'));
    auto* text = editor->findChild<QPlainTextEdit*>();
    const auto lineAt = [&](QPoint at) {
        QTextCursor cursor = text->cursorForPosition(at);
        cursor.select(QTextCursor::LineUnderCursor);
        return cursor.selectedText();
    };
    const QPoint top(5, 5);
    QScrollBar* bar = text->verticalScrollBar();
    for (int line : {0, 37, 99, 150, bar->maximum()}) {
        bar->setValue(line);
        EXPECT_EQ(lineAt(top), lines[line]) << line;
    }
    EXPECT_EQ(lineAt({5, text->viewport()->height() - 5}), lines.last());

    QGuiApplication::styleHints()->setMouseDoubleClickInterval(600'000);  // the clicks are not timed
    bar->setValue(37);
    QTest::mouseDClick(text->viewport(), Qt::LeftButton, {}, top);
    QTest::mouseClick(text->viewport(), Qt::LeftButton, {}, top);
    QTest::keyClick(text, Qt::Key_Delete);
    trigger(*editor, "saveAction");
    lines.removeAt(37);
    EXPECT_EQ(logBytes(), (lines.join("\r\n") + "\r\n").toLatin1());
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

// Two windows on one journal stand for two instances. The second to save is asked before it writes
// over what the other saved (or removed, or created), and the answer decides what the file and the
// window then hold; the same bytes written again are no change.
TEST_F(ListsTest, ASaveOverAnotherInstancesChangeAsksFirst)
{
    using Answer = ChangedFileAnswer;
    const QString mine = QStringLiteral("az enyém"), theirs = QStringLiteral("az övék");
    const auto save = [&](JournalEditor& other) {
        retype(other, theirs);
        trigger(other, "saveAction");
    };
    const auto replaceSameSize = [&](JournalEditor&) { writeBytes("naplo-vkt.txt", "REGI\r\n"); };
    const auto remove = [&](JournalEditor&) { QFile::remove(path("naplo-vkt.txt")); };
    const auto saveUnchanged = [&](JournalEditor& other) { trigger(other, "saveAction"); };
    const char* changed = "A(z) 'naplo-vkt.txt' fájlt megváltoztatták";
    const char* removed = "A(z) 'naplo-vkt.txt' fájlt törölték";
    const char* created = "A(z) 'naplo-vkt.txt' fájl létrejött";
    const struct {
        const char* label;
        bool fileAtOpening;
        std::function<void(JournalEditor&)> meanwhile;
        Answer answer;
        const char* question;  // nullptr: none asked
        QString file;          // afterwards; empty: none
        QString shown;         // in the window that saved second
    } rows[] = {
        {"saved, mine kept", true, save, Answer::KeepMine, changed, mine, mine},
        {"saved, theirs taken", true, save, Answer::TakeTheirs, changed, theirs, theirs},
        {"saved, cancelled", true, save, Answer::Cancel, changed, theirs, mine},
        {"same size, other bytes", true, replaceSameSize, Answer::KeepMine, changed, mine, mine},
        {"removed, mine kept", true, remove, Answer::KeepMine, removed, mine, mine},
        {"removed, taken", true, remove, Answer::TakeTheirs, removed, "", "Megfigyelési napló:"},
        {"created, theirs taken", false, save, Answer::TakeTheirs, created, theirs, theirs},
        {"the same bytes again", true, saveUnchanged, Answer::Cancel, nullptr, mine, mine},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.label);
        QFile::remove(path("naplo-vkt.txt"));
        if (r.fileAtOpening)
            writeBytes("naplo-vkt.txt", "regi\r\n");
        JournalEditor other(Journal::ObservationLog), editor(Journal::ObservationLog);
        r.meanwhile(other);
        retype(editor, mine);
        messages->questions.clear();
        messages->nextChangedFileAnswer = r.answer;
        trigger(editor, "saveAction");
        ASSERT_EQ(messages->questions.size(), r.question ? 1u : 0u);
        if (r.question) {
            EXPECT_TRUE(messages->questions[0].startsWith(QString::fromUtf8(r.question)))
                << messages->questions[0].toStdString();
        }
        EXPECT_EQ(exists("naplo-vkt.txt"), !r.file.isEmpty());
        EXPECT_EQ(logBytes(), r.file.isEmpty() ? QByteArray() : encodeWindows1250(r.file) + "\r\n");
        EXPECT_EQ(shown(editor), r.shown);
        EXPECT_EQ(editor.findChild<QPlainTextEdit*>()->document()->isModified(), r.answer == Answer::Cancel && r.question);
        takeMessages();
    }
}

// An OK that saves closes the editor; one that does not keeps the text and the old file, and a close
// still asks. Only the blank counts as empty: line breaks, tabs and no-break spaces are content.
// The refused write is the last step failing; every other failed step is the file services' test.
TEST_F(ListsTest, OkSavesAndClosesOrKeepsTheTextAndTheOldFile)
{
    const char* blank = "^warning: Üreset NEM mentek!$";
    const struct {
        QString text;
        const char* message;  // a pattern; nullptr: saved, and nothing said
        QByteArray saved = {};
        bool refused = false;
    } saves[] = {{"", blank},
                 {"    ", blank},
                 {"\n\n", nullptr, "\r\n\r\n\r\n"},
                 {" \t ", nullptr, " \t \r\n"},
                 {"\u00A0", nullptr, "\xA0\r\n"},
                 {"  új\u2028sor  ", nullptr, cp1250("  új\r\nsor  \r\n")},  // a break inside a paragraph
                 {"Holdsarló 🌙 ma", "^warning: .*'naplo-vkt\\.txt'.*„🌙” \\(U\\+1F319\\)"},
                 {"Луна és Hold", "^warning: .*'naplo-vkt\\.txt'.*„Л” \\(U\\+041B\\)"},
                 {"fontos megfigyelés", "^error: .*/naplo-vkt\\.txt.*: nincs hozzá jogosultság$", {}, true}};
    const QByteArray old = cp1250("régi napló\r\n");
    for (const auto& c : saves) {
        SCOPED_TRACE(&c - saves);
        auto editor = openLog(old);
        retype(*editor, c.text);
        if (c.refused)
            setWriteFault(WriteFault{WriteStep::Commit, EACCES});
        trigger(*editor, "okAction");
        setWriteFault(std::nullopt);

        EXPECT_EQ(logBytes(), c.message ? old : c.saved);
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
