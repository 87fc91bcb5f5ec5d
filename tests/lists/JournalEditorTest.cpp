#include "JournalEditor.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "TextFiles.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <csignal>
#include <sys/resource.h>

namespace vkt {
namespace {

using testing::cp1250;

class JournalEditorTest : public testing::DataFolderTest {
protected:
    static QPlainTextEdit* textOf(const QWidget* editor, const char* name = "Text10")
    {
        auto* text = editor->findChild<QPlainTextEdit*>(QString::fromLatin1(name));
        EXPECT_NE(text, nullptr) << name;
        return text;
    }

    // The text as the editor holds it; toPlainText() would turn a no-break space into a blank.
    static QString shown(const QWidget* editor, const char* name = "Text10")
    {
        const QPlainTextEdit* text = textOf(editor, name);
        return text ? text->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n') : QString();
    }

    static void trigger(QWidget* editor, const char* command)
    {
        auto* action = editor->findChild<QAction*>(QString::fromLatin1(command));
        ASSERT_NE(action, nullptr) << command;
        action->trigger();
    }

    static void retype(QWidget* editor, const QString& content)
    {
        QPlainTextEdit* text = textOf(editor);
        text->selectAll();
        if (content.isEmpty())
            QTest::keyClick(text, Qt::Key_Delete);
        else
            text->insertPlainText(content);
    }

