#pragma once

#include <QWidget>

class QListView;

namespace vkt {

struct ListLook;

enum class ReferenceList { EarlyCrescents, SolarEclipses, VenusCrescents, LunarEclipses };

// The early crescents, the solar and the lunar eclipses and the Venus crescents: one list file of
// the data folder, line by line, read-only. The file is read once, when the window is built.
class ReferenceListWindow : public QWidget {
    Q_OBJECT
public:
    explicit ReferenceListWindow(ReferenceList which);

private:
    void createControls(const ListLook& look);
    void createHeadings();
    void loadList(const ListLook& look);

    QListView* list_ = nullptr;
};

} // namespace vkt
