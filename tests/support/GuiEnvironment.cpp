#include "windows/common/WindowLook.h"

#include <QApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Real widgets need one application object for the whole run; the program's look is applied
// once, before any fixture swaps the message box for its recorder.
class GuiEnvironment final : public ::testing::Environment {
public:
    void SetUp() override
    {
        app_ = std::make_unique<QApplication>(argc_, argv_);
        vkt::applyProgramLook(*app_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[10] = "vkt_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const environment = ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
