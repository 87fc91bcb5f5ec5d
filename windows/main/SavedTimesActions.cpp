#include "windows/main/SavedTimesActions.h"

#include "services/Failure.h"
#include "services/Messages.h"
#include "windows/main/SavedTimes.h"

#include <QComboBox>
#include <QLineEdit>

namespace vkt {

void fillNewMoonList(QComboBox& Ujholdak)
{
    Ujholdak.clear();
    // Without its list the window is still useful: a new moon can be typed in.
    std::optional<QStringList> entries;
    try {
        entries = SavedTimes::loadNewMoonList();
        if (!entries)
            showMessage(QStringLiteral("Az 'ujholdak.txt' fájl nem található!"), MessageIcon::Error);
    } catch (const Failure& failure) {
        showMessage(failure.message(), MessageIcon::Error);  // it is there but cannot be read, and why
    }
    Ujholdak.addItems(entries.value_or(QStringList()));
    Ujholdak.setCurrentIndex(-1);
}

void confirmNewMoon(const QComboBox& Ujholdak, QLineEdit& Text11)
{
    if (Ujholdak.currentIndex() >= 0)
        Text11.setText(Ujholdak.itemText(Ujholdak.currentIndex()));
    SavedTimes::saveLastNewMoon(Text11.text());
}

void restoreLastNewMoon(QLineEdit& Text11)
{
    const std::optional<QString> saved = SavedTimes::loadLastNewMoon();
    if (!saved) {
        showMessage(QStringLiteral("Az 'ujhold.txt' fájl nem található!"), MessageIcon::Error);
        return;
    }
    Text11.setText(*saved);
}

void saveObservation(const QLineEdit& Text12)
{
    const QString text = Text12.text();
    if (text.count(u' ') == text.size()) {
        showMessage(QStringLiteral("Üres dátumot NEM mentek!"), MessageIcon::Warning);
        return;
    }
    SavedTimes::saveLastObservation(text);
}

} // namespace vkt
