#pragma once

#include <QWidget>

class QListView;

namespace vkt {

struct ListLook;

enum class ReferenceList { EarlyCrescents, SolarEclipses, VenusCrescents, LunarEclipses };

// Form5, Form7, Form9 and Form12: one list file of the data folder, line by line, read-only.
// The file is read once, when the window is built.
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
