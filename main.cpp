#include "services/DataFolder.h"
#include "services/Messages.h"
#include "services/StartOptions.h"
#include "services/TextFiles.h"
#include "windows/common/WindowLook.h"
#include "windows/main/MainWindow.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // --help, --version and bad arguments are answered before any window system is touched.
    const vkt::StartOptions options = vkt::parseStartOptions(arguments);
    if (options.action != vkt::StartAction::OpenWindow)
        return vkt::answerWithoutWindow(options);

    QApplication app(argc, argv);
    vkt::applyProgramLook(app);
    if (options.nowAndQuit)
        vkt::setMessageSink(nullptr);
    if (const QString problem = vkt::codePageProblem(); !problem.isEmpty()) {
        vkt::showMessage(problem, vkt::MessageIcon::Error);  // every file would read as empty
        return 1;
    }
    if (const QString problem = vkt::startDataFolder(options.dataFolder); !problem.isEmpty())
        vkt::showMessage(problem, vkt::MessageIcon::Error);
    vkt::MainWindow window;
    window.show();
    vkt::centreOnScreen(&window);
    if (options.nowAndQuit)
        vkt::runNowAndQuit(window);
    return app.exec();
}
