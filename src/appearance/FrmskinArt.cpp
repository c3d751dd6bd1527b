#include "appearance/FrmskinArt.h"

#include "ui/Fonts.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace FrmskinArt {

namespace {

QPixmap transparentCanvas(const QSize& size)
{
    const qreal ratio = qGuiApp->devicePixelRatio();
    QPixmap pixmap(size * ratio);
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void drawTitleStrip(QPainter& painter, const QRectF& strip)
{
    QLinearGradient ground(strip.topLeft(), strip.bottomLeft());
    ground.setColorAt(0, QColor(40, 74, 122));
    ground.setColorAt(1, QColor(20, 42, 78));
    painter.fillRect(strip, ground);
    painter.setPen(QPen(QColor(255, 255, 255, 90), 1));
    painter.drawLine(strip.bottomLeft(), strip.bottomRight());

    // A small palette at the strip's far end: the theme change in one picture.
    const QList<QColor> swatches{QColor(231, 76, 60), QColor(241, 196, 15), QColor(46, 204, 113),
                                 QColor(52, 152, 219)};
    const qreal radius = strip.height() / 6;
    for (qsizetype i = 0; i < swatches.size(); ++i) {
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(swatches[i]);
        painter.drawEllipse(QPointF(strip.left() + 14 + i * (2.4 * radius), strip.center().y()),
                            radius, radius);
    }
    painter.setPen(Qt::white);
    painter.setFont(Fonts::titr(13));
    painter.drawText(strip, Qt::AlignCenter, QStringLiteral("تعويض تم برنامه"));
}

void drawSentenceCard(QPainter& painter, const QRectF& card)
{
    painter.setPen(QPen(QColor(20, 42, 78, 160), 1.5));
    painter.setBrush(QColor(255, 255, 255, 232));
    painter.drawRoundedRect(card, 10, 10);
    painter.setPen(QColor(22, 30, 46));
    painter.setFont(Fonts::nazanin(13));
    painter.drawText(card, Qt::AlignCenter | Qt::TextWordWrap,
                     QStringLiteral("تغييرات با موفقيت به پايان رسيد؟"));
}

void drawCheckMark(QPainter& painter, const QPointF& centre, qreal radius, const QColor& disc,
                   const QColor& tick)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(centre, radius, radius);
    QPainterPath mark;
    mark.moveTo(centre + QPointF(-0.5 * radius, 0.05 * radius));
    mark.lineTo(centre + QPointF(-0.1 * radius, 0.45 * radius));
    mark.lineTo(centre + QPointF(0.55 * radius, -0.4 * radius));
    painter.setPen(QPen(tick, radius / 3.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(mark);
}

} // namespace

QPixmap background(const QSize& size)
{
    QPixmap pixmap = transparentCanvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal stripHeight = size.height() * 0.18;
    drawTitleStrip(painter, QRectF(0, 0, size.width(), stripHeight));
    drawSentenceCard(painter, QRectF(size.width() * 0.05, size.height() * 0.3, size.width() * 0.9,
                                     size.height() * 0.34));
    return pixmap;
}

QPixmap confirmButton(const QSize& size, bool highlighted)
{
    QPixmap pixmap = transparentCanvas(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF body = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(1, 1, -1, -1);
    QLinearGradient ground(body.topLeft(), body.bottomLeft());
    ground.setColorAt(0, highlighted ? QColor(120, 214, 120) : QColor(245, 248, 245));
    ground.setColorAt(1, highlighted ? QColor(42, 140, 58) : QColor(196, 214, 198));
    painter.setPen(QPen(highlighted ? QColor(22, 96, 34) : QColor(96, 128, 100), 1.5));
    painter.setBrush(ground);
    painter.drawRoundedRect(body, 8, 8);

    const qreal radius = body.height() * 0.32;
    const QPointF markCentre(body.right() - radius - 6, body.center().y());
    drawCheckMark(painter, markCentre, radius,
                  highlighted ? QColor(255, 255, 255) : QColor(46, 140, 62),
                  highlighted ? QColor(30, 120, 46) : QColor(255, 255, 255));
    painter.setPen(highlighted ? QColor(255, 255, 255) : QColor(24, 52, 28));
    painter.setFont(Fonts::nazanin(12));
    const QRectF words(body.left(), body.top(), markCentre.x() - radius - body.left(),
                       body.height());
    painter.drawText(words, Qt::AlignCenter, QStringLiteral("تأييد"));
    return pixmap;
}

} // namespace FrmskinArt
