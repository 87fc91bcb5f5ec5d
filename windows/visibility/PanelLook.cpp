#include "windows/visibility/PanelLook.h"

#include <QLabel>
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
    static const QColor faces[] = {colours::LightGreen, colours::YellowGreen, colours::Yellow,
                                   colours::Orange,     colours::Salmon,      colours::Red};
    return faces[static_cast<int>(c)];
}

QColor classColour(astro::OdehClass c)
{
    static const QColor faces[] = {colours::LightGreen, colours::Yellow, colours::Orange, colours::Red};
    return faces[static_cast<int>(c)];
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
