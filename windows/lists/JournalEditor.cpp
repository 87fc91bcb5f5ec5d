#include "windows/lists/JournalEditor.h"

#include "services/Failure.h"
#include "services/Messages.h"
#include "services/TextFiles.h"
#include "windows/common/WindowLook.h"
#include "windows/lists/JournalText.h"

#include <QCloseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <optional>

namespace vkt {

// What sets the two editors apart: names, file, texts, font, colour and places.
struct JournalLook {
    const char* window;
    const char* caption;
    const char* file;
    const char* textBox;
    const char* initialText;
    const char* notFound;
    const char* saveCommand;
    const char* okCommand;
    int clientWidth, clientHeight;
    int textLeft, textTop, textWidth, textHeight;
    double points;
    QFont::Weight weight;
    QColor background;
    Frame frame;
    Minimise minimise;
};

namespace {

const JournalLook& lookOf(Journal which)
{
    static const JournalLook notes{
        "Form8", "Jegyzetek", "jegyzetek.txt", "Text81", "Jegyzetek:  ", "Az 'jegyzetek.txt' fájl NEM található!",
        "mentes81", "ok81", 6555, 7170, 240, 240, 6135, 6735, 14.25, QFont::Normal, colours::Navy,
        Frame::Sizable, Minimise::On};
    static const JournalLook observationLog{
        "Form10", "Megfigyelési napló", "naplo-vkt.txt", "Text10", "Megfigyelési napló:",
        "A 'naplo-vkt.txt' fájl NEM található!", "naplo1", "naplo2", 17880, 8550, 240, 360, 17415, 7935, 12.75,
        QFont::Bold, colours::DarkGreen, Frame::Fixed, Minimise::Off};
    return which == Journal::Notes ? notes : observationLog;
}

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

    QAction* saveCommand = menu->addAction(QStringLiteral("Mentés"));
    saveCommand->setObjectName(QString::fromUtf8(look_.saveCommand));
    connect(saveCommand, &QAction::triggered, this, [this] { save(); });
    QAction* okCommand = menu->addAction(QStringLiteral("OK"));
    okCommand->setObjectName(QString::fromUtf8(look_.okCommand));
    connect(okCommand, &QAction::triggered, this, &JournalEditor::saveAndClose);
}

void JournalEditor::createControls()
{
    // The client area below the menu bar carries the editor's colour and positions.
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    setColours(client, look_.background);
    layout()->addWidget(client);

    text_ = new QPlainTextEdit(client);
    text_->setObjectName(QString::fromUtf8(look_.textBox));
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
    std::optional<QString> text;
    try {
        text = readAllTextIfExists(dataFile(QString::fromUtf8(look_.file)));
        if (!text)
            showMessage(QString::fromUtf8(look_.notFound), MessageIcon::Error);
    } catch (const Failure& failure) {
        // It is there but cannot be read: a save would put a text over content nobody saw.
        showMessage(failure.message(), MessageIcon::Error);
        unreadable_ = true;
        saved_ = {};
        text_->setReadOnly(true);
    }
    if (text)
        saved_ = JournalText::fromFile(*text);
    text_->setPlainText(editorForm(saved_.body));
    text_->document()->setModified(false);
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
                        .arg(QString::fromUtf8(look_.file)),
                    MessageIcon::Error);
        return false;
    }
    const JournalText text = fileText();
    if (blankOnly(text.body)) {
        showMessage(QStringLiteral("Üreset NEM mentek!"), MessageIcon::Warning);
        return false;
    }
    const QString path = dataFile(QString::fromUtf8(look_.file));
    try {
        writeAllText(path, text.fileText());
    } catch (const EncodingFailure& failure) {
        // Never a '?' in place of a character: nothing is written and the text stays to be mended.
        if (failure.character().isEmpty())
            showMessage(failure.message(), MessageIcon::Warning);
        else
            showMessage(QStringLiteral("A szöveget NEM mentettem a '%1' fájlba, mert a közép-európai kódlap nem "
                                       "ismeri ezt a karaktert: „%2” (%3)")
                            .arg(QString::fromUtf8(look_.file), failure.character(),
                                 characterCode(failure.character())),
                        MessageIcon::Warning);
        return false;
    } catch (const Failure& failure) {
        showMessage(failure.message(), MessageIcon::Error);
        return false;
    }
    saved_ = text;
    text_->document()->setModified(false);
    return true;
}

void JournalEditor::saveAndClose()
{
    if (save())
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
