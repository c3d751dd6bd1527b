#pragma once

#include <QIcon>
#include <QPixmap>

// The About screen's pictures, drawn at run time: the space scene behind the lines and the
// small picture on the Exit button.
namespace AboutArt {
// A dark blue starry sky of 562 x 478 pixels framed by a bar at the top and one at the foot.
QPixmap spaceScene();
// An open door with an arrow leading out of it.
QIcon exitPicture();
} // namespace AboutArt
