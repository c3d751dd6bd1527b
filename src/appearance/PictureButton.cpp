#include "appearance/PictureButton.h"

#include <QPainter>

PictureButton::PictureButton(const QPixmap& picture, QWidget* parent)
    : QAbstractButton(parent), picture_(picture)
{}

void PictureButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawPixmap(rect(), picture_);
}
