#pragma once

#include "core/Crescent.h"
#include "tests/support/TestSupport.h"
#include "tests/support/Widgets.h"
#include "windows/common/DrawnText.h"
#include "windows/common/Twips.h"
#include "windows/main/MainClientArea.h"
#include "windows/main/MainWindow.h"
#include "windows/main/PhasePicture.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace vkt::testing {

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
        window.reset();
        closeAllWindows();
        DataFolderTest::TearDown();
    }

    // A new window over the new-moon list given in UTF-8 (written in Windows-1250); nullptr: none.
    void openWith(const char* newMoons)
    {
        if (newMoons)
            writeBytes("ujholdak.txt", cp1250(newMoons));
        window = std::make_unique<MainWindow>();
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    MainClientArea& area() const { return *window->clientArea(); }
    QAction* action(const char* name) const { return window->findChild<QAction*>(name); }
    void click(const char* button) const { QTest::mouseClick(window->findChild<QPushButton*>(button), Qt::LeftButton); }
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
            if (w->objectName() == QLatin1String(objectName) && w->isVisible())
                found.append(w);
        return found;
    }
    // Qt reads pictures by their content, so a PNG under a .gif or .jpg name stands for one.
    void writePicture(const QString& name, QSize size) const
    {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::darkGray);
        ASSERT_TRUE(image.save(path(name), "PNG"));
    }
    QSize phasePictureSize() const { return area().phasePicture->pixmap().size(); }
    // "left,top|text" for every drawn line, and for the lines the computation gives.
    QStringList drawn() const
    {
        QStringList out;
        for (const DrawnText::Line& l : area().resultArea->lines())
            out.append(QStringLiteral("%1,%2|%3").arg(l.leftTwips).arg(l.topTwips).arg(l.text));
        return out;
    }
    static QStringList computed(const std::vector<ResultLine>& lines)
    {
        QStringList out;
        for (const ResultLine& l : lines)
            out.append(QStringLiteral("%1,%2|%3").arg(l.x).arg(l.y).arg(l.text));
        return out;
    }

    // Exactly one message, with this icon and this text (or a text holding it when !whole); it is
    // then forgotten, so the next row of a table starts clean.
    void expectOneMessage(MessageIcon icon, const QString& text, bool whole = true) const
    {
        ASSERT_EQ(messages->messages.size(), 1u) << firstText();
        const RecordedMessage m = messages->messages[0];
        messages->messages.clear();
        EXPECT_EQ(m.icon, icon);
        EXPECT_TRUE(whole ? m.text == text : m.text.contains(text)) << m.text.toStdString();
    }
    void expectNoMessage() const { EXPECT_TRUE(messages->messages.empty()) << firstText(); }
    std::string firstText() const { return messages->messages.empty() ? "" : messages->messages[0].text.toStdString(); }

    std::unique_ptr<MainWindow> window;
};

} // namespace vkt::testing
