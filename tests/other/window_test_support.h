#pragma once

#include <QWidget>
#include <gtest/gtest.h>

namespace vkt::testing {

// Runs the deletions that WA_DeleteOnClose queued, so a closed window is really gone.
void flushDeletes();

// Every label's text appears in the window's picture as the label paints it on its own: no
// sibling covers any part of it.
::testing::AssertionResult labelsUncovered(QWidget* window);

} // namespace vkt::testing
