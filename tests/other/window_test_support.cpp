#include "window_test_support.h"

#include "WindowLook.h"

#include <QApplication>
#include <QLabel>
#include <memory>

namespace vkt::testing {
namespace {

// One QApplication for the whole run, with the program's look, as the program has it.
class GuiEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "other_tests";
        static char* argv[] = {name, nullptr};
        app = std::make_unique<QApplication>(argc, argv);
        applyProgramLook(*app);
    }
    void TearDown() override { app.reset(); }

private:
    std::unique_ptr<QApplication> app;
};
const auto* const guiEnvironment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

::testing::AssertionResult labelsUncovered(QWidget* window)
{
    const QImage whole = window->grab().toImage().convertToFormat(QImage::Format_RGB32);
    for (QLabel* label : window->findChildren<QLabel*>()) {
        // Every pixel of the label's own text must reach the window's picture unchanged.
        const QImage alone = label->grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRgb background = label->palette().color(QPalette::Window).rgb();
        const QPoint origin = label->geometry().topLeft();
        for (int y = 0; y < alone.height(); ++y)
            for (int x = 0; x < alone.width(); ++x)
                if (alone.pixel(x, y) != background && whole.pixel(origin + QPoint(x, y)) != alone.pixel(x, y))
                    return ::testing::AssertionFailure()
                           << label->objectName().toStdString() << " is covered at (" << x << ", " << y << ")";
    }
    return ::testing::AssertionSuccess();
}

} // namespace vkt::testing
