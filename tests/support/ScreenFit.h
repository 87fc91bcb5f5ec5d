#pragma once

#include "tests/support/AccessibleTree.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <gtest/gtest.h>

namespace vkt::testing {

// A resizable window fits a 1366 × 768 screen at 100 %, 125 % and 150 % and a 1280 × 720 one at
// 100 %: fonts are fixed in logical pixels, so the logical layout is the same at every scale, and
// room is left for a title bar and a task bar. At its least size every control of every tab lies
// inside it, no smaller than it needs, and has a name a screen reader can say.
inline void expectFitsSmallScreens(QWidget* window, QTabWidget* tabs)
{
    constexpr int kFrameAndTaskBar = 52;  // logical pixels at 150 %: a title bar and a panel
    const QSize least = window->minimumSizeHint();
    const struct {
        int width, height;
        double scale;
    } screens[] = {{1366, 768, 1}, {1366, 768, 1.25}, {1366, 768, 1.5}, {1280, 720, 1}};
    for (const auto& s : screens) {
        EXPECT_LE(least.width() * s.scale, s.width) << s.scale;
        EXPECT_LE((least.height() + kFrameAndTaskBar) * s.scale, s.height) << s.scale;
    }
    window->resize(least);
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        QApplication::processEvents();
        for (QWidget* w : window->findChildren<QWidget*>()) {
            const bool control = qobject_cast<QAbstractButton*>(w) || qobject_cast<QLineEdit*>(w) ||
                                 qobject_cast<QComboBox*>(w) || qobject_cast<QAbstractSpinBox*>(w) ||
                                 qobject_cast<QAbstractItemView*>(w) || qobject_cast<QLabel*>(w);
            // The parts of a compound control (a date field's text, a table's header) are its own.
            const bool part = qobject_cast<QAbstractSpinBox*>(w->parentWidget()) ||
                              qobject_cast<QComboBox*>(w->parentWidget()) ||
                              qobject_cast<QAbstractItemView*>(w->parentWidget());
            if (!control || part || !w->isVisibleTo(window) || w->window() != window)
                continue;
            SCOPED_TRACE(w->objectName().toStdString() + " " + w->metaObject()->className());
            const QRect inWindow(w->mapTo(window, QPoint(0, 0)), w->size());
            EXPECT_TRUE(window->rect().contains(inWindow)) << tab;
            // A picture is drawn at any size from its least; a wrapped text needs its lines' height.
            const QSize needed = w->sizePolicy().horizontalPolicy() == QSizePolicy::Ignored
                                     ? w->minimumSize()
                                     : w->minimumSizeHint().expandedTo(w->minimumSize());
            EXPECT_GE(w->width(), needed.width()) << tab;
            EXPECT_GE(w->height(), w->hasHeightForWidth() ? w->heightForWidth(w->width()) : needed.height()) << tab;
        }
        EXPECT_EQ(unnamedControls(window), "") << tab;
    }
}

} // namespace vkt::testing
