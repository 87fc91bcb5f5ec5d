#include "windows/visibility/PanelLook.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

namespace vkt::panelLook {

QFont font()
{
    return programFont(QStringLiteral("Arial"), 9.75);
}

QColor classColour(astro::YallopClass c)
{
    static constexpr QColor faces[] = {QColor(0xB8, 0xF4, 0xA0), QColor(0xB8, 0xDC, 0x50), QColor(0xEC, 0xA0, 0x1C),
                                       QColor(0xDC, 0x5C, 0x1C), QColor(0xB8, 0x28, 0x28), QColor(0x80, 0x18, 0x20)};
    return faces[static_cast<int>(c)];
}

QColor classColour(astro::OdehClass c)
{
    static constexpr QColor faces[] = {QColor(0xB8, 0xDC, 0xFF), QColor(0x7A, 0xA0, 0xF0), QColor(0x90, 0x60, 0xD0),
                                       QColor(0x58, 0x28, 0x90)};
    return faces[static_cast<int>(c)];
}

QColor classLetterColour(const QColor& face)
{
    return qGray(face.rgb()) >= 110 ? colours::Black : colours::White;
}

void styleTable(QTableWidget* table)
{
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(kRowHeight);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setFont(font());
    table->horizontalHeader()->setFont(programFont(QStringLiteral("Arial"), 9.75, QFont::Bold));
    setBoxColours(table, Background, colours::White);
    setColours(table->horizontalHeader(), colours::Navy, colours::White);
    QPalette selection = table->palette();
    selection.setColor(QPalette::Highlight, colours::Navy);
    selection.setColor(QPalette::HighlightedText, colours::White);
    selection.setColor(QPalette::Mid, colours::Grey);  // the grid
    table->setPalette(selection);
}

void setHeaderTips(QTableWidget* table, const QStringList& tips)
{
    for (int column = 0; column < table->columnCount() && column < tips.size(); ++column)
        table->horizontalHeaderItem(column)->setToolTip(tips[column]);
}

QImage withTitle(const QImage& picture, const QString& title)
{
    constexpr int kTitleHeight = 26;
    QImage titled(picture.width(), picture.height() + kTitleHeight, QImage::Format_RGB32);
    titled.fill(Background);
    QPainter p(&titled);
    p.setFont(programFont(QStringLiteral("Arial"), 11.25, QFont::Bold));
    p.setPen(Text);
    p.drawText(QRect(8, 0, picture.width() - 16, kTitleHeight), Qt::AlignLeft | Qt::AlignVCenter, title);
    p.drawImage(0, kTitleHeight, picture);
    return titled;
}

QLabel* label(QWidget* parent, const QString& text)
{
    QLabel* l = wrappedLabel(parent, text, font(), QRect(), Text, Qt::AlignLeft | Qt::AlignVCenter);
    l->setWordWrap(false);
    setColours(l, Background, Text);
    return l;
}

QPushButton* button(QWidget* parent, const QString& caption, const char* objectName)
{
    QPushButton* b = colouredButton(parent, caption, colours::PaleGreen, font(), QRect());
    b->setObjectName(QLatin1String(objectName));
    // The face's style sheet leaves no padding; a layout gives the button its hint and no more.
    b->setMinimumSize(b->sizeHint() + QSize(18, 10));
    return b;
}

} // namespace vkt::panelLook
