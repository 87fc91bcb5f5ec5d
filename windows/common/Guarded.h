#pragma once

#include <functional>

namespace vkt {

// The edge of every event handler: a failure nobody answered becomes an error box naming
// it, and the program goes on. Returns false when the handler failed.
bool guarded(const std::function<void()>& handler);

} // namespace vkt
