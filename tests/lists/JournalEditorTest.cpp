#include "JournalEditor.h"
#include "SingleWindow.h"
#include "TestSupport.h"
#include "TextFiles.h"
#include "Twips.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <csignal>
#include <memory>
#include <sys/resource.h>

namespace vkt {
namespace {

using testing::cp1250;

struct EditorCase {
    Journal which;
    const char* window;
    const char* caption;
    const char* file;
    const char* textBox;
    const char* designText;
    const char* notFound;
    const char* saveCommand;
    const char* okCommand;
    QSize client;
    QRect textRect;
    QColor background;
    double points;
    bool bold;
    bool minimise;
    bool sizable;
};

const EditorCase kNotes{Journal::Notes,
                        "Form8",
                        "Jegyzetek",
                        "jegyzetek.txt",
                        "Text81",
                        "Jegyzetek:  ",
                        "Az 'jegyzetek.txt' fájl NEM található!",
                        "mentes81",
                        "ok81",
                        twipsSize(6555, 7170),
                        twipsRect(240, 240, 6135, 6735),
                        QColor(0x00, 0x00, 0x80),
                        14.25,
                        false,
                        true,
                        true};
const EditorCase kLog{Journal::ObservationLog,
                      "Form10",
                      "Megfigyelési napló",
                      "naplo-vkt.txt",
                      "Text10",
                      "Megfigyelési napló:",
                      "A 'naplo-vkt.txt' fájl NEM található!",
                      "naplo1",
                      "naplo2",
                      twipsSize(17880, 8550),
                      twipsRect(240, 360, 17415, 7935),
                      QColor(0x00, 0x40, 0x00),
                      12.75,
                      true,
                      false,
                      false};
const EditorCase* const kEditors[] = {&kNotes, &kLog};

class JournalEditorTest : public testing::DataFolderTest {
protected:
    std::unique_ptr<JournalEditor> open(const EditorCase& c = kLog)
    {
        auto editor = std::make_unique<JournalEditor>(c.which);
        editor->show();
        return editor;
    }

    static QPlainTextEdit* textOf(QWidget* editor, const EditorCase& c = kLog)
    {
        auto* text = editor->findChild<QPlainTextEdit*>(QString::fromLatin1(c.textBox));
        EXPECT_NE(text, nullptr);
        return text;
    }

    // The text as the editor holds it; toPlainText() would show a no-break space as a blank.
    static QString shown(const QPlainTextEdit* text)
    {
        return text->document()->toRawText().replace(QChar::ParagraphSeparator, u'\n');
    }

    static void trigger(QWidget* editor, const char* command)
    {
        auto* action = editor->findChild<QAction*>(QString::fromLatin1(command));
        ASSERT_NE(action, nullptr) << command;
        action->trigger();
    }

    // What the user would do: replace the whole text by typing over a selection.
    static void retype(QPlainTextEdit* text, const QString& content)
    {
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
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QApplication::sendEvent(target, &press);
            QApplication::sendEvent(target, &release);
        }
    }

    QByteArray logBytes() const { return readBytes(QStringLiteral("naplo-vkt.txt")); }
    void writeLog(const QByteArray& bytes) const { writeBytes(QStringLiteral("naplo-vkt.txt"), bytes); }

