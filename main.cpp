#include "MainWindow.h"
#include "Messages.h"
#include "TextFiles.h"
#include "WindowLook.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    vkt::applyProgramLook(app);
    if (const QString problem = vkt::codePageProblem(); !problem.isEmpty()) {
        vkt::showMessage(problem, vkt::MessageIcon::Error);  // every file would read as empty
        return 1;
    }
    vkt::MainWindow window;
    window.show();
    vkt::centreOnScreen(&window);
    return app.exec();
}
