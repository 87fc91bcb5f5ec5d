#pragma once

#include <QApplication>
#include <QWidget>
#include <stdexcept>

namespace vkt::testing {

// The named child; a missing one throws, naming it, rather than crash the run.
template <class T>
T* child(const QObject* parent, const QString& name)
{
    if (T* found = parent->findChild<T*>(name))
        return found;
    throw std::runtime_error(name.toStdString());
}

inline void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Whatever a test left open goes with it (side windows have no owner).
inline void closeAllWindows()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (!w->parentWidget())
            w->deleteLater();
    flushDeletes();
}

} // namespace vkt::testing
