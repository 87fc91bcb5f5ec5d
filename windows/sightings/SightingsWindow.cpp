#include "windows/sightings/SightingsWindow.h"

#include "astro/CivilTime.h"
#include "presentation/Places.h"
#include "presentation/ScorecardTexts.h"
#include "presentation/SightingTexts.h"
#include "services/Clock.h"
#include "services/DataFiles.h"
#include "services/DataFolder.h"
#include "services/Failure.h"
#include "services/Messages.h"
#include "services/TextFiles.h"
#include "sightings/Scorecard.h"
#include "windows/common/Guarded.h"
#include "windows/common/WindowLook.h"
#include "services/FileBytes.h"
#include "services/Settings.h"
#include "sightings/SightingCsv.h"
#include "windows/sightings/DiagramPanel.h"
#include "windows/sightings/SightingForm.h"
#include "windows/sightings/SightingsHelp.h"
#include "windows/sightings/SightingTable.h"
#include "windows/sightings/SkyComputation.h"

#include <QCloseEvent>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTextBrowser>
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
#include <QVBoxLayout>
#include <cerrno>

namespace vkt {
namespace {

using sightings::Sighting;

// A Hungarian clock time, as the main window's fields hold it, on the place's clock, to the
// minute it is in (a sighting at 18:40:59 was at 18:40).
QDateTime onPlaceClock(DateTime value, const astro::Place& place)
{
    const CivilTime t = toCivil(value);
    const QDateTime hungarian(QDate(t.year, t.month, t.day), QTime(t.hour, t.minute, t.second),
                              presentation::hungarianTime().timeZone());
    const QDateTime local = hungarian.toTimeZone(astro::CivilZone::of(place).timeZone());
    return QDateTime(local.date(), QTime(local.time().hour(), local.time().minute()), local.timeZone());
}

bool askToImport(QWidget* parent, const QString& text)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Importálás"));
    auto* column = new QVBoxLayout(&dialog);
    auto* view = new QPlainTextEdit(text, &dialog);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    column->addWidget(view);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("Hozzáadás"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Mégse"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column->addWidget(buttons);
    dialog.resize(760, 420);
    return dialog.exec() == QDialog::Accepted;
}

void showTextWindow(QWidget* parent, const QString& title, const QString& text)
{
    QDialog dialog(parent);
    dialog.setWindowTitle(title);
    auto* column = new QVBoxLayout(&dialog);
    auto* view = new QPlainTextEdit(text, &dialog);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(programFont(QStringLiteral("Courier New"), 9.75));
    column->addWidget(view);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    column->addWidget(buttons);
    dialog.resize(760, 420);
    dialog.exec();
}

} // namespace

SightingsWindow::SightingsWindow(std::function<QString()> observationField)
    : observationField_(std::move(observationField)), path_(dataFile(dataFiles::kSightings))
{
    setObjectName(QStringLiteral("sightingsWindow"));
    setWindowTitle(QStringLiteral("Holdsarló-észlelések"));
    setFrame(this, Frame::Sizable, Minimise::On);
    setPalette(programPalette());  // the program's own colours, whatever the desktop's
    table_ = new SightingTable(this);
    sorted_ = new SortedSightings(table_);
    computation_ = new SkyComputation(this);
    connect(computation_, &SkyComputation::computed, table_, &SightingTable::setSkies);
    connect(computation_, &SkyComputation::done, this, [this] { guarded([this] { showSkies(); }); });
    showText = [this](const QString& title, const QString& text) { showTextWindow(this, title, text); };
    confirmImport = [this](const QString& text) { return askToImport(this, text); };
    askFileName = [this](const QString& offered, bool save) {
        const bool png = offered.endsWith(QLatin1String(".png"));
        const QString filter = png ? QStringLiteral("PNG kép (*.png)") : QStringLiteral("CSV fájl (*.csv)");
        return save ? QFileDialog::getSaveFileName(this, png ? QStringLiteral("Ábra mentése") : QStringLiteral("Exportálás"),
                                                   offered, filter)
                    : QFileDialog::getOpenFileName(this, QStringLiteral("Importálás"), offered,
                                                   filter + QStringLiteral(";;Minden fájl (*)"));
    };

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(4);
    auto* fileRow = new QHBoxLayout;
    fileLabel = new QLabel(this);
    fileLabel->setObjectName(QStringLiteral("fileLabel"));
    fileLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    keptLinesButton = new QPushButton(QStringLiteral("Olvashatatlan s&orok…"), this);
    keptLinesButton->setObjectName(QStringLiteral("keptLinesButton"));
    fileRow->addWidget(fileLabel, 1);
    fileRow->addWidget(keptLinesButton);
    column->addLayout(fileRow);
    tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabs"));
    column->addWidget(tabs, 1);
    createRecordsTab();
    createScorecardTab();
    createDiagramTab();
    createButtons();

    connect(keptLinesButton, &QPushButton::clicked, this, [this] {
        guarded([this] { showText(QStringLiteral("Olvashatatlan sorok"), keptLinesText()); });
    });
    for (const QKeySequence& key : {QKeySequence(Qt::Key_Escape), QKeySequence(Qt::CTRL | Qt::Key_W)})
        connect(new QShortcut(key, this), &QShortcut::activated, this, &QWidget::close);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { guarded([this] { showHelp(); }); });

