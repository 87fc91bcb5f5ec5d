// The sightings window's tabs and buttons.
#include "windows/common/Guarded.h"
#include "windows/common/WindowLook.h"
#include "windows/sightings/DiagramPanel.h"
#include "windows/sightings/SightingForm.h"
#include "windows/sightings/SightingsHelp.h"
#include "windows/sightings/SightingsWindow.h"
#include "windows/sightings/SightingTable.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace vkt {
namespace {

QPushButton* button(QWidget* parent, const QString& caption, const char* name, const QString& tip = {})
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    return b;
}

// Buttons in a row from the left, then the rest of the width.
QHBoxLayout* buttonRow(std::initializer_list<QWidget*> buttons)
{
    auto* row = new QHBoxLayout;
    for (QWidget* b : buttons)
        row->addWidget(b);
    row->addStretch(1);
    return row;
}

} // namespace

void SightingsWindow::createRecordsTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("recordsTab"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    auto* splitter = new QSplitter(Qt::Vertical, page);
    splitter->setChildrenCollapsible(false);
    recordTable = new QTableView(splitter);
    recordTable->setObjectName(QStringLiteral("recordTable"));
    recordTable->setAccessibleName(QStringLiteral("Észlelések"));
    recordTable->setModel(sorted_);
    recordTable->setSortingEnabled(true);
    recordTable->sortByColumn(SightingTable::Date, Qt::AscendingOrder);
    recordTable->setSelectionBehavior(QAbstractItemView::SelectRows);
    recordTable->setSelectionMode(QAbstractItemView::SingleSelection);
    recordTable->setEditTriggers(QAbstractItemView::NoEditTriggers);
    recordTable->verticalHeader()->hide();
    recordTable->verticalHeader()->setDefaultSectionSize(recordTable->fontMetrics().height() + 6);
    recordTable->setMinimumHeight(100);
    // Widths from the captions and a sample, never from the rows: thousands are not measured.
    recordTable->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    for (int c = 0; c < SightingTable::ColumnCount; ++c) {
        const QString caption = table_->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString();
        const int sample = c == SightingTable::Place || c == SightingTable::Observers ? 120
                           : c == SightingTable::Date                                 ? 80
                                                                                      : 40;
        recordTable->setColumnWidth(c, std::max(sample, recordTable->fontMetrics().horizontalAdvance(caption) + 24));
    }

    auto* formBox = new QWidget(splitter);
    auto* formColumn = new QVBoxLayout(formBox);
    formColumn->setContentsMargins(0, 4, 0, 0);
    form = new SightingForm(places_, formBox);
    formColumn->addWidget(form);
    newButton = button(formBox, QStringLiteral("Ú&j észlelés"), "newButton",
                       QStringLiteral("Üres űrlap a főablak megfigyelési idejével és a megjegyzett hellyel"));
    saveButton = button(formBox, QStringLiteral("&Mentés"), "saveButton",
                        QStringLiteral("Az űrlap észlelését hozzáadja, vagy a kijelölt helyére menti"));
    deleteButton = button(formBox, QStringLiteral("&Törlés…"), "deleteButton",
                          QStringLiteral("A kijelölt észlelést törli, megerősítés után"));
    formColumn->addLayout(buttonRow({newButton, saveButton, deleteButton}));
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 0);
    column->addWidget(splitter, 1);
    tabs->addTab(page, QStringLiteral("É&szlelések"));

    connect(newButton, &QPushButton::clicked, this, [this] {
        guarded([this] {
            if (formMayBeLeft())
                newSighting();
        });
    });
    connect(saveButton, &QPushButton::clicked, this, [this] { guarded([this] { saveForm(); }); });
    connect(deleteButton, &QPushButton::clicked, this, [this] { guarded([this] { deleteSelected(); }); });
    connect(recordTable->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { guarded([this] { showSelected(); }); });
}

void SightingsWindow::createScorecardTab()
{
    scorecardText = new QPlainTextEdit;
    scorecardText->setObjectName(QStringLiteral("scorecardText"));
    scorecardText->setAccessibleName(QStringLiteral("A kritériumok értékelése és a rekordok"));
    scorecardText->setReadOnly(true);
    scorecardText->setLineWrapMode(QPlainTextEdit::NoWrap);
    scorecardText->setFont(programFont(QStringLiteral("Courier New"), 9.75));
    tabs->addTab(scorecardText, QStringLiteral("É&rtékelés és rekordok"));
}

void SightingsWindow::createDiagramTab()
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("diagramTab"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(4, 4, 4, 4);
    diagramPanel = new DiagramPanel(page);
    column->addWidget(diagramPanel, 1);
    auto* row = new QHBoxLayout;
    saveDiagramButton = button(page, QStringLiteral("Ábra mentése &PNG-be…"), "saveDiagramButton");
    row->addWidget(saveDiagramButton);
    auto* note = new QLabel(QStringLiteral("Teli pont: szabad szemmel látta; karika: csak optikával; kereszt: nem látta. "
                                           "Egy pontra mutatva megjelenik az észlelés."),
                            page);
    note->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    note->setWordWrap(true);
    row->addWidget(note, 1);
    column->addLayout(row);
    tabs->addTab(page, QStringLiteral("Á&bra"));
    connect(saveDiagramButton, &QPushButton::clicked, this, [this] { guarded([this] { saveDiagram(); }); });
}

void SightingsWindow::createButtons()
{
    importButton = button(this, QStringLiteral("&Importálás (CSV)…"), "importButton",
                          QStringLiteral("Más megfigyelők vagy katalógusok észlelései CSV fájlból; előbb megmutatja, mit ad hozzá"));
    exportButton = button(this, QStringLiteral("E&xportálás (CSV)…"), "exportButton",
                          QStringLiteral("Az észlelések CSV fájlba, a számított értékekkel"));
    helpButton = button(this, QStringLiteral("Súgó"), "helpButton", QStringLiteral("Az ablak súgója (F1)"));
    QHBoxLayout* row = buttonRow({importButton, exportButton});
    row->addWidget(helpButton);
    static_cast<QVBoxLayout*>(layout())->addLayout(row);
    connect(importButton, &QPushButton::clicked, this, [this] { guarded([this] { importCsv(); }); });
    connect(exportButton, &QPushButton::clicked, this, [this] { guarded([this] { exportCsv(); }); });
    connect(helpButton, &QPushButton::clicked, this, [this] { guarded([this] { showHelp(); }); });
}

void SightingsWindow::showHelp()
{
    if (!help_) {
        auto* page = new QTextBrowser(this);
        page->setWindowFlag(Qt::Window);
        page->setObjectName(QStringLiteral("sightingsHelp"));
        page->setAccessibleName(QStringLiteral("Súgó"));
        page->setWindowTitle(QStringLiteral("Holdsarló-észlelések – súgó"));
        page->setHtml(sightingsHelpText());
        connect(new QShortcut(QKeySequence(Qt::Key_Escape), page), &QShortcut::activated, page, &QWidget::close);
        QSize size(720, 600);
        if (const QScreen* s = screen())
            size = size.boundedTo(s->availableGeometry().size() - QSize(16, 40));
        page->resize(size);
        help_ = page;
    }
    help_->show();
    help_->raise();
    help_->activateWindow();
}

} // namespace vkt
