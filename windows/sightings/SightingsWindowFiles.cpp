// The sightings window's files: CSV in and out, the diagram as a picture, the folder remembered.
#include "presentation/SightingTexts.h"
#include "services/Failure.h"
#include "services/FileBytes.h"
#include "services/Messages.h"
#include "services/Settings.h"
#include "services/TextFiles.h"
#include "sightings/SightingCsv.h"
#include "windows/common/Pictures.h"
#include "windows/sightings/DiagramPanel.h"
#include "windows/sightings/SightingsWindow.h"
#include "windows/sightings/SightingTable.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <cerrno>

namespace vkt {
namespace {

const QString kSettingsGroup = QStringLiteral("holdsarlo-eszlelesek");
const QString kLastFolder = QStringLiteral("utolso-mappa");
// The diagram as a picture file: wide enough for both frames side by side.
constexpr QSize kDiagramPicture(1400, 640);

// A kept line as it reads; bytes that are no Windows-1250 text are shown by their codes, since
// the line is listed precisely because the program could not read it.
QString keptLineText(const QByteArray& bytes)
{
    try {
        return decodeWindows1250(bytes);
    } catch (const Failure&) {
        QString text;
        for (const char c : bytes)
            text += c >= 0x20 && c < 0x7F ? QString(QChar(c)) : QStringLiteral("\\x%1").arg(uchar(c), 2, 16, QChar(u'0'));
        return text;
    }
}

} // namespace

QString SightingsWindow::chooseFile(const QString& name, bool save)
{
    OpenedSettings opened = openSettings(kSettingsGroup);
    QString folder = opened.settings ? opened.settings->value(kLastFolder).toString() : QString();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    const QString file = askFileName(name.isEmpty() ? folder : folder + u'/' + name, save);
    if (!file.isEmpty() && opened.settings) {
        // Only a convenience: a folder not remembered costs the user a click next time, nothing more.
        opened.settings->setValue(kLastFolder, QFileInfo(file).absolutePath());
        saveSettings(*opened.settings);
    }
    return file;
}

void SightingsWindow::importCsv()
{
    const QString file = chooseFile({}, false);
    if (file.isEmpty())
        return;
    const QFileInfo info(file);
    if (!info.isFile())
        throw Failure(QStringLiteral("A(z) '%1' nem szabályos fájl, nem olvasom be.").arg(QDir::toNativeSeparators(file)));
    if (info.size() > sightings::SightingBook::kMostBytes)
        throw Failure(QStringLiteral("A(z) '%1' nem olvasható: %2").arg(QDir::toNativeSeparators(file), reasonText(EFBIG)));
    const sightings::ImportPreview preview = sightings::previewImport(book_, sightings::readCsv(readFileBytes(file)));
    QStringList lines;
    lines << QStringLiteral("Hozzáadandó észlelések: %1").arg(preview.toAdd.size());
    for (const sightings::CsvRow& row : preview.toAdd)
        lines << QStringLiteral("  %1. sor: %2").arg(row.line).arg(presentation::sightingName(row.sighting));
    if (!preview.problems.empty()) {
        lines << QString() << QStringLiteral("Nem kerül hozzáadásra (%1 sor):").arg(preview.problems.size());
        for (const sightings::LineProblem& p : preview.problems)
            lines << QStringLiteral("  ") + presentation::lineProblemText(p, sightings::Dialect::Csv);
    }
    if (preview.toAdd.empty()) {
        showText(QStringLiteral("Importálás: nincs mit hozzáadni"), lines.join(u'\n'));
        return;
    }
    if (!confirmImport(lines.join(u'\n')))
        return;
    sightings::SightingBook changed = book_;
    sightings::addImport(changed, preview);
    if (!store(std::move(changed)))
        return;
    for (const sightings::CsvRow& row : preview.toAdd)
        table_->add(row.sighting);
    describeFile();
    computeSkies();
}

void SightingsWindow::exportCsv()
{
    const QString file = chooseFile(QStringLiteral("eszlelesek.csv"), true);
    if (file.isEmpty())
        return;
    finishComputing();
    replaceFileBytes(file, sightings::exportCsv(table_->records(), table_->skies()));
}

void SightingsWindow::saveDiagram()
{
    finishComputing();
    const QString file = chooseFile(QStringLiteral("holdsarlo-eszlelesek.png"), true);
    if (file.isEmpty())
        return;
    replaceFileBytes(file, pngBytes(diagramPanel->diagram()->render(kDiagramPicture)));
}

void SightingsWindow::load()
{
    try {
        sightings::SightingBook read;
        FileStamp stamp;  // no file yet: a save checks that none has appeared meanwhile
        if (QFileInfo::exists(path_) || QFileInfo(path_).isSymLink())
            useFileBytes(path_, [&](QByteArrayView bytes) { read = sightings::SightingBook::fromBytes(bytes); },
                         &stamp, sightings::SightingBook::kMostBytes);
        book_ = std::move(read);
        stamp_ = stamp;
        unreadable_ = false;
    } catch (const Failure& failure) {
        // Whatever is there stays: with nothing read, a save would put the new records over it.
        book_ = {};
        unreadable_ = true;
        showMessage(failure.message() + QStringLiteral("\nAz észleléseket nem mentem, amíg a fájl nem olvasható."),
                    MessageIcon::Error);
    }
    table_->setRecords(book_.records());
    describeFile();
    computeSkies();
}

void SightingsWindow::describeFile()
{
    QString text = unreadable_ ? QStringLiteral("%1: nem olvasható, nem írom felül.").arg(QDir::toNativeSeparators(path_))
                               : QStringLiteral("%1: %2 észlelés.")
                                     .arg(QDir::toNativeSeparators(path_))
                                     .arg(book_.records().size());
    const std::size_t kept = book_.keptLines().size();
    if (kept > 0)
        text += QStringLiteral(" %1 sor nem olvasható; a fájlban változatlanul megmarad.").arg(kept);
    fileLabel->setText(text);
    fileLabel->setToolTip(text);
    keptLinesButton->setEnabled(kept > 0);
}

QString SightingsWindow::keptLinesText() const
{
    QStringList lines;
    for (const sightings::KeptLine& k : book_.keptLines()) {
        lines << presentation::lineProblemText(k.problem, sightings::Dialect::DataFile);
        QByteArray bytes = k.bytes;
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        lines << QStringLiteral("    ") + keptLineText(bytes);
    }
    return lines.join(u'\n');
}

} // namespace vkt
