#pragma once

#include <QPoint>
#include <QRect>

namespace vkt {

// Positions and sizes are twips (1/1440 inch), made logical pixels at 96 dpi.
inline constexpr int kTwipsPerPixel = 15;

// To the nearest pixel.
constexpr int twips(int t)
{
    return (t + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

constexpr int pixelsAsTwips(int pixels)
{
    return pixels * kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twips(left), twips(top), twips(width), twips(height)};
}

inline QPoint twipsPoint(int left, int top)
{
    return {twips(left), twips(top)};
}

inline QSize twipsSize(int width, int height)
{
    return {twips(width), twips(height)};
}

} // namespace vkt