    load();
    newSighting();
    // Roomy where the screen allows; the frame, not known before the window is shown, is left room.
    QSize size(1100, 680);
    if (const QScreen* s = screen())
        size = size.boundedTo(s->availableGeometry().size() - QSize(16, 40));
    resize(size.expandedTo(minimumSizeHint()));
}

SightingsWindow::~SightingsWindow() = default;

void SightingsWindow::computeSkies()
{
    std::vector<SkyComputation::Task> tasks;
    for (const std::size_t row : table_->uncomputed())
        tasks.push_back({row, table_->records()[row]});
    if (tasks.empty()) {
        showSkies();
        return;
    }
    // The tables count every record: until the last sky is in, they would mislead.
    scorecardText->setPlainText(QStringLiteral("Az égbolt adatai még számolódnak (%1 észlelés van hátra)…").arg(tasks.size()));
    computation_->request(std::move(tasks));
}

void SightingsWindow::finishComputing()
{
    computation_->finish();
    showSkies();
}

// The scorecard and the records need every record's sky.
void SightingsWindow::showSkies()
{
    const std::vector<astro::SightingGeometry> skies = table_->skies();
    if (skies.size() != table_->records().size())
        return;
    const std::vector<Sighting>& records = table_->records();
    QStringList lines = presentation::scorecardLines(sightings::scoreCriteria(records, skies), records);
    lines << QString() << presentation::recordLines(sightings::sightingRecords(records, skies), records);
    scorecardText->setPlainText(lines.join(u'\n'));
    diagramPanel->show(records, skies);
}

void SightingsWindow::newSighting()
{
    const astro::Place& place = places_.current();
    const std::optional<DateTime> typed = observationField_ ? toDateTime(observationField_()) : std::nullopt;
    // A time alone lies on the first day of the count: no observation anyone means.
    const DateTime when = typed && (*typed < 0 || *typed >= 1) ? *typed : currentDateTime();
    const QDateTime local = onPlaceClock(when, place);
    Sighting s;
    s.place = place;
    s.date = local.date();
    s.time = QTime(local.time().hour(), local.time().minute());
    s.session = local.time().hour() >= 12 ? astro::Twilight::Evening : astro::Twilight::Morning;
    newSighting(s);
}

void SightingsWindow::newSighting(const Sighting& prefill)
{
    choosing_ = true;
    recordTable->clearSelection();
    recordTable->setCurrentIndex({});
    choosing_ = false;
    form->show(prefill, std::nullopt);
    tabs->setCurrentIndex(0);
}

void SightingsWindow::offerSighting(const Sighting& prefill)
{
    if (formMayBeLeft())
        newSighting(prefill);
}

bool SightingsWindow::formMayBeLeft()
{
    if (!form->edited())
        return true;
    switch (askToSave(QStringLiteral("Az űrlapon levő észlelés nincs mentve. Menti?"))) {
    case SaveAnswer::Save:
        return saveForm();
    case SaveAnswer::Discard:
        return true;
    case SaveAnswer::Cancel:
        break;
    }
    return false;
}

void SightingsWindow::showSelected()
{
    if (choosing_)
        return;
    const QModelIndex current = recordTable->currentIndex();
    if (!current.isValid())
        return;
    const std::size_t row = std::size_t(sorted_->mapToSource(current).row());
    if (form->row() == row)
        return;
    if (!formMayBeLeft())
        return;
    form->show(table_->records()[row], row);
}

