#include "windows/main/SavedTimesActions.h"

#include "services/DataFiles.h"
#include "services/Failure.h"
#include "services/Messages.h"
#include "windows/main/SavedTimes.h"

#include <QComboBox>
#include <QLineEdit>

namespace vkt {

void fillNewMoonList(QComboBox& newMoonList)
{
    newMoonList.clear();
    // Without its list the window is still useful: a new moon can be typed in.
    std::optional<QStringList> entries;
    try {
        entries = SavedTimes::loadNewMoonList();
        if (!entries)
            showMessage(QStringLiteral("Az '%1' fájl nem található!").arg(dataFiles::kNewMoons), MessageIcon::Error);
    } catch (const Failure& failure) {
        showMessage(failure.message(), MessageIcon::Error);  // it is there but cannot be read, and why
    }
    newMoonList.addItems(entries.value_or(QStringList()));
    newMoonList.setCurrentIndex(-1);
}

void confirmNewMoon(const QComboBox& newMoonList, QLineEdit& newMoonField)
{
    if (newMoonList.currentIndex() >= 0)
        newMoonField.setText(newMoonList.itemText(newMoonList.currentIndex()));
    SavedTimes::saveLastNewMoon(newMoonField.text());
}

void restoreLastNewMoon(QLineEdit& newMoonField)
{
    const std::optional<QString> saved = SavedTimes::loadLastNewMoon();
    if (!saved) {
        showMessage(QStringLiteral("Az '%1' fájl nem található!").arg(dataFiles::kLastNewMoon), MessageIcon::Error);
        return;
    }
    newMoonField.setText(*saved);
}

void saveObservation(const QLineEdit& observationField)
{
    const QString text = observationField.text();
    if (text.count(u' ') == text.size()) {
        showMessage(QStringLiteral("Üres dátumot NEM mentek!"), MessageIcon::Warning);
        return;
    }
    SavedTimes::saveLastObservation(text);
}

} // namespace vkt
