#include "about/AboutArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>

namespace {

constexpr int sceneWidth = 562;
constexpr int sceneHeight = 478;
constexpr int barHeight = 34;

void paintSky(QPainter& painter)
{
    QLinearGradient sky(0, 0, 0, sceneHeight);
    sky.setColorAt(0, QColor(4, 8, 36));
    sky.setColorAt(0.6, QColor(10, 24, 78));
    sky.setColorAt(1, QColor(16, 38, 110));
    painter.fillRect(0, 0, sceneWidth, sceneHeight, sky);

    QRadialGradient glow(QPointF(sceneWidth * 0.3, sceneHeight * 0.45), sceneWidth * 0.45);
    glow.setColorAt(0, QColor(70, 90, 200, 90));
    glow.setColorAt(1, QColor(70, 90, 200, 0));
    painter.fillRect(0, 0, sceneWidth, sceneHeight, glow);
}

void paintStars(QPainter& painter)
{
    QRandomGenerator stars(1729); // the same sky at every opening
    painter.setPen(Qt::NoPen);
    for (int n = 0; n < 220; ++n) {
        const double x = stars.bounded(sceneWidth);
        const double y = barHeight + stars.bounded(sceneHeight - 2 * barHeight);
        const double radius = 0.4 + stars.bounded(1.2);
        painter.setBrush(QColor(255, 255, 240, 110 + stars.bounded(146)));
        painter.drawEllipse(QPointF(x, y), radius, radius);
    }
}

void paintBar(QPainter& painter, int top)
{
    QLinearGradient steel(0, top, 0, top + barHeight);
    steel.setColorAt(0, QColor(120, 140, 190));
    steel.setColorAt(0.5, QColor(40, 56, 110));
    steel.setColorAt(1, QColor(18, 26, 64));
    painter.fillRect(0, top, sceneWidth, barHeight, steel);
    painter.setPen(QColor(170, 190, 240));
    const int edge = top == 0 ? barHeight - 1 : top;
    painter.drawLine(0, edge, sceneWidth, edge);
}

} // namespace

namespace AboutArt {

QPixmap spaceScene()
{
    QPixmap scene(sceneWidth, sceneHeight);
    QPainter painter(&scene);
    painter.setRenderHint(QPainter::Antialiasing);
    paintSky(painter);
    paintStars(painter);
    paintBar(painter, 0);
    paintBar(painter, sceneHeight - barHeight);
    return scene;
}

QIcon exitPicture()
{
    QPixmap picture(20, 20);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 40, 20), 1.2));
    painter.setBrush(QColor(150, 90, 50));
    painter.drawRect(QRectF(8.5, 2.5, 9, 15)); // the door frame
    painter.setBrush(QColor(200, 140, 80));
    painter.drawPolygon(QPolygonF{{8.5, 2.5}, {13.5, 4.5}, {13.5, 19.5}, {8.5, 17.5}});
    QPainterPath arrow;
    arrow.moveTo(1, 10);
    arrow.lineTo(5, 6);
    arrow.lineTo(5, 8.5);
    arrow.lineTo(9, 8.5);
    arrow.lineTo(9, 11.5);
    arrow.lineTo(5, 11.5);
    arrow.lineTo(5, 14);
    arrow.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(20, 110, 30));
    painter.drawPath(arrow);
    return QIcon(picture);
}

} // namespace AboutArt
