#include "windows/lists/ReferenceListWindow.h"

#include "services/DataFiles.h"
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

// What sets the four list windows apart: name, file, caption, fonts, colour and places.
struct ListLook {
    const char* window;
    const char* caption;
    QLatin1String file;
    QColor background;
    const char* listFamily;
    double listPoints;
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
        "earlyCrescentsWindow", "Korai Holdsarlók", dataFiles::kCrescents, colours::PaleCyan,
        "Courier", 15, "Arial", 12, QFont::Bold,
        13695, 8235, 360, 1080, 13095, 6330, 6000, 7680, 855, 375};
    static const ListLook solarEclipses{
        "solarEclipsesWindow", "Napfogyatkozások", dataFiles::kSolarEclipses, colours::Orange,
        "Courier New", 14.25, "Arial", 9.75, QFont::Bold,
        17355, 7860, 480, 240, 16695, 6645, 8160, 7200, 975, 495};
    static const ListLook venusCrescents{
        "venusCrescentsWindow", "Vénusz sarlók láthatósága", dataFiles::kVenusCrescents, colours::Pink,
        "Courier New", 14.25, "MS Sans Serif", 12, QFont::Normal,
        14535, 7140, 240, 240, 14055, 6015, 6840, 6480, 855, 495};
    static const ListLook lunarEclipses{
        "lunarEclipsesWindow", "Holdfogyatkozások", dataFiles::kLunarEclipses, colours::PaleCyan,
        "Courier New", 12.75, "Arial Narrow", 12, QFont::Normal,
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

// A missing file is named; one that is there but cannot be read says why.
QString readListFile(QLatin1String file)
{
    try {
        if (std::optional<QString> text = readAllTextIfExists(dataFile(file)))
            return std::move(*text);
        showMessage(QStringLiteral("A '%1' fájl NEM található!").arg(file), MessageIcon::Error);
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
    list_->setObjectName(QStringLiteral("list"));
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
    ok->setObjectName(QStringLiteral("okButton"));
    connect(ok, &QPushButton::clicked, this, &QWidget::close);

    list_->setFocus();
}

void ReferenceListWindow::createHeadings()
{
    // Only the early crescents have a text colour and font of their own, and headings that do not
    // follow the file.
    setColours(this, palette().color(QPalette::Window), colours::Navy);
    setFont(programFont(QStringLiteral("Courier"), 12));
    wrappedLabel(this, QStringLiteral("Korai Holdsarlók:"), programFont(QStringLiteral("Times New Roman"), 14.25),
                twipsRect(360, 120, 6000, 450), colours::Navy)
        ->setObjectName(QStringLiteral("titleLabel"));
    const QFont heading = programFont(QStringLiteral("Courier"), 12, QFont::Bold);
    const struct {
        const char* name;
        const char* text;
        int left, width;
    } headings[] = {
        {"timeHeading", "Időpont", 360, 3000},
        {"whenHeading", "Mikor?", 3480, 1080},
        {"ageHeading", "Holdsarló kora (kb.)", 4680, 4500},
    };
    for (const auto& h : headings)
        wrappedLabel(this, QString::fromUtf8(h.text), heading, twipsRect(h.left, 720, h.width, 330), colours::Black)
            ->setObjectName(QString::fromUtf8(h.name));
}

void ReferenceListWindow::loadList(const ListLook& look)
{
    auto* rows = new ReferenceRows(readListFile(look.file), list_);
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
