#include "MainWindow.h"
#include "Messages.h"
#include "TextFiles.h"
#include "WindowLook.h"

#include <QApplication>
#include <QTimer>

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
    // The start-up stress loop (scripts/start-stress) starts the real program over and over: with
    // VKT_CLOSE_WHEN_SHOWN set, the main window closes once it is shown, as a user's close would.
    if (qEnvironmentVariableIsSet("VKT_CLOSE_WHEN_SHOWN"))
        QTimer::singleShot(0, &window, [&window] {
            if (window.isVisible())
                window.close();
            else
                QCoreApplication::exit(1);
        });
    return app.exec();
}
