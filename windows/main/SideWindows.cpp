#include "windows/main/SideWindows.h"

#include "windows/calc/CalculationsWindow.h"
#include "windows/lists/JournalEditor.h"
#include "windows/lists/ReferenceListWindow.h"
#include "windows/other/AboutWindow.h"
#include "windows/other/CalendarWindow.h"
#include "windows/other/DescriptionWindow.h"
#include "windows/sightings/SightingsWindow.h"
#include "windows/visibility/VisibilityWindow.h"

namespace vkt {
namespace {

QWidget* create(SideWindow which, SideWindows& windows)
{
    const auto& newMoonText = windows.newMoonText;
    switch (which) {
    case SideWindow::Notes:
        return new JournalEditor(Journal::Notes);
    case SideWindow::ObservationLog:
        return new JournalEditor(Journal::ObservationLog);
    case SideWindow::Calendar:
        return new CalendarWindow();
    case SideWindow::EarlyCrescents:
        return new ReferenceListWindow(ReferenceList::EarlyCrescents);
    case SideWindow::SolarEclipses:
        return new ReferenceListWindow(ReferenceList::SolarEclipses);
    case SideWindow::LunarEclipses:
        return new ReferenceListWindow(ReferenceList::LunarEclipses);
    case SideWindow::VenusCrescents:
        return new ReferenceListWindow(ReferenceList::VenusCrescents);
    case SideWindow::Calculations:
        return new CalculationsWindow();
    case SideWindow::CrescentVisibility: {
        auto* visibility = new VisibilityWindow(newMoonText ? newMoonText() : QString());
        QObject::connect(visibility, &VisibilityWindow::sightingRequested, visibility,
                         [&windows](const sightings::Sighting& prefill) { windows.recordSighting(prefill); });
        return visibility;
    }
    case SideWindow::Sightings:
        return new SightingsWindow(windows.observationText);
    case SideWindow::About:
        return new AboutWindow();
    case SideWindow::Description:
        return new DescriptionWindow();
    case SideWindow::Count:
        break;
    }
    return nullptr;
}

} // namespace

void SideWindows::open(SideWindow which)
{
    windows_[static_cast<std::size_t>(which)].show([this, which] { return create(which, *this); });
}

QWidget* SideWindows::window(SideWindow which) const
{
    return windows_[static_cast<std::size_t>(which)].get();
}

void SideWindows::newMoonFieldChanged(const QString& text)
{
    if (auto* visibility = static_cast<VisibilityWindow*>(window(SideWindow::CrescentVisibility)))
        visibility->followNewMoonField(text);
}

void SideWindows::recordSighting(const sightings::Sighting& prefill)
{
    open(SideWindow::Sightings);
    static_cast<SightingsWindow*>(window(SideWindow::Sightings))->offerSighting(prefill);
}

void SideWindows::showMoonMap(const QString& fileName)
{
    MoonMapWindow* map = moonMap_.show([] { return new MoonMapWindow(); });
    map->showPicture(fileName);
}

} // namespace vkt
