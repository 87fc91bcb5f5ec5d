#pragma once

#include "windows/common/WindowLook.h"

#include <QPointer>
#include <QWidget>

namespace vkt {

// At most one instance of a side window: the first request builds and centres it, a later one
// brings it to the front unchanged, and once closed the next request builds it afresh.
template <class Window>
class SingleWindow {
public:
    template <class Create>
    Window* show(Create&& create)
    {
        if (window_) {
            window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
            window_->raise();
            window_->activateWindow();
            return window_;
        }
        Window* window = create();
        passColoursOn(window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        window_ = window;
        window->show();
        centreOnScreen(window);
        window->activateWindow();
        return window;
    }

    Window* get() const { return window_.data(); }

private:
    QPointer<Window> window_;
};

} // namespace vkt
