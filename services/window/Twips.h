#pragma once

#include <QPoint>
#include <QRect>

namespace vkt {

// The design gives every position in twips; 15 twips make one logical pixel.
constexpr int twips(int t)
{
    return (t + 7) / 15;
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
