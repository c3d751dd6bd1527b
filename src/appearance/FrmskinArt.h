#pragma once

#include <QPixmap>
#include <QSize>

// The theme-applied screen's artwork, drawn at run time: the title strip and the sentence
// over a see-through ground (the theme's background shows around them), and the confirm
// button in its normal and highlighted states.
namespace FrmskinArt {
QPixmap background(const QSize& size);
QPixmap confirmButton(const QSize& size, bool highlighted);
} // namespace FrmskinArt
