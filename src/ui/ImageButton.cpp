#include "ui/ImageButton.h"

#include <QMouseEvent>
#include <QPainter>

ImageButton::ImageButton(const QPixmap& picture, QWidget* parent)
    : QAbstractButton(parent), picture_(picture)
{
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::NoFocus);
}

void ImageButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(rect(), picture_);
}

void ImageButton::mouseMoveEvent(QMouseEvent* event)
{
    QAbstractButton::mouseMoveEvent(event);
    emit pointerMoved();
    event->accept();
}
