#pragma once

#include "services/FileBytes.h"
#include "sightings/SightingBook.h"
#include "windows/visibility/ObservingPlaces.h"

#include <QWidget>
#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QSortFilterProxyModel;
class QTableView;
class QTabWidget;

namespace vkt {

class DiagramPanel;
class SightingForm;
class SightingTable;
class SkyComputation;

// "Holdsarló-észlelések": the observer's records of eszlelesek.txt in a sortable table, their
// computed skies filling in from the background, and a form to add, edit and delete them. Every
// change is saved at once through the checked write; a save that fails leaves the file and the
// form as they were. A file that cannot be read is shown as such and never written over; a file
// another instance saved since it was read is not written over unasked.
class SightingsWindow : public QWidget {
    Q_OBJECT
public:
    // observationField: the main window's "Megfigyelés ideje" text (Hungarian clock time), read
    // whenever a new record is begun.
    explicit SightingsWindow(std::function<QString()> observationField = {});
    ~SightingsWindow() override;

    // Begins a new record in the form: of the main window's observation time (now, when that
    // is empty or not a time) at the remembered place.
    void newSighting();
    // Begins a new record with these fields (the visibility window's evening and place).
    void newSighting(const sightings::Sighting& prefill);
    // The same, asked from outside: a form with unsaved edits is saved or dropped as the user
    // chooses first, and stays when the user cancels.
    void offerSighting(const sightings::Sighting& prefill);
    // Saves the form's record (added, or in place of the one it was opened from). False when it
    // was not saved: a message has said why, and the form keeps what was typed.
    bool saveForm();
    void deleteSelected();

    const sightings::SightingBook& book() const { return book_; }
    SightingTable* model() const { return table_; }
    // Waits until every record's sky is computed and shown.
    void finishComputing();

    QTabWidget* tabs = nullptr;
    QTableView* recordTable = nullptr;
    SightingForm* form = nullptr;
    QPushButton* newButton = nullptr;
    QPushButton* saveButton = nullptr;
    QPushButton* deleteButton = nullptr;
    QLabel* fileLabel = nullptr;  // the file, its count of records, and any lines it could not read
    QPushButton* keptLinesButton = nullptr;
    QPlainTextEdit* scorecardText = nullptr;
    DiagramPanel* diagramPanel = nullptr;
    QPushButton* saveDiagramButton = nullptr;
    QPushButton* importButton = nullptr;
    QPushButton* exportButton = nullptr;
    QPushButton* helpButton = nullptr;
    QWidget* helpWindow() const { return help_; }

    // Asks for a file to read (save false) or to write, starting at the path offered; empty:
    // cancelled. File dialogs unless a test puts its own answer in place.
    std::function<QString(const QString& offered, bool save)> askFileName;
    // Shows what an import would add and what it cannot take; true: add them.
    std::function<bool(const QString& text)> confirmImport;

    // Shows a long text (the unreadable lines) in a window of its own; tests read it instead.
    std::function<void(const QString& title, const QString& text)> showText;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createRecordsTab();
    void createScorecardTab();
    void createDiagramTab();
    void createButtons();
    void showHelp();
    void importCsv();
    void exportCsv();
    void saveDiagram();
    // A file to read or write, the dialog started in the last folder used (the Documents folder
    // the first time), which is remembered; empty: cancelled.
    QString chooseFile(const QString& name, bool save);
    void load();
    void describeFile();
    void computeSkies();
    void showSkies();
    void showSelected();
    // True when the form may take another record: it was not edited, or the user chose.
    bool formMayBeLeft();
    bool store(sightings::SightingBook changed);
    QString keptLinesText() const;
    QString changedFileQuestion() const;

    std::function<QString()> observationField_;
    PlaceStore places_;
    QString path_;
    sightings::SightingBook book_;
    FileStamp stamp_;  // the file as it was read or last saved here
    bool unreadable_ = false;  // the file is there but could not be read: never written over
    SightingTable* table_ = nullptr;
    QSortFilterProxyModel* sorted_ = nullptr;
    SkyComputation* computation_ = nullptr;
    bool choosing_ = false;  // the window itself is moving the selection
    QWidget* help_ = nullptr;
};

} // namespace vkt
