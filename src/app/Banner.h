#pragma once

#include <QPixmap>
#include <QSize>

// The main window's banner, drawn at run time.
namespace Banner {
QPixmap picture(const QSize& size);
}