    // Key presses carrying any text, as an input method delivers Hungarian letters.
    static void type(QWidget* target, const QString& text)
    {
        for (const QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(target, &press);
        }
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

TEST_F(JournalEditorTest, MissingOrUnreadableFileShowsTheDesignTextWhichAnUnchangedSaveWrites)
{
    const struct {
        Journal which;
        const char* window;
        const char* text;
        const char* ok;
        const char* file;
        const char* designText;
        const char* notFound;
    } editors[] = {{Journal::Notes, "Form8", "Text81", "ok81", "jegyzetek.txt", "Jegyzetek:  ",
                    "Az 'jegyzetek.txt' fájl NEM található!"},
                   {Journal::ObservationLog, "Form10", "Text10", "naplo2", "naplo-vkt.txt", "Megfigyelési napló:",
                    "A 'naplo-vkt.txt' fájl NEM található!"}};
    for (const auto& c : editors) {
        SCOPED_TRACE(c.window);
        const QString file = QString::fromLatin1(c.file);
        ASSERT_TRUE(QDir().mkpath(path(file)));  // a folder where the file should be: unreadable
        EXPECT_EQ(shown(std::make_unique<JournalEditor>(c.which).get(), c.text), QString::fromUtf8(c.designText));
        ASSERT_TRUE(QDir().rmdir(path(file)));

        JournalEditor editor(c.which);
        editor.show();
        EXPECT_EQ(editor.objectName(), QString::fromLatin1(c.window));
        EXPECT_EQ(shown(&editor, c.text), QString::fromUtf8(c.designText));
        ASSERT_EQ(messages->messages.size(), 2u);
        for (const auto& m : messages->messages) {
            EXPECT_EQ(m.text, QString::fromUtf8(c.notFound));
            EXPECT_EQ(m.icon, MessageIcon::Error);
        }
        trigger(&editor, c.ok);
        EXPECT_FALSE(editor.isVisible());
        EXPECT_EQ(readBytes(file), cp1250(c.designText) + "\r\n");
        messages->messages.clear();
    }
}

struct RoundTrip {
    const char* name;
    QByteArray before;
    QString shown;
    QByteArray after;
    friend void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }
};

class JournalRoundTrip : public JournalEditorTest, public ::testing::WithParamInterface<RoundTrip> {};

// The only change an unchanged save may make is a missing final line end put in place.
TEST_P(JournalRoundTrip, SaveWithoutAChange)
{
    auto editor = openLog(GetParam().before);
    EXPECT_EQ(shown(editor.get()), GetParam().shown);
    for (int save = 0; save < 2; ++save) {
        trigger(editor.get(), "naplo1");
        EXPECT_EQ(logBytes(), GetParam().after) << "save " << save;
    }
    // An empty file shows an empty text, which the blank-only rule then refuses to save.
    for (const auto& m : messages->messages)
        EXPECT_EQ(m.text, QStringLiteral("Üreset NEM mentek!"));
}

const QByteArray kEveryOddByte("\x01\x80\x81\x83\x88\x90\x98\xA0\xF5\xFB\xFF");

INSTANTIATE_TEST_SUITE_P(
    Files, JournalRoundTrip,
    ::testing::Values(
        RoundTrip{"HungarianLines", cp1250("Ősz: sarló űrben\r\nkét sor\r\n"), QString::fromUtf8("Ősz: sarló űrben\nkét sor"),
                  cp1250("Ősz: sarló űrben\r\nkét sor\r\n")},
        RoundTrip{"EmptyFile", "", "", ""},
        RoundTrip{"TrailingEmptyLines", "a\r\n\r\n\r\n", "a\n\n", "a\r\n\r\n\r\n"},
        RoundTrip{"BlanksTabsNoBreakSpace", "  a\t \xA0 b  \r\n", QString::fromUtf8("  a\t \u00A0 b  "), "  a\t \xA0 b  \r\n"},
        RoundTrip{"LoneLineEndsInside", "a\nb\rc\r\n", "a\nb\nc", "a\nb\rc\r\n"},
        RoundTrip{"EveryOddByte", kEveryOddByte + "\r\n", decodeWindows1250(kEveryOddByte), kEveryOddByte + "\r\n"},
        RoundTrip{"NoFinalLineEndGetsOne", "a\r\nb", "a\nb", "a\r\nb\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalEditorTest, TypedTextIsSavedWithCrLfLineEnds)
{
    auto editor = openLog("regi\r\n");
    QPlainTextEdit* text = textOf(editor.get());
    text->moveCursor(QTextCursor::End);
    QTest::keyClick(text, Qt::Key_Return);
    type(text, QStringLiteral("Új hold ősszel"));
    QTest::keyClick(text, Qt::Key_Return, Qt::ShiftModifier);  // a line break inside the paragraph
    type(text, QStringLiteral("űr"));
    trigger(editor.get(), "naplo2");
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(logBytes(), cp1250("regi\r\nÚj hold ősszel\r\nűr\r\n"));
    EXPECT_TRUE(messages->messages.empty());
}

struct BlankCase {
    const char* name;
    QString text;
    QByteArray file;  // empty: refused
    friend void PrintTo(const BlankCase& c, std::ostream* os) { *os << c.name; }
};

class JournalBlankRule : public JournalEditorTest, public ::testing::WithParamInterface<BlankCase> {};

TEST_P(JournalBlankRule, OnlyBlanksCountAsEmpty)
{
    const bool refused = GetParam().file.isEmpty();
    auto editor = openLog("regi\r\n");
    retype(editor.get(), GetParam().text);
    trigger(editor.get(), "naplo2");
    EXPECT_EQ(logBytes(), refused ? QByteArray("regi\r\n") : GetParam().file);
    EXPECT_EQ(editor->isVisible(), refused);
    ASSERT_EQ(messages->messages.size(), refused ? 1u : 0u);
    if (refused) {
        EXPECT_EQ(messages->messages[0].text, QStringLiteral("Üreset NEM mentek!"));
        EXPECT_EQ(messages->messages[0].icon, MessageIcon::Warning);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, JournalBlankRule,
                         ::testing::Values(BlankCase{"Empty", "", ""}, BlankCase{"BlanksOnly", "    ", ""},
                                           BlankCase{"LineBreaksAlone", "\n\n", "\r\n\r\n\r\n"},
                                           BlankCase{"BlankAndLineBreak", " \n ", " \r\n \r\n"},
                                           BlankCase{"TabAlone", "\t", "\t\r\n"},
                                           BlankCase{"BlanksAroundText", "  x  ", "  x  \r\n"},
                                           BlankCase{"NoBreakSpaceKept", "a\u00A0b", "a\xA0" "b\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CloseCase {
    const char* name;
    const char* edit;  // nullptr: no change
    SaveAnswer answer;
    bool closed;
    QByteArray file;
    friend void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }
};

class JournalCloseBox : public JournalEditorTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(JournalCloseBox, UnsavedChangesAreNotLostSilently)
{
    const CloseCase& c = GetParam();
    auto editor = openLog("regi\r\n");
    if (c.edit)
        retype(editor.get(), QString::fromUtf8(c.edit));
    messages->nextAnswer = c.answer;
    editor->close();
    EXPECT_EQ(!editor->isVisible(), c.closed);
    EXPECT_EQ(logBytes(), c.file);
    EXPECT_EQ(messages->questions,
              c.edit ? std::vector<QString>{"A módosítások nincsenek mentve. Menti őket?"} : std::vector<QString>{});
    if (!c.closed) {
        EXPECT_EQ(shown(editor.get()), QString::fromUtf8(c.edit));
    }
}

INSTANTIATE_TEST_SUITE_P(Answers, JournalCloseBox,
                         ::testing::Values(CloseCase{"NoChangeClosesAtOnce", nullptr, SaveAnswer::Cancel, true, "regi\r\n"},
                                           CloseCase{"Save", "új", SaveAnswer::Save, true, cp1250("új\r\n")},
                                           CloseCase{"Discard", "új", SaveAnswer::Discard, true, "regi\r\n"},
                                           CloseCase{"Cancel", "új", SaveAnswer::Cancel, false, "regi\r\n"},
                                           CloseCase{"SaveRefusedStaysOpen", "  ", SaveAnswer::Save, false, "regi\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalEditorTest, SavedEditsCloseWithoutAQuestion)
{
    auto editor = openLog("regi\r\n");
    retype(editor.get(), QStringLiteral("uj"));
    trigger(editor.get(), "naplo1");
    EXPECT_TRUE(editor->isVisible());
    editor->close();
    EXPECT_FALSE(editor->isVisible());
    EXPECT_TRUE(messages->questions.empty());
    EXPECT_EQ(logBytes(), "uj\r\n");
}

TEST_F(JournalEditorTest, TextOutsideTheCodePageIsRefusedAndKept)
{
    const struct {
        QString text;
        QString named;
    } cases[] = {{QStringLiteral("Holdsarló 🌙 ma"), QStringLiteral("„🌙” (U+1F319)")},
                 {QStringLiteral("Луна és Hold"), QStringLiteral("„Л” (U+041B)")}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named.toStdString());
        auto editor = openLog("regi\r\n");
        retype(editor.get(), c.text);
        trigger(editor.get(), "naplo2");
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(logBytes(), "regi\r\n");
        EXPECT_EQ(QDir(dir->path()).entryList(QDir::Files), QStringList{"naplo-vkt.txt"});
        EXPECT_EQ(shown(editor.get()), c.text);
        ASSERT_EQ(messages->messages.size(), 1u);
        EXPECT_EQ(messages->messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(messages->messages[0].text.contains(c.named)) << messages->messages[0].text.toStdString();
        EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("'naplo-vkt.txt'")));
        messages->messages.clear();
        messages->nextAnswer = SaveAnswer::Discard;
    }
}

// Root may write anywhere, so these are places where no one can write the journal.
TEST_F(JournalEditorTest, FailedWriteNamesTheFileAndKeepsTheText)
{
    for (const bool folderUnderAFile : {false, true}) {
        SCOPED_TRACE(folderUnderAFile ? "data folder under a regular file" : "folder where the journal should be");
        if (folderUnderAFile) {
            writeBytes(QStringLiteral("fajl"), "x");
            qputenv("VKT_DATA_DIR", path(QStringLiteral("fajl/Pic")).toLocal8Bit());
        } else {
            ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("naplo-vkt.txt/bent"))));
        }
        JournalEditor editor(Journal::ObservationLog);
        messages->messages.clear();
        retype(&editor, QStringLiteral("fontos megfigyelés"));
        trigger(&editor, "naplo1");
        EXPECT_EQ(shown(&editor), QStringLiteral("fontos megfigyelés"));
        ASSERT_EQ(messages->messages.size(), 1u);
        const QString text = messages->messages[0].text;
        EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
        EXPECT_TRUE(text.contains(QStringLiteral("naplo-vkt.txt"))) << text.toStdString();
        EXPECT_FALSE(text.section(QStringLiteral(": "), 1).trimmed().isEmpty()) << "no reason in " << text.toStdString();
        messages->nextAnswer = SaveAnswer::Discard;
    }
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("naplo-vkt.txt/bent"))).isDir());
}

// A file-size limit refuses the new content even to root, once the temporary file is made.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : previous_(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }

private:
    void (*previous_)(int);
    rlimit old_{};
};

TEST_F(JournalEditorTest, RefusedWriteLeavesTheOldJournalIntact)
{
    const QByteArray old = cp1250("régi napló\r\n");
    auto editor = openLog(old);
    const QString longText(20000, u'ő');
    retype(editor.get(), longText);
    {
        FileSizeLimit limit(4096);
        trigger(editor.get(), "naplo2");
    }
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(logBytes(), old);
    EXPECT_EQ(QDir(dir->path()).entryList(QDir::Files), QStringList{"naplo-vkt.txt"});
    EXPECT_EQ(shown(editor.get()), longText);
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("naplo-vkt.txt")));

