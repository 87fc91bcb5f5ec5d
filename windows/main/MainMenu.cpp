#include "windows/main/MainMenu.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace vkt {
namespace {

struct MoonMapItem {
    const char* name;
    const char* caption;
    QKeyCombination key;
    const char* file;
};

// "10. nap" and "11. nap" skip F10.
const MoonMapItem kMoonMapItems[] = {
    {"moonDay02Item", "  2. nap", Qt::Key_F2, "Lunar-day02s.gif"},
    {"moonDay03Item", "  3. nap", Qt::Key_F3, "Lunar-day03s.gif"},
    {"moonDay04Item", "  4. nap", Qt::Key_F4, "Lunar-day04s.gif"},
    {"moonDay05Item", "  5. nap", Qt::Key_F5, "Lunar-day05s.gif"},
    {"moonDay06Item", "  6. nap", Qt::Key_F6, "Lunar-day06s.gif"},
    {"moonDay07Item", "  7. nap", Qt::Key_F7, "Lunar-day07s.gif"},
    {"moonDay08Item", "  8. nap", Qt::Key_F8, "Lunar-day08s.gif"},
    {"moonDay09Item", "  9. nap", Qt::Key_F9, "Lunar-day09s.gif"},
    {"moonDay10Item", "10. nap", Qt::Key_F11, "Lunar-day10s.gif"},
    {"moonDay11Item", "11. nap", Qt::Key_F12, "Lunar-day11s.gif"},
};

struct WindowItem {
    const char* name;
    const char* caption;  // UTF-8
    QKeySequence key;
    SideWindow window;
};

QMenu* menu(QMenuBar* bar, const char* name, const char* caption)
{
    QMenu* m = bar->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromLatin1(name));
    return m;
}

QAction* item(QMenu* menu, const char* name, const char* caption, const QKeySequence& key = {})
{
    QAction* action = menu->addAction(QString::fromUtf8(caption));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(key);
    return action;
}

void addWindowItems(QMenu* menu, std::initializer_list<WindowItem> items, const MainMenuHandlers& handlers)
{
    for (const WindowItem& i : items) {
        QAction* action = item(menu, i.name, i.caption, i.key);
        const SideWindow which = i.window;
        QObject::connect(action, &QAction::triggered, menu, [open = handlers.openWindow, which] { open(which); });
    }
}

} // namespace

void createMainMenu(QMenuBar* bar, const MainMenuHandlers& handlers)
{
    QMenu* moonMaps = menu(bar, "moonMapsMenu", "&Hold - térképek");
    for (const MoonMapItem& i : kMoonMapItems) {
        QAction* action = item(moonMaps, i.name, i.caption, QKeySequence(i.key));
        const QString file = QString::fromLatin1(i.file);
        QObject::connect(action, &QAction::triggered, moonMaps, [show = handlers.showMoonMap, file] { show(file); });
    }

    QMenu* tools = menu(bar, "toolsMenu", "&Szerszámok");
    addWindowItems(tools,
                   {
                       {"notesItem", "Jegyzetek", QKeySequence(Qt::CTRL | Qt::Key_J), SideWindow::Notes},
                       {"observationLogItem", "Megfigyelési napló", {}, SideWindow::ObservationLog},
                       {"calendarItem", "&Naptár", QKeySequence(Qt::CTRL | Qt::Key_N), SideWindow::Calendar},
                       {"earlyCrescentsItem", "Korai Holdsarlók", {}, SideWindow::EarlyCrescents},
                       {"solarEclipsesItem", "Napfogyatkozások", {}, SideWindow::SolarEclipses},
                       {"lunarEclipsesItem", "Holdfogyatkozások", {}, SideWindow::LunarEclipses},
                       {"venusCrescentsItem", "Vénusz sarlók", {}, SideWindow::VenusCrescents},
                       {"calculationsItem", "Fok - Vonás calculator", {}, SideWindow::Calculations},
                       {"crescentVisibilityItem", "Holdsarló láthatósága", QKeySequence(Qt::CTRL | Qt::Key_H),
                        SideWindow::CrescentVisibility},
                       // Ctrl+E itself moves the cursor in a text field.
                       {"sightingsItem", "Holdsarló-észlelések", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E),
                        SideWindow::Sightings},
                   },
                   handlers);

    QMenu* help = menu(bar, "helpMenu", "H&elp");
    addWindowItems(help,
                   {
                       {"aboutItem", "Programról", {}, SideWindow::About},
                       {"descriptionItem", "Leírás", QKeySequence(Qt::CTRL | Qt::Key_L), SideWindow::Description},
                   },
                   handlers);
    item(help, "dashesItem", "------------");  // an ordinary item that does nothing
    QAction* quit = item(help, "quitItem", "Kilépés", QKeySequence(Qt::CTRL | Qt::Key_Q));
    QObject::connect(quit, &QAction::triggered, help, [close = handlers.closeMainWindow] { close(); });
}

} // namespace vkt
