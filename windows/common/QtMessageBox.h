#pragma once

namespace vkt {

// Sends showMessage to a modal box captioned "VKT".
void installMessageBoxSink();

} // namespace vkt
