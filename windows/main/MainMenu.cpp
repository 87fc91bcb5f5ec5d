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
    {"hold02", "  2. nap", Qt::Key_F2, "Lunar-day02s.gif"},
    {"hold03", "  3. nap", Qt::Key_F3, "Lunar-day03s.gif"},
    {"hold04", "  4. nap", Qt::Key_F4, "Lunar-day04s.gif"},
    {"hold05", "  5. nap", Qt::Key_F5, "Lunar-day05s.gif"},
    {"hold06", "  6. nap", Qt::Key_F6, "Lunar-day06s.gif"},
    {"hold07", "  7. nap", Qt::Key_F7, "Lunar-day07s.gif"},
    {"hold08", "  8. nap", Qt::Key_F8, "Lunar-day08s.gif"},
    {"hold09", "  9. nap", Qt::Key_F9, "Lunar-day09s.gif"},
    {"hold10", "10. nap", Qt::Key_F11, "Lunar-day10s.gif"},
    {"hold11", "11. nap", Qt::Key_F12, "Lunar-day11s.gif"},
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
    QMenu* holdmap = menu(bar, "holdmap", "&Hold - térképek");
    for (const MoonMapItem& i : kMoonMapItems) {
        QAction* action = item(holdmap, i.name, i.caption, QKeySequence(i.key));
        const QString file = QString::fromLatin1(i.file);
        QObject::connect(action, &QAction::triggered, holdmap, [show = handlers.showMoonMap, file] { show(file); });
    }

    QMenu* szamit = menu(bar, "szamit", "&Szerszámok");
    addWindowItems(szamit,
                   {
                       {"jegyzetek", "Jegyzetek", QKeySequence(Qt::CTRL | Qt::Key_J), SideWindow::Notes},
                       {"naplo", "Megfigyelési napló", {}, SideWindow::ObservationLog},
                       {"naptar1", "&Naptár", QKeySequence(Qt::CTRL | Qt::Key_N), SideWindow::Calendar},
                       {"holdsarlolista", "Korai Holdsarlók", {}, SideWindow::EarlyCrescents},
                       {"jelensegnaptar", "Napfogyatkozások", {}, SideWindow::SolarEclipses},
                       {"holdfogyi", "Holdfogyatkozások", {}, SideWindow::LunarEclipses},
                       {"venusz", "Vénusz sarlók", {}, SideWindow::VenusCrescents},
                       {"vonas", "Fok - Vonás calculator", {}, SideWindow::Calculations},
                       {"lathatosag", "Holdsarló láthatósága", QKeySequence(Qt::CTRL | Qt::Key_H),
                        SideWindow::CrescentVisibility},
                   },
                   handlers);

    QMenu* prg = menu(bar, "prg", "H&elp");
    addWindowItems(prg,
                   {
                       {"prog", "Programról", {}, SideWindow::About},
                       {"leir", "Leírás", QKeySequence(Qt::CTRL | Qt::Key_L), SideWindow::Description},
                   },
                   handlers);
    item(prg, "help1", "------------");  // an ordinary item that does nothing
    QAction* kilep = item(prg, "kilep", "Kilépés", QKeySequence(Qt::CTRL | Qt::Key_Q));
    QObject::connect(kilep, &QAction::triggered, prg, [close = handlers.closeMainWindow] { close(); });
}

} // namespace vkt
