#include "windows/main/MainWindow.h"

#include "services/Version.h"
#include "windows/common/Guarded.h"
#include "windows/common/WindowLook.h"
#include "windows/main/CrescentRuns.h"
#include "windows/main/MainClientArea.h"
#include "windows/main/MainMenu.h"
#include "windows/main/PhasePicture.h"
#include "windows/main/SavedTimesActions.h"

#include "services/Clock.h"
#include "services/DateTime.h"

#include <QComboBox>
#include <QLineEdit>
#include <QAbstractItemView>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace vkt {

// The caption writes version 1.4.6 as "v1.46a"; built from the project's version, so a new
// version cannot leave the old number in the title.
QString mainWindowTitle()
{
    return QStringLiteral("VKT  - Holdsarló kor és fázis számoló     -  v%1.%2%3a  (x86)   - Tarvo Edition")
        .arg(kVersionMajor)
        .arg(kVersionMinor)
        .arg(kVersionRevision);
}

MainWindow::MainWindow(QWidget* parent) : QMainWindow(parent), area_(new MainClientArea(this))
{
    setObjectName(QStringLiteral("mainWindow"));
    setWindowTitle(mainWindowTitle());
    setColours(this, colours::Face);  // the menu bar's, where the client area does not cover
    setCentralWidget(area_);
    createMenus();
    // The list's pop-up is a window of its own, outside the colours of this one.
    setColours(area_->newMoonList->view()->window(), colours::PaleYellow, colours::Black);
    connectControls();
    // The client area has a fixed size; the frame fits it and the menu bar.
    setFrame(this, Frame::Fixed, Minimise::On);
    passColoursOn(this);

    fillNewMoonList(*area_->newMoonList);
    sideWindows_.newMoonText = [this] { return area_->newMoonField->text(); };
    sideWindows_.observationText = [this] { return area_->observationField->text(); };
}

MainWindow::~MainWindow()
{
    // The field loses the focus as the window's children go, and says its editing is finished;
    // by then the side windows it would tell are gone.
    area_->newMoonField->disconnect(this);
}

void MainWindow::connectControls()
{
    MainClientArea& a = *area_;
    const auto onClick = [this](QPushButton* button, auto handler) {
        connect(button, &QPushButton::clicked, this, [handler] { guarded(handler); });
    };
    onClick(a.okButton, [&a] { confirmNewMoon(*a.newMoonList, *a.newMoonField); });
    onClick(a.restoreNewMoonButton, [&a] { restoreLastNewMoon(*a.newMoonField); });
    onClick(a.saveObservationButton, [&a] { saveObservation(*a.observationField); });
    onClick(a.lastObservationButton, [&a] { RunFromLastObservation(a); });
    onClick(a.nowButton, [&a] { RunFromNow(a); });
    // The crescent-visibility window follows the new moon once the user has finished editing it,
    // or at once when the program puts it in (OK, "Utolsó Újhold"): setText leaves it unmodified.
    const auto newMoonChanged = [this] { guarded([this] { sideWindows_.newMoonFieldChanged(area_->newMoonField->text()); }); };
    connect(a.newMoonField, &QLineEdit::editingFinished, this, newMoonChanged);
    connect(a.newMoonField, &QLineEdit::textChanged, this, [this, newMoonChanged] {
        if (!area_->newMoonField->isModified())
            newMoonChanged();
    });
    connect(a.phasePicture, &PhasePicture::clicked, this,
            [this] { guarded([this] { sideWindows_.showMoonMap(QStringLiteral("Lunar-map.jpg")); }); });
}

void MainWindow::createMenus()
{
    MainMenuHandlers handlers;
    handlers.showMoonMap = [this](const QString& file) { guarded([&] { sideWindows_.showMoonMap(file); }); };
    handlers.openWindow = [this](SideWindow which) { guarded([&] { sideWindows_.open(which); }); };
    handlers.closeMainWindow = [this] { close(); };
    createMainMenu(menuBar(), handlers);
}

void runNowAndQuit(MainWindow& window)
{
    // Queued, so the window is shown and the event loop runs before the clicks.
    QTimer::singleShot(0, &window, [&window] {
        MainClientArea& a = *window.clientArea();
        const DateTime now = currentDateTime();
        for (int i = 0; i < a.newMoonList->count(); ++i)
            if (const auto newMoon = toDateTime(a.newMoonList->itemText(i)); newMoon && *newMoon <= now)
                a.newMoonList->setCurrentIndex(i);
        a.okButton->click();
        a.nowButton->click();
        window.close();
    });
}

} // namespace vkt
