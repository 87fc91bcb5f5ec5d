#include "MainWindow.h"
#include "WindowLook.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vkt::applyProgramLook(app);
    vkt::MainWindow window;
    window.show();
    vkt::centreOnScreen(&window);
    return app.exec();
}