    trigger(editor.get(), "naplo2");  // with room again, the same text goes through
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(logBytes(), encodeWindows1250(longText) + "\r\n");
}

TEST_F(JournalEditorTest, OneInstanceNotReloadedWhileOpen)
{
    writeBytes(QStringLiteral("jegyzetek.txt"), "regi\r\n");
    SingleWindow<JournalEditor> single;
    const auto create = [] { return new JournalEditor(Journal::Notes); };
    QPointer<JournalEditor> first = single.show(create);
    writeBytes(QStringLiteral("jegyzetek.txt"), "uj\r\n");
    EXPECT_EQ(single.show(create), first.data());
    EXPECT_EQ(shown(first, "Text81"), QStringLiteral("regi"));
    const QWidgetList all = QApplication::topLevelWidgets();
    EXPECT_EQ(std::count_if(all.cbegin(), all.cend(), [](QWidget* w) { return w->objectName() == "Form8"; }), 1);

    trigger(first, "mentes81");
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ASSERT_TRUE(first.isNull());
    EXPECT_EQ(readBytes(QStringLiteral("jegyzetek.txt")), "regi\r\n");
    writeBytes(QStringLiteral("jegyzetek.txt"), "uj\r\n");
    const QPointer<JournalEditor> second = single.show(create);
    EXPECT_EQ(shown(second, "Text81"), QStringLiteral("uj"));
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace vkt
