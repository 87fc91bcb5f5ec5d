#include "windows/lists/JournalEditor.h"

#include "services/DataFiles.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/Messages.h"
#include "services/TextFiles.h"
#include "windows/common/WindowLook.h"
#include "windows/lists/JournalText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QResizeEvent>
#include <QTextBlock>
#include <QTextDocument>
#include <QVBoxLayout>
#include <memory>
#include <optional>

namespace vkt {

// What sets the two editors apart: name, file, texts, font, colour and places.
struct JournalLook {
    const char* window;
    const char* caption;
    QLatin1String file;
    const char* initialText;
    const char* notFound;  // %1: the file
    int clientWidth, clientHeight;
    int textLeft, textTop, textWidth, textHeight;
    double points;
    QFont::Weight weight;
    QColor background;
    Frame frame;
    Minimise minimise;
};

namespace {

// The text box counts its characters in int; a journal of more than 2^30 bytes is refused whole
// rather than shown in part.
constexpr qint64 kLargestJournal = qint64(1) << 30;

const JournalLook& lookOf(Journal which)
{
    static const JournalLook notes{
        "notesWindow", "Jegyzetek", dataFiles::kNotes, "Jegyzetek:  ", "Az '%1' fájl NEM található!",
        6555, 7170, 240, 240, 6135, 6735, 14.25, QFont::Normal, colours::Navy, Frame::Sizable, Minimise::On};
    static const JournalLook observationLog{
        "observationLogWindow", "Megfigyelési napló", dataFiles::kObservationLog, "Megfigyelési napló:",
        "A '%1' fájl NEM található!", 17880, 8550, 240, 360, 17415, 7935, 12.75, QFont::Bold, colours::DarkGreen,
        Frame::Fixed, Minimise::Off};
    return which == Journal::Notes ? notes : observationLog;
}

// The box never wraps, so a new width changes no line; yet Qt would lay every line out afresh on
// each change of width (the first show included), making a text layout for every line of the
// journal. Told the width stayed, it still fits its scroll bars to the new size.
// A journal's lines go in by the paragraph (editorForm); a triple click still takes one line.
class JournalTextBox final : public QPlainTextEdit {
public:
    using QPlainTextEdit::QPlainTextEdit;

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QResizeEvent sameWidth(event->size(), QSize(event->size().width(), event->oldSize().height()));
        QPlainTextEdit::resizeEvent(&sameWidth);
    }
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        QPlainTextEdit::mouseDoubleClickEvent(event);
        sinceDoubleClick_.start();
        doubleClickPoint_ = event->position().toPoint();
    }
    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint at = event->position().toPoint();
        if (event->button() != Qt::LeftButton || !sinceDoubleClick_.isValid() ||
            sinceDoubleClick_.elapsed() >= QApplication::doubleClickInterval() ||
            (at - doubleClickPoint_).manhattanLength() >= QApplication::startDragDistance()) {
            QPlainTextEdit::mousePressEvent(event);
            return;
        }
        sinceDoubleClick_.invalidate();
        // The line and its break, as a triple click on a one-line paragraph takes it.
        QTextCursor line = cursorForPosition(at);
        line.movePosition(QTextCursor::StartOfLine);
        line.movePosition(QTextCursor::EndOfLine, QTextCursor::KeepAnchor);
        line.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
        setTextCursor(line);
        event->accept();
    }

private:
    QElapsedTimer sinceDoubleClick_;
    QPoint doubleClickPoint_;
};

QString characterCode(const QString& character)
{
    const QList<uint> code = character.toUcs4();
    return code.isEmpty() ? QString()
                          : QStringLiteral("U+%1").arg(QString::number(code.first(), 16).toUpper().rightJustified(4, u'0'));
}

} // namespace

JournalEditor::JournalEditor(Journal which) : look_(lookOf(which))
{
    setObjectName(QString::fromUtf8(look_.window));
    setWindowTitle(QString::fromUtf8(look_.caption));
    setColours(this, colours::Face);  // the menu bar's
    createMenu();
    createControls();
    setFrame(this, look_.frame, look_.minimise);
    load();
}

void JournalEditor::createMenu()
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    auto* menu = new QMenuBar(this);
    layout->setMenuBar(menu);

    QAction* saveAction = menu->addAction(QStringLiteral("Mentés"));
    saveAction->setObjectName(QStringLiteral("saveAction"));
    connect(saveAction, &QAction::triggered, this, [this] { save(); });
    QAction* okAction = menu->addAction(QStringLiteral("OK"));
    okAction->setObjectName(QStringLiteral("okAction"));
    connect(okAction, &QAction::triggered, this, &JournalEditor::saveAndClose);
}

void JournalEditor::createControls()
{
    // The client area below the menu bar carries the editor's colour and positions.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setColours(client, look_.background);
    layout()->addWidget(client);

    text_ = new JournalTextBox(client);
    text_->setObjectName(QStringLiteral("text"));
    text_->setAccessibleName(QString::fromUtf8(look_.caption));
    text_->setGeometry(twipsRect(look_.textLeft, look_.textTop, look_.textWidth, look_.textHeight));
    text_->setFont(programFont(QStringLiteral("Times New Roman"), look_.points, look_.weight));
    setBoxColours(text_, look_.background, colours::White);
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    text_->setFocus();

    const QSize clientSize = twipsSize(look_.clientWidth, look_.clientHeight);
    const int menuHeight = layout()->menuBar()->sizeHint().height();
    if (look_.frame == Frame::Fixed)
        setFixedSize(clientSize.width(), clientSize.height() + menuHeight);
    else
        resize(clientSize.width(), clientSize.height() + menuHeight);
}

