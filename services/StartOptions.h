#pragma once

#include <QString>
#include <QStringList>

namespace vkt {

enum class StartAction { OpenWindow, Help, Version, BadArguments };

struct StartOptions {
    StartAction action = StartAction::OpenWindow;
    QString dataFolder;  // --data; empty when not given
    // Hidden: choose the latest new moon of the list, press "OK" and "Most!", close the window;
    // messages go to standard error. How an installed program is checked without anyone to click.
    bool nowAndQuit = false;  // --most-and-quit
    QString error;  // Hungarian, for BadArguments
};

// The whole command line, the program's name first. Qt's own options (-platform, -style,
// -session …) are left to the application object.
StartOptions parseStartOptions(const QStringList& arguments);

QString startHelpText();
QString startVersionText();

// What --help, --version and a bad argument print, and the exit code; no window is opened.
// Help and version go to standard output, an error and the help to standard error (exit code 2).
int answerWithoutWindow(const StartOptions& options);

} // namespace vkt
