#include "MainWindowFixture.h"

#include "PhasePicture.h"
#include "TextFiles.h"
#include "WindowLook.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace vkt::testing {
namespace {

// One QApplication for the whole run, with the program's look, as the program has it.
class GuiEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "main_tests";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        applyProgramLook(*app);
    }
    void TearDown() override { app.reset(); }

private:
    std::unique_ptr<QApplication> app;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

void MainWindowTest::TearDown()
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

MainWindow& MainWindowTest::openWindow()
{
    window = std::make_unique<MainWindow>();
    window->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    return *window;
}

void MainWindowTest::click(const char* buttonName) const
{
    auto* button = window->findChild<QPushButton*>(QString::fromLatin1(buttonName));
    ASSERT_NE(button, nullptr) << buttonName;
    QTest::mouseClick(button, Qt::LeftButton);
}

void MainWindowTest::clickPicture1() const
{
    QTest::mouseClick(area().Picture1, Qt::LeftButton, {}, QPoint(5, 5));
}

QAction* MainWindowTest::action(const char* name) const
{
    return window->findChild<QAction*>(QString::fromLatin1(name));
}

void MainWindowTest::activateMain() const
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
}

void MainWindowTest::writePicture(const QString& name, QSize size, QColor colour, const char* format) const
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(path(name), format)) << name.toStdString();
}

void MainWindowTest::writeLines(const QString& name, const QStringList& lines) const
{
    writeBytes(name, crlfLines(lines));
}

QStringList MainWindowTest::messageTexts() const
{
    QStringList texts;
    for (const RecordedMessage& m : messages->messages)
        texts.append(m.text);
    return texts;
}

void MainWindowTest::expectOneMessage(const QString& text, MessageIcon icon) const
{
    ASSERT_EQ(messages->messages.size(), 1u) << messageTexts().join(u'|').toStdString();
    EXPECT_EQ(messages->messages[0].text, text);
    EXPECT_EQ(messages->messages[0].icon, icon);
}

QByteArray crlfLines(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines)
        text += line + QStringLiteral("\r\n");
    return encodeWindows1250(text);
}

} // namespace vkt::testing