// The book changed and saved; the window takes it. False, with the reason said, when the save failed.
bool SightingsWindow::store(sightings::SightingBook changed)
{
    if (unreadable_) {
        showMessage(QStringLiteral("A(z) '%1' fájl nem olvasható, ezért nem írom felül; az észlelés nincs mentve.")
                        .arg(QDir::toNativeSeparators(path_)),
                    MessageIcon::Error);
        return false;
    }
    try {
        const QByteArray bytes = changed.fileBytes();
        if (!replaceFileBytesIfUnchanged(path_, bytes, stamp_)) {
            switch (askAboutChangedFile(changedFileQuestion())) {
            case ChangedFileAnswer::KeepMine:
                replaceFileBytes(path_, bytes);
                break;
            case ChangedFileAnswer::TakeTheirs:
                // The file's records come in; what the form holds stays there, to be saved onto them.
                load();
                form->forgetRow();
                return false;
            case ChangedFileAnswer::Cancel:
                return false;
            }
        }
        stamp_ = stampOf(bytes);
    } catch (const Failure& failure) {
        showMessage(failure.message() + QStringLiteral("\nAz észlelések fájlja változatlan; a változás nincs mentve."),
                    MessageIcon::Error);
        return false;
    }
    book_ = std::move(changed);
    return true;
}

QString SightingsWindow::changedFileQuestion() const
{
    const FileStamp now = currentStamp(path_);
    const QString file = QDir::toNativeSeparators(path_);
    const QString what =
        !now.exists      ? QStringLiteral("A(z) '%1' fájlt törölték, mióta ez az ablak beolvasta.")
        : !stamp_.exists ? QStringLiteral("A(z) '%1' fájl létrejött, mióta ez az ablak megnyílt.")
                         : QStringLiteral("A(z) '%1' fájlt megváltoztatták, mióta ez az ablak beolvasta (talán a VKT "
                                          "egy másik példányában).");
    return what.arg(file) +
           QStringLiteral("\n\nFelülírás: a fájlba az itteni észlelések kerülnek, a másik példány változásai "
                          "elvesznek.\nÚjratöltés: a táblázatba a fájl mostani észlelései kerülnek; az űrlap "
                          "tartalma megmarad, a Mentés új észlelésként adja hozzá.\nMégse: egyik sem történik "
                          "meg, a változás mentetlen marad.");
}

bool SightingsWindow::saveForm()
{
    const auto read = form->read();
    if (const QString* problem = std::get_if<QString>(&read)) {
        showMessage(*problem, MessageIcon::Warning);
        return false;
    }
    const Sighting& s = std::get<Sighting>(read);
    sightings::SightingBook changed = book_;
    const std::optional<std::size_t> row = form->row();
    if (row)
        changed.replace(qsizetype(*row), s);
    else
        changed.add(s);
    if (!store(std::move(changed)))
        return false;
    choosing_ = true;
    if (row)
        table_->replace(*row, s);
    else
        table_->add(s);
    const std::size_t savedRow = row ? *row : table_->records().size() - 1;
    recordTable->setCurrentIndex(sorted_->mapFromSource(table_->index(int(savedRow), 0)));
    choosing_ = false;
    form->markSaved(savedRow);
    describeFile();
    computeSkies();
    return true;
}

void SightingsWindow::deleteSelected()
{
    const std::optional<std::size_t> row = form->row();
    if (!row) {
        showMessage(QStringLiteral("Nincs kijelölt észlelés: előbb válasszon egyet a táblázatban!"), MessageIcon::Warning);
        return;
    }
    if (!confirm(QStringLiteral("Törli ezt az észlelést: %1?").arg(presentation::sightingName(table_->records()[*row]))))
        return;
    sightings::SightingBook changed = book_;
    changed.remove(qsizetype(*row));
    if (!store(std::move(changed)))
        return;
    choosing_ = true;
    table_->remove(*row);
    choosing_ = false;
    form->rowRemoved(*row);
    describeFile();
    computeSkies();
    newSighting();
}

void SightingsWindow::closeEvent(QCloseEvent* event)
{
    if (!formMayBeLeft()) {
        event->ignore();
        return;
    }
    computation_->cancel();
    event->accept();
}

} // namespace vkt
