#include "backup/ExitArtwork.h"

#include "ui/Fonts.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace ExitArtwork {

namespace {

constexpr int TitleStripHeight = 30;
const QSize buttonSize(96, 35);

void drawCheckMark(QPainter& painter, const QRectF& box)
{
    QPainterPath mark;
    mark.moveTo(box.left() + box.width() * 0.15, box.top() + box.height() * 0.55);
    mark.lineTo(box.left() + box.width() * 0.42, box.top() + box.height() * 0.82);
    mark.lineTo(box.left() + box.width() * 0.88, box.top() + box.height() * 0.2);
    painter.setPen(QPen(QColor(30, 140, 50), 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(mark);
}

void drawNoEntry(QPainter& painter, const QRectF& box)
{
    painter.setPen(QPen(QColor(140, 20, 20), 1));
    painter.setBrush(QColor(210, 40, 40));
    painter.drawEllipse(box);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    const QRectF bar(box.left() + box.width() * 0.2, box.center().y() - box.height() * 0.1,
                     box.width() * 0.6, box.height() * 0.2);
    painter.drawRect(bar);
}

} // namespace

QString titleText()
{
    return QStringLiteral("خروج از برنامه");
}

QString questionText()
{
    return QStringLiteral("آيا براي خروج از برنامه مطمئن هستيد؟");
}

QString caption(Button button)
{
    return button == Button::Confirm ? QStringLiteral("تأييد") : QStringLiteral("انصراف");
}

void paintBackground(QPainter& painter, const QRect& area)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(area.topLeft(), area.bottomLeft());
    body.setColorAt(0, QColor(236, 244, 250));
    body.setColorAt(1, QColor(196, 214, 232));
    painter.fillRect(area, body);

    const QRect strip(area.left(), area.top(), area.width(), TitleStripHeight);
    QLinearGradient band(strip.topLeft(), strip.bottomLeft());
    band.setColorAt(0, QColor(48, 82, 140));
    band.setColorAt(1, QColor(24, 48, 96));
    painter.fillRect(strip, band);
    painter.setPen(Qt::white);
    painter.setFont(Fonts::titr(12));
    painter.drawText(strip.adjusted(8, 0, -8, 0), Qt::AlignCenter, titleText());

    const QRect question(area.left() + 10, strip.bottom() + 20, area.width() - 20, 48);
    painter.setPen(QColor(40, 40, 70));
    painter.setFont(Fonts::nazanin(13));
    painter.drawText(question, Qt::AlignCenter | Qt::TextWordWrap, questionText());
    painter.restore();
}

QPixmap button(Button button, bool highlighted)
{
    QPixmap picture(buttonSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(QPointF(0, 0), buttonSize).adjusted(1, 1, -1, -1);
    QLinearGradient shade(face.topLeft(), face.bottomLeft());
    shade.setColorAt(0, highlighted ? QColor(255, 246, 200) : QColor(250, 250, 250));
    shade.setColorAt(1, highlighted ? QColor(250, 200, 90) : QColor(200, 206, 214));
    painter.setPen(
        QPen(highlighted ? QColor(180, 110, 20) : QColor(120, 128, 140), highlighted ? 2 : 1));
    painter.setBrush(shade);
    painter.drawRoundedRect(face, 7, 7);

    const QRectF sign(face.right() - 30, face.center().y() - 11, 22, 22);
    if (button == Button::Confirm)
        drawCheckMark(painter, sign);
    else
        drawNoEntry(painter, sign);

    painter.setPen(highlighted ? QColor(90, 40, 0) : QColor(30, 30, 40));
    painter.setFont(Fonts::nazanin(12));
    painter.drawText(QRectF(face.left() + 4, face.top(), face.width() - 38, face.height()),
                     Qt::AlignCenter, caption(button));
    return picture;
}

} // namespace ExitArtwork