void JournalEditor::load()
{
    saved_ = {QString::fromUtf8(look_.initialText), QStringLiteral("\r\n")};
    stamp_ = {};
    unreadable_ = false;
    std::optional<QString> text;
    try {
        text = readAllTextIfExists(dataFile(look_.file), &stamp_, kLargestJournal);
        if (!text)
            showMessage(QString::fromUtf8(look_.notFound).arg(look_.file), MessageIcon::Error);
    } catch (const Failure& failure) {
        // It is there but cannot be read whole: a save would put a text over content nobody saw.
        showMessage(failure.message(), MessageIcon::Error);
        unreadable_ = true;
        saved_ = {};
    }
    if (text)
        saved_ = JournalText::fromFile(std::move(*text));
    text_->setReadOnly(unreadable_);
    showText(saved_.body);
}

void JournalEditor::showText(const QString& text)
{
    // A document of our own, filled once the box has it: the box's setPlainText would go over the
    // whole text once more to give every character its format, and a document filled before it is
    // set is laid out afresh line by line.
    auto* document = new QTextDocument(text_);
    document->setDocumentLayout(new QPlainTextDocumentLayout(document));
    document->setDefaultFont(text_->font());
    // The box deletes the document it made itself; one of ours (a reload) goes here.
    std::unique_ptr<QTextDocument> shown(text_->document()->parent() == text_ ? text_->document() : nullptr);
    text_->setDocument(document);
    const EditorText lines = editorForm(text);
    document->setPlainText(lines.text);
    // The box counts a paragraph it has not laid out yet as one line; the scroll bar must reach
    // every line from the start.
    auto count = lines.paragraphLines.cbegin();
    for (QTextBlock block = document->begin(); block.isValid() && count != lines.paragraphLines.cend();
         block = block.next())
        block.setLineCount(*count++);
    document->setModified(false);
}

JournalText JournalEditor::fileText() const
{
    // Unchanged text goes back exactly as it came, whatever line ends the file used.
    if (!text_->document()->isModified())
        return saved_;
    return {fileForm(text_->document()->toRawText()), QStringLiteral("\r\n")};
}

bool JournalEditor::save()
{
    if (unreadable_) {
        showMessage(QStringLiteral("A szöveget NEM mentettem a '%1' fájlba: megnyitáskor nem sikerült beolvasni, és "
                                   "a mentés felülírná a tartalmát. Tegye olvashatóvá a fájlt, majd nyissa meg "
                                   "újra ezt az ablakot.")
                        .arg(look_.file),
                    MessageIcon::Error);
        return false;
    }
    const JournalText text = fileText();
    if (blankOnly(text.body)) {
        showMessage(QStringLiteral("Üreset NEM mentek!"), MessageIcon::Warning);
        return false;
    }
    const QString path = dataFile(look_.file);
    QByteArray bytes;
    try {
        // In two: the whole text and its line end put together would be one more copy of a journal.
        bytes = encodeWindows1250(text.body, path);
        bytes += encodeWindows1250(text.finalLineEnd, path);
    } catch (const EncodingFailure& failure) {
        // Never a '?' in place of a character: nothing is written and the text stays to be mended.
        if (failure.character().isEmpty())
            showMessage(failure.message(), MessageIcon::Warning);
        else
            showMessage(QStringLiteral("A szöveget NEM mentettem a '%1' fájlba, mert a közép-európai kódlap nem "
                                       "ismeri ezt a karaktert: „%2” (%3)")
                            .arg(look_.file, failure.character(),
                                 characterCode(failure.character())),
                        MessageIcon::Warning);
        return false;
    }
    try {
        if (!replaceFileBytesIfUnchanged(path, bytes, stamp_)) {
            switch (askAboutChangedFile(changedFileQuestion(currentStamp(path)))) {
            case ChangedFileAnswer::KeepMine:
                replaceFileBytes(path, bytes);
                break;
            case ChangedFileAnswer::TakeTheirs:
                load();
                return false;
            case ChangedFileAnswer::Cancel:
                return false;
            }
        }
    } catch (const Failure& failure) {
        showMessage(failure.message(), MessageIcon::Error);
        return false;
    }
    saved_ = text;
    stamp_ = stampOf(bytes);
    text_->document()->setModified(false);
    return true;
}

QString JournalEditor::changedFileQuestion(const FileStamp& now) const
{
    QString what;
    if (!now.exists)
        what = QStringLiteral("A(z) '%1' fájlt törölték, mióta ez az ablak beolvasta.");
    else if (!stamp_.exists)
        what = QStringLiteral("A(z) '%1' fájl létrejött, mióta ez az ablak megnyílt (akkor még nem létezett).");
    else
        what = QStringLiteral("A(z) '%1' fájlt megváltoztatták, mióta ez az ablak beolvasta (talán a VKT egy "
                              "másik példányában).");
    return what.arg(look_.file) +
           QStringLiteral("\n\nFelülírás: a fájlba az itteni szöveg kerül.\nÚjratöltés: az ablakba a fájl mostani "
                          "állapota kerül, az itteni módosítások elvesznek.\nMégse: egyik sem történik meg, a szöveg "
                          "mentetlen marad.");
}

void JournalEditor::saveAndClose()
{
    // Nothing edited, nothing to write: a copy read earlier must not go back over another instance's save.
    if (!text_->document()->isModified() || save())
        close();
}

void JournalEditor::closeEvent(QCloseEvent* event)
{
    if (!text_->document()->isModified()) {
        event->accept();
        return;
    }
    switch (askToSave(QStringLiteral("A módosítások nincsenek mentve. Menti őket?"))) {
    case SaveAnswer::Save:
        if (save())
            event->accept();
        else
            event->ignore();
        return;
    case SaveAnswer::Discard:
        event->accept();
        return;
    case SaveAnswer::Cancel:
        break;
    }
    event->ignore();
}

} // namespace vkt
