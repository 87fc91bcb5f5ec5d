#pragma once

#include "windows/common/SingleWindow.h"
#include "sightings/Sighting.h"
#include "windows/main/MoonMapWindow.h"

#include <QWidget>
#include <array>
#include <functional>

namespace vkt {

// The windows of the "Szerszámok" and "Help" menus.
enum class SideWindow {
    Notes,
    ObservationLog,
    Calendar,
    EarlyCrescents,
    SolarEclipses,
    LunarEclipses,
    VenusCrescents,
    Calculations,
    CrescentVisibility,
    Sightings,
    About,
    Description,
    Count  // not a window: the number of them, whatever is added above
};
inline constexpr std::size_t kSideWindowCount = static_cast<std::size_t>(SideWindow::Count);

// Every window the main window opens: modeless, without an owner, at most one of each.
class SideWindows {
public:
    // Builds the window on the first request and brings it to the front on a later one.
    void open(SideWindow which);
    QWidget* window(SideWindow which) const;

    // Shows the moon-map window first, then loads the picture into it, so a picture that cannot
    // be loaded (vkt::Failure) leaves the window open with its previous picture.
    void showMoonMap(const QString& fileName);
    MoonMapWindow* moonMap() const { return moonMap_.get(); }

    // The main window's "Utolsó Újhold" text, read when the crescent-visibility window is built.
    std::function<QString()> newMoonText;
    // Its "Megfigyelés ideje" text, read whenever the sightings window begins a new record.
    std::function<QString()> observationText;
    // Opens the sightings window on a new record with these fields.
    void recordSighting(const sightings::Sighting& prefill);
    // That field has taken another text, edited to the end or set by the program: the
    // crescent-visibility window, if open, follows it.
    void newMoonFieldChanged(const QString& text);

private:
    std::array<SingleWindow<QWidget>, kSideWindowCount> windows_;
    SingleWindow<MoonMapWindow> moonMap_;
};

} // namespace vkt
