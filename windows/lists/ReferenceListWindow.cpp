#include "windows/lists/ReferenceListWindow.h"

#include "services/Failure.h"
#include "services/Messages.h"
#include "services/TextFiles.h"
#include "windows/common/WindowLook.h"
#include "windows/lists/ReferenceRows.h"

#include <QAbstractItemDelegate>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QStyleOptionViewItem>
#include <optional>

namespace vkt {

// What sets the four list windows apart: names, file, texts, fonts, colour and places.
struct ListLook {
    const char* window;
    const char* caption;
    const char* list;
    const char* file;
    const char* notFound;
    QColor background;
    const char* listFamily;
    double listPoints;
    const char* button;
    const char* buttonFamily;
    double buttonPoints;
    QFont::Weight buttonWeight;
    int clientWidth, clientHeight;
    int listLeft, listTop, listWidth, listHeight;
    int buttonLeft, buttonTop, buttonWidth, buttonHeight;
};

namespace {

const ListLook& lookOf(ReferenceList which)
{
    static const ListLook earlyCrescents{
        "Form5", "Korai Holdsarlók", "List1", "holdsarlok.txt", "A 'holdsarlok.txt' fájl NEM található!", colours::PaleCyan,
        "Courier", 15, "Command51", "Arial", 12, QFont::Bold,
        13695, 8235, 360, 1080, 13095, 6330, 6000, 7680, 855, 375};
    static const ListLook solarEclipses{
        "Form7", "Napfogyatkozások", "List2", "napfogyik.txt", "A 'napfogyik.txt' fájl NEM található!", colours::Orange,
        "Courier New", 14.25, "Command71", "Arial", 9.75, QFont::Bold,
        17355, 7860, 480, 240, 16695, 6645, 8160, 7200, 975, 495};
    static const ListLook venusCrescents{
        "Form9", "Vénusz sarlók láthatósága", "List9", "venusz.txt", "A 'venusz.txt' fájl NEM található!", colours::Pink,
        "Courier New", 14.25, "Command1", "MS Sans Serif", 12, QFont::Normal,
        14535, 7140, 240, 240, 14055, 6015, 6840, 6480, 855, 495};
    static const ListLook lunarEclipses{
        "Form12", "Holdfogyatkozások", "List12", "holdfogyik.txt", "A 'holdfogyik.txt' fájl NEM található!", colours::PaleCyan,
        "Courier New", 12.75, "Command12", "Arial Narrow", 12, QFont::Normal,
        17145, 6375, 120, 240, 16815, 5130, 8160, 5760, 855, 375};
    switch (which) {
    case ReferenceList::EarlyCrescents:
        return earlyCrescents;
    case ReferenceList::SolarEclipses:
        return solarEclipses;
    case ReferenceList::VenusCrescents:
        return venusCrescents;
    case ReferenceList::LunarEclipses:
        break;
    }
    return lunarEclipses;
}

QFont fixedPitch(const char* family, double points)
{
    QFont font = programFont(QString::fromUtf8(family), points);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

// A missing file says so in the window's own words; one that is there but cannot be read says why.
QString readListFile(const QString& path, const char* notFound)
{
    try {
        if (std::optional<QString> text = readAllTextIfExists(path))
            return std::move(*text);
        showMessage(QString::fromUtf8(notFound), MessageIcon::Error);
    } catch (const Failure& failure) {
        showMessage(failure.message(), MessageIcon::Error);
    }
    return {};
}

} // namespace

ReferenceListWindow::ReferenceListWindow(ReferenceList which)
{
    const ListLook& look = lookOf(which);
    setObjectName(QString::fromUtf8(look.window));
    setWindowTitle(QString::fromUtf8(look.caption));
    createControls(look);
    if (which == ReferenceList::EarlyCrescents)
        createHeadings();
    setFixedSize(twipsSize(look.clientWidth, look.clientHeight));
    setFrame(this, Frame::Fixed, Minimise::Off);
    loadList(look);
}

void ReferenceListWindow::createControls(const ListLook& look)
{
    setColours(this, look.background);

    list_ = new QListView(this);
    list_->setObjectName(QString::fromUtf8(look.list));
    list_->setAccessibleName(QString::fromUtf8(look.caption));
    list_->setGeometry(twipsRect(look.listLeft, look.listTop, look.listWidth, look.listHeight));
    list_->setFont(fixedPitch(look.listFamily, look.listPoints));
    setBoxColours(list_, look.background, colours::Black);
    list_->setUniformItemSizes(true);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setWordWrap(false);
    list_->setTextElideMode(Qt::ElideNone);
    list_->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);

    QPushButton* ok = colouredButton(this, QStringLiteral("&OK"), colours::PaleGreen,
                                     programFont(QString::fromUtf8(look.buttonFamily), look.buttonPoints,
                                                look.buttonWeight),
                                     twipsRect(look.buttonLeft, look.buttonTop, look.buttonWidth,
                                               look.buttonHeight));
    ok->setObjectName(QString::fromUtf8(look.button));
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    list_->setFocus();
}

void ReferenceListWindow::createHeadings()
{
    // Only Form5 has a text colour and font of its own, and headings that do not follow the file.
    setColours(this, palette().color(QPalette::Window), colours::Navy);
    setFont(programFont(QStringLiteral("Courier"), 12));
    wrappedLabel(this, QStringLiteral("Korai Holdsarlók:"), programFont(QStringLiteral("Times New Roman"), 14.25),
                twipsRect(360, 120, 6000, 450), colours::Navy)
        ->setObjectName(QStringLiteral("Label1"));
    const QFont heading = programFont(QStringLiteral("Courier"), 12, QFont::Bold);
    const struct {
        const char* name;
        const char* text;
        int left, width;
    } headings[] = {
        {"Label2", "Időpont", 360, 3000},
        {"Label3", "Mikor?", 3480, 1080},
        {"Label4", "Holdsarló kora (kb.)", 4680, 4500},
    };
    for (const auto& h : headings)
        wrappedLabel(this, QString::fromUtf8(h.text), heading, twipsRect(h.left, 720, h.width, 330), colours::Black)
            ->setObjectName(QString::fromUtf8(h.name));
}

void ReferenceListWindow::loadList(const ListLook& look)
{
    auto* rows = new ReferenceRows(readListFile(dataFile(QString::fromUtf8(look.file)), look.notFound), list_);
    const int longest = rows->longestRow();
    if (longest >= 0) {
        QStyleOptionViewItem option;
        option.initFrom(list_);
        option.font = list_->font();
        option.fontMetrics = QFontMetrics(option.font);
        option.features = QStyleOptionViewItem::HasDisplay;
        option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.textElideMode = Qt::ElideNone;
        rows->setRowSize(list_->itemDelegate()->sizeHint(option, rows->index(longest)));
    }
    list_->setModel(rows);
}

} // namespace vkt
