#pragma once

#include "MainClientArea.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace vkt::testing {

inline const QColor kPictureGrey(0x60, 0x60, 0x60);

// A main window over a fresh data folder, opened on an empty new-moon list.
class MainWindowTest : public DataFolderTest {
protected:
    void SetUp() override
    {
        DataFolderTest::SetUp();
        openWith("");
    }

    void TearDown() override
    {
        // Side windows have no owner: whatever a test left open goes with it.
        QList<QPointer<QWidget>> left;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (!w->parentWidget() && w != window.get())
                left.append(w);
        for (const QPointer<QWidget>& w : left)
            delete w.data();  // a window may take others with it: those are null by now
        window.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        DataFolderTest::TearDown();
    }

    // A new window over the new-moon list given in UTF-8 (written in Windows-1250); nullptr: none.
    void openWith(const char* ujholdak)
    {
        window.reset();
        if (ujholdak)
            writeBytes(QStringLiteral("ujholdak.txt"), cp1250(ujholdak));
        window = std::make_unique<MainWindow>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    MainClientArea& area() const { return *window->clientArea(); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(QString::fromLatin1(name)); }
    void click(const char* button) const
    {
        QTest::mouseClick(window->findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
    }
    // In the main window, made the active one first so its shortcuts work.
    void press(QKeyCombination key) const
    {
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
        QTest::keyClick(window.get(), key.key(), key.keyboardModifiers());
    }
    QList<QWidget*> shownWindows(const char* objectName) const
    {
        QList<QWidget*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == QString::fromLatin1(objectName) && w->isVisible())
                found.append(w);
        return found;
    }
    // Qt reads pictures by their content, so a PNG under a .gif or .jpg name stands for one.
    void writePicture(const QString& name, QSize size) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(kPictureGrey);
        ASSERT_TRUE(image.save(path(name), "PNG")) << name.toStdString();
    }

    // Exactly one message, with this icon and this text (or a text holding it when !whole); it is
    // then forgotten, so the next row of a table starts clean.
    void expectOneMessage(MessageIcon icon, const QString& text, bool whole = true) const
    {
        ASSERT_EQ(messages->messages.size(), 1u) << firstMessage();
        const RecordedMessage& m = messages->messages[0];
        EXPECT_EQ(m.icon, icon);
        EXPECT_TRUE(whole ? m.text == text : m.text.contains(text)) << m.text.toStdString();
        messages->messages.clear();
    }
    void expectNoMessage() const { EXPECT_TRUE(messages->messages.empty()) << firstMessage(); }
    std::string firstMessage() const
    {
        return messages->messages.empty() ? std::string() : messages->messages[0].text.toStdString();
    }

    std::unique_ptr<MainWindow> window;
};

} // namespace vkt::testing