    std::vector<QString> messageTexts() const
    {
        std::vector<QString> texts;
        for (const auto& m : messages->messages)
            texts.push_back(m.text);
        return texts;
    }
};

TEST_F(JournalEditorTest, BothEditorsAsDesigned)
{
    for (const EditorCase* c : kEditors) {
        SCOPED_TRACE(c->window);
        writeBytes(QString::fromLatin1(c->file), cp1250("őű\r\n"));
        auto editor = open(*c);
        EXPECT_EQ(editor->objectName(), QString::fromLatin1(c->window));
        EXPECT_EQ(editor->windowTitle(), QString::fromUtf8(c->caption));
        EXPECT_FALSE(editor->windowFlags() & Qt::WindowMaximizeButtonHint);
        EXPECT_EQ(bool(editor->windowFlags() & Qt::WindowMinimizeButtonHint), c->minimise);
        EXPECT_EQ(editor->minimumSize() != editor->maximumSize(), c->sizable);

        auto* client = editor->findChild<QWidget*>(QStringLiteral("client"));
        ASSERT_NE(client, nullptr);
        EXPECT_EQ(client->size(), c->client);
        EXPECT_EQ(client->palette().color(QPalette::Window), c->background);
        auto* bar = editor->findChild<QMenuBar*>();
        ASSERT_NE(bar, nullptr);
        EXPECT_EQ(client->geometry().top(), bar->geometry().bottom() + 1);
        const QList<QAction*> commands = bar->actions();
        ASSERT_EQ(commands.size(), 2);
        EXPECT_EQ(commands[0]->objectName(), QString::fromLatin1(c->saveCommand));
        EXPECT_EQ(commands[0]->text(), QStringLiteral("Mentés"));
        EXPECT_EQ(commands[1]->objectName(), QString::fromLatin1(c->okCommand));
        EXPECT_EQ(commands[1]->text(), QStringLiteral("OK"));

        QPlainTextEdit* text = textOf(editor.get(), *c);
        ASSERT_NE(text, nullptr);
        EXPECT_EQ(text->geometry(), c->textRect);
        EXPECT_EQ(text->font().family(), QStringLiteral("Times New Roman"));
        EXPECT_DOUBLE_EQ(text->font().pointSizeF(), c->points);
        EXPECT_EQ(text->font().bold(), c->bold);
        EXPECT_EQ(text->palette().color(QPalette::Base), c->background);
        EXPECT_EQ(text->palette().color(QPalette::Text), QColor(Qt::white));
        EXPECT_EQ(text->lineWrapMode(), QPlainTextEdit::NoWrap);
        EXPECT_EQ(text->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(text->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
        EXPECT_EQ(text->toPlainText(), QStringLiteral("őű"));
    }
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(JournalEditorTest, MissingFileShowsDesignTextWhichAnUnchangedSaveWrites)
{
    for (const EditorCase* c : kEditors) {
        SCOPED_TRACE(c->window);
        messages->messages.clear();
        auto editor = open(*c);
        ASSERT_EQ(messages->messages.size(), 1u);
        EXPECT_EQ(messages->messages[0].text, QString::fromUtf8(c->notFound));
        EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
        EXPECT_EQ(shown(textOf(editor.get(), *c)), QString::fromUtf8(c->designText));
        EXPECT_FALSE(exists(QString::fromLatin1(c->file)));

        trigger(editor.get(), c->okCommand);
        EXPECT_FALSE(editor->isVisible());
        EXPECT_EQ(readBytes(QString::fromLatin1(c->file)), cp1250(c->designText) + "\r\n");
        EXPECT_EQ(messages->messages.size(), 1u);
    }
}

TEST_F(JournalEditorTest, UnreadableJournalIsReportedLikeAMissingOne)
{
    ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("naplo-vkt.txt"))));
    auto editor = open();
    EXPECT_EQ(messageTexts(), std::vector<QString>{"A 'naplo-vkt.txt' fájl NEM található!"});
    EXPECT_EQ(shown(textOf(editor.get())), QStringLiteral("Megfigyelési napló:"));
}

struct RoundTrip {
    const char* name;
    QByteArray before;
    QString shown;
    QByteArray after;
    friend void PrintTo(const RoundTrip& c, std::ostream* os) { *os << c.name; }
};

class JournalRoundTrip : public JournalEditorTest, public ::testing::WithParamInterface<RoundTrip> {};

// Opening and saving without a change leaves the file as it was; the only change ever made is a
// missing final line end put in place.
TEST_P(JournalRoundTrip, SaveWithoutAChange)
{
    writeLog(GetParam().before);
    auto editor = open();
    EXPECT_EQ(shown(textOf(editor.get())), GetParam().shown);
    for (int save = 0; save < 2; ++save) {
        trigger(editor.get(), "naplo1");
        EXPECT_EQ(logBytes(), GetParam().after) << "save " << save;
    }
    EXPECT_TRUE(messages->messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Files, JournalRoundTrip,
    ::testing::Values(
        RoundTrip{"HungarianLines", cp1250("2026.12.06 Ősz: a sarló űrben\r\nkét sor\r\n"),
                  QString::fromUtf8("2026.12.06 Ősz: a sarló űrben\nkét sor"),
                  cp1250("2026.12.06 Ősz: a sarló űrben\r\nkét sor\r\n")},
        RoundTrip{"TrailingEmptyLines", "a\r\n\r\n\r\n", "a\n\n", "a\r\n\r\n\r\n"},
        RoundTrip{"BlanksTabsAndNoBreakSpace", "  a\t \xA0 b  \r\n", QString::fromUtf8("  a\t \u00A0 b  "),
                  "  a\t \xA0 b  \r\n"},
        RoundTrip{"LoneLineEndsInside", "a\nb\rc\r\n", "a\nb\nc", "a\nb\rc\r\n"},
        RoundTrip{"EveryByte", QByteArray("\x01\x80\x81\x83\x88\x90\x98\xA0\xF5\xFB\xFF\r\n"),
                  decodeWindows1250("\x01\x80\x81\x83\x88\x90\x98\xA0\xF5\xFB\xFF"),
                  QByteArray("\x01\x80\x81\x83\x88\x90\x98\xA0\xF5\xFB\xFF\r\n")},
        RoundTrip{"NoFinalLineEndGetsOne", "a\r\nb", "a\nb", "a\r\nb\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalEditorTest, TypedTextIsSavedWithCrLfLineEnds)
{
    writeLog("regi\r\n");
    auto editor = open();
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
    bool saved;
    QByteArray file;
    friend void PrintTo(const BlankCase& c, std::ostream* os) { *os << c.name; }
};

class JournalBlankRule : public JournalEditorTest, public ::testing::WithParamInterface<BlankCase> {};

TEST_P(JournalBlankRule, OnlyBlanksCountAsEmpty)
{
    writeLog("regi\r\n");
    auto editor = open();
    retype(textOf(editor.get()), GetParam().text);
    trigger(editor.get(), "naplo2");
    EXPECT_EQ(logBytes(), GetParam().file);
    EXPECT_EQ(editor->isVisible(), !GetParam().saved);
    if (GetParam().saved) {
        EXPECT_TRUE(messages->messages.empty());
    } else {
        ASSERT_EQ(messages->messages.size(), 1u);
        EXPECT_EQ(messages->messages[0].text, QStringLiteral("Üreset NEM mentek!"));
        EXPECT_EQ(messages->messages[0].icon, MessageIcon::Warning);
        EXPECT_EQ(shown(textOf(editor.get())), GetParam().text);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, JournalBlankRule,
                         ::testing::Values(BlankCase{"Empty", "", false, "regi\r\n"},
                                           BlankCase{"BlanksOnly", "    ", false, "regi\r\n"},
                                           BlankCase{"LineBreaksAlone", "\n\n", true, "\r\n\r\n\r\n"},
                                           BlankCase{"BlankAndLineBreak", " \n ", true, " \r\n \r\n"},
                                           BlankCase{"TabAlone", "\t", true, "\t\r\n"},
                                           BlankCase{"BlanksAroundText", "  x  ", true, "  x  \r\n"},
                                           BlankCase{"NoBreakSpaceKept", "a\u00A0b", true, "a\xA0" "b\r\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

struct CloseCase {
    const char* name;
    bool edited;
    SaveAnswer answer;
    QString text;
    bool closed;
    QByteArray file;
    size_t questions;
    friend void PrintTo(const CloseCase& c, std::ostream* os) { *os << c.name; }
};

class JournalCloseBox : public JournalEditorTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(JournalCloseBox, UnsavedChangesAreNotLostSilently)
{
    const CloseCase& c = GetParam();
    writeLog("regi\r\n");
    auto editor = open();
    if (c.edited)
        retype(textOf(editor.get()), c.text);
    messages->nextAnswer = c.answer;
    editor->close();
    EXPECT_EQ(!editor->isVisible(), c.closed);
    EXPECT_EQ(logBytes(), c.file);
    ASSERT_EQ(messages->questions.size(), c.questions);
    if (c.questions) {
        EXPECT_EQ(messages->questions[0], QStringLiteral("A módosítások nincsenek mentve. Menti őket?"));
    }
    if (!c.closed) {
        EXPECT_EQ(shown(textOf(editor.get())), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, JournalCloseBox,
    ::testing::Values(CloseCase{"NoChangeClosesAtOnce", false, SaveAnswer::Cancel, "regi", true, "regi\r\n", 0},
                      CloseCase{"Save", true, SaveAnswer::Save, "uj", true, "uj\r\n", 1},
                      CloseCase{"Discard", true, SaveAnswer::Discard, "uj", true, "regi\r\n", 1},
                      CloseCase{"Cancel", true, SaveAnswer::Cancel, "uj", false, "regi\r\n", 1},
                      CloseCase{"SaveRefusedStaysOpen", true, SaveAnswer::Save, "  ", false, "regi\r\n", 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(JournalEditorTest, SavedEditsCloseWithoutAQuestion)
{
    writeLog("regi\r\n");
    auto editor = open();
    retype(textOf(editor.get()), QStringLiteral("uj"));
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
        const char* name;
        QString text;
        QString character;
        const char* code;
    } cases[] = {
        {"emoji", QStringLiteral("Holdsarló 🌙 ma"), QStringLiteral("🌙"), "U+1F319"},
        {"Cyrillic", QStringLiteral("Луна és Hold"), QStringLiteral("Л"), "U+041B"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        messages->messages.clear();
        writeLog("regi\r\n");
        auto editor = open();
        retype(textOf(editor.get()), c.text);
        trigger(editor.get(), "naplo2");
        EXPECT_TRUE(editor->isVisible());
        EXPECT_EQ(logBytes(), "regi\r\n");
        EXPECT_EQ(shown(textOf(editor.get())), c.text);
        ASSERT_EQ(messages->messages.size(), 1u);
        EXPECT_EQ(messages->messages[0].icon, MessageIcon::Warning);
        EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("„%1”").arg(c.character)));
        EXPECT_TRUE(messages->messages[0].text.contains(QString::fromLatin1(c.code)));
        EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("'naplo-vkt.txt'")));
        EXPECT_EQ(QDir(dir->path()).entryList(QDir::Files), QStringList{"naplo-vkt.txt"});
        messages->nextAnswer = SaveAnswer::Discard;
        editor->close();
    }
}

enum class Unwritable { DirectoryInPlace, FolderUnderAFile };

class JournalUnwritable : public JournalEditorTest, public ::testing::WithParamInterface<Unwritable> {};

// Root may write anywhere, so these are places where no one can write a file.
TEST_P(JournalUnwritable, FailedWriteReportsTheFileAndKeepsTheText)
{
    if (GetParam() == Unwritable::DirectoryInPlace) {
        ASSERT_TRUE(QDir().mkpath(path(QStringLiteral("naplo-vkt.txt/bent"))));
    } else {
        writeBytes(QStringLiteral("fajl"), "x");
        qputenv("VKT_DATA_DIR", path(QStringLiteral("fajl/Pic")).toLocal8Bit());
    }
    auto editor = open();
    messages->messages.clear();
    retype(textOf(editor.get()), QStringLiteral("fontos megfigyelés"));
    trigger(editor.get(), "naplo2");
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(shown(textOf(editor.get())), QStringLiteral("fontos megfigyelés"));
    ASSERT_EQ(messages->messages.size(), 1u);
    const QString text = messages->messages[0].text;
    EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(text.contains(QStringLiteral("naplo-vkt.txt"))) << text.toStdString();
    EXPECT_FALSE(text.section(QStringLiteral(": "), 1).trimmed().isEmpty()) << "no reason in " << text.toStdString();
    EXPECT_TRUE(QFileInfo(path(QStringLiteral("naplo-vkt.txt/bent"))).isDir() || GetParam() != Unwritable::DirectoryInPlace);
    EXPECT_EQ(readBytes(QStringLiteral("fajl")), GetParam() == Unwritable::FolderUnderAFile ? "x" : "");
}

INSTANTIATE_TEST_SUITE_P(Places, JournalUnwritable,
                         ::testing::Values(Unwritable::DirectoryInPlace, Unwritable::FolderUnderAFile),
                         [](const auto& info) {
                             return std::string(info.param == Unwritable::DirectoryInPlace ? "DirectoryInPlace"
                                                                                           : "FolderUnderAFile");
                         });

// A file-size limit refuses the write of the new content even to root, after the temporary
// file was made: the old journal must come through untouched.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{bytes, old_.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previousHandler_);
    }

private:
    rlimit old_{};
    void (*previousHandler_)(int) = nullptr;
};

TEST_F(JournalEditorTest, RefusedWriteLeavesTheOldJournalIntact)
{
    const QByteArray old = cp1250("régi napló\r\n");
    writeLog(old);
    auto editor = open();
    const QString longText(20000, u'ő');
    retype(textOf(editor.get()), longText);
    {
        FileSizeLimit limit(4096);
        trigger(editor.get(), "naplo2");
    }
    EXPECT_TRUE(editor->isVisible());
    EXPECT_EQ(logBytes(), old);
    EXPECT_EQ(shown(textOf(editor.get())), longText);
    ASSERT_EQ(messages->messages.size(), 1u);
    EXPECT_EQ(messages->messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(messages->messages[0].text.contains(QStringLiteral("naplo-vkt.txt")));
    EXPECT_EQ(QDir(dir->path()).entryList(QDir::Files), QStringList{"naplo-vkt.txt"});

    trigger(editor.get(), "naplo2");  // with room again, the same text goes through
    EXPECT_FALSE(editor->isVisible());
    EXPECT_EQ(logBytes(), encodeWindows1250(longText) + "\r\n");
}

TEST_F(JournalEditorTest, ExistingEmptyFileGivesAnEmptyText)
{
    writeBytes(QStringLiteral("jegyzetek.txt"), "");
    auto editor = open(kNotes);
    EXPECT_EQ(shown(textOf(editor.get(), kNotes)), QString());
    EXPECT_TRUE(messages->messages.empty());
}

TEST_F(JournalEditorTest, OneInstanceNotReloadedWhileOpen)
{
    writeBytes(QStringLiteral("jegyzetek.txt"), "regi\r\n");
    SingleWindow<JournalEditor> single;
    auto create = [] { return new JournalEditor(Journal::Notes); };
    QPointer<JournalEditor> first = single.show(create);
    writeBytes(QStringLiteral("jegyzetek.txt"), "uj\r\n");
    EXPECT_EQ(single.show(create), first.data());
    EXPECT_EQ(shown(textOf(first, kNotes)), QStringLiteral("regi"));
    int visible = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        visible += w->objectName() == QLatin1String("Form8") && w->isVisible();
    EXPECT_EQ(visible, 1);

    trigger(first, "ok81");  // saves "regi" over the file and closes
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());
    EXPECT_EQ(readBytes(QStringLiteral("jegyzetek.txt")), "regi\r\n");
    writeBytes(QStringLiteral("jegyzetek.txt"), "uj\r\n");
    JournalEditor* second = single.show(create);
    EXPECT_EQ(shown(textOf(second, kNotes)), QStringLiteral("uj"));
    second->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
} // namespace vkt
