// The visibility window's exports: the table copied, pictures, the sheet, the calendar.
#include "windows/visibility/VisibilityWindow.h"

#include "windows/common/Pictures.h"
#include "presentation/CrescentCalendar.h"
#include "presentation/TimeTexts.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "windows/visibility/CrescentTablePanel.h"
#include "windows/visibility/ObservingSheet.h"
#include "windows/visibility/PlacePanel.h"
#include "windows/visibility/YearAheadPanel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QStandardPaths>

namespace vkt {
namespace {

// A file name from a place's name: no separators, no characters a file system refuses.
QString fileNamePart(QString text)
{
    static const QRegularExpression unsafe(QStringLiteral("[\\\\/:*?\"<>|\\s]+"));
    return text.replace(unsafe, QStringLiteral("-"));
}

} // namespace

QString VisibilityWindow::chooseFile(const QString& name, QStandardPaths::StandardLocation firstFolder)
{
    PlaceStore& store = placePanel->store();
    const QString folder = !store.saveFolder().isEmpty() && QFileInfo(store.saveFolder()).isDir()
                               ? store.saveFolder()
                               : QStandardPaths::writableLocation(firstFolder);
    const QString file = askFileName(QDir(folder).filePath(name));
    if (!file.isEmpty())
        store.setSaveFolder(QFileInfo(file).absolutePath());
    return file;
}

QString VisibilityWindow::tableHeading() const
{
    return QStringLiteral("Holdsarló – %1; újhold: %2")
        .arg(presentation::placeText(placePanel->place()), presentation::dateTimeText(*zone_, newMoon_));
}

void VisibilityWindow::copyTable()
{
    QGuiApplication::clipboard()->setText(crescentTable->text(tableHeading()));
}

void VisibilityWindow::saveSheet()
{
    const ObservingSheet made = sheet();
    const QString file = chooseFile(
        fileNamePart(QStringLiteral("holdsarlo-%1-%2.pdf").arg(placePanel->place().name, zone_->at(newMoon_).date().toString(QStringLiteral("yyyy.MM.dd")))),
        QStandardPaths::DocumentsLocation);
    if (file.isEmpty())
        return;
    replaceFileBytes(file, made.pdf());  // whole or not at all; a failure is reported by the caller
}

void VisibilityWindow::printSheet()
{
    const ObservingSheet made = sheet();
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(made.title());
    QPrintPreviewDialog preview(&printer, this);
    preview.setWindowTitle(QStringLiteral("Megfigyelőlap nyomtatása"));
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [&made](QPrinter* device) { made.paint(*device); });
    preview.exec();
}

void VisibilityWindow::savePicture(const std::optional<SavablePicture>& picture)
{
    if (!picture)
        return;
    const QString file = chooseFile(picture->suggestedName, QStandardPaths::PicturesLocation);
    if (file.isEmpty())
        return;
    replaceFileBytes(file, pngBytes(picture->image));  // whole or not at all; a failure is reported by the caller
}

// The year ahead as the table shows it (waited for, if it is still being computed), in a file the
// user names, started in the Documents folder.
void VisibilityWindow::saveCalendar()
{
    const std::vector<astro::NewMoonOutlook>& outlooks = yearTable->finished();
    const astro::Place& place = yearTable->place();
    const QString file =
        chooseFile(fileNamePart(QStringLiteral("holdsarlo-%1.ics").arg(place.name)), QStandardPaths::DocumentsLocation);
    if (file.isEmpty())
        return;
    presentation::writeCrescentCalendar(file, outlooks, place, {alarmCheck->isChecked()});
}

} // namespace vkt
