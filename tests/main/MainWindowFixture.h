#pragma once

#include "MainClientArea.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QColor>
#include <QSize>
#include <QStringList>
#include <memory>

class QAction;
class QPushButton;

namespace vkt::testing {

// A main window over a fresh data folder. The window is built by openWindow(), after the test
// has laid its files, because the new-moon list is read while the window loads.
class MainWindowTest : public DataFolderTest {
protected:
    void TearDown() override;

    MainWindow& openWindow();
    MainClientArea& area() const { return *window->clientArea(); }

    void click(const char* buttonName) const;
    void clickPicture1() const;
    QAction* action(const char* name) const;
    // Makes the main window the active one, so its shortcuts and focus chain work.
    void activateMain() const;

    // Qt reads pictures by their content, so a PNG under a .gif name stands for a GIF.
    void writePicture(const QString& name, QSize size, QColor colour = QColor(200, 200, 180),
                      const char* format = "PNG") const;
    void writeLines(const QString& name, const QStringList& lines) const;

    QStringList messageTexts() const;
    void expectOneMessage(const QString& text, MessageIcon icon) const;

    std::unique_ptr<MainWindow> window;
};

// UTF-8 lines as Windows-1250 bytes, each ended by CR LF.
QByteArray crlfLines(const QStringList& lines);

} // namespace vkt::testing
