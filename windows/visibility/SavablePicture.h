#pragma once

#include <QImage>
#include <QString>

namespace vkt {

// A picture a panel offers to save, and the file name suggested for it.
struct SavablePicture {
    QImage image;
    QString suggestedName;
};

} // namespace vkt
