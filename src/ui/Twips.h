#pragma once

#include <QPoint>
#include <QRect>

// Form positions and sizes are kept in twips, as designed: 15 twips make one pixel at 96 dpi;
// Qt's high-dpi scaling does the rest.
constexpr int twips(int value)
{
    return (value + 7) / 15;
}

constexpr QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(twips(left), twips(top), twips(width), twips(height));
}

constexpr QPoint twipsPoint(int left, int top)
{
    return QPoint(twips(left), twips(top));
}
