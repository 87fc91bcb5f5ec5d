#pragma once

class QPushButton;

namespace vkt {

// A caption wider than its button breaks at word boundaries onto more lines, as on the
// classic push button, instead of being cut at both ends. The button keeps its text.
void wrapCaption(QPushButton* button);

} // namespace vkt
