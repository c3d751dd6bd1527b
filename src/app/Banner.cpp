#include "app/Banner.h"

#include "ui/Fonts.h"

#include <QLinearGradient>
#include <QPainter>

namespace Banner {

QPixmap picture(const QSize& size)
{
    QPixmap pixmap(size);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, size.width(), 0);
    gradient.setColorAt(0, QColor(18, 52, 96));
    gradient.setColorAt(1, QColor(44, 126, 160));
    painter.fillRect(pixmap.rect(), gradient);
    painter.setPen(QColor(255, 255, 255, 60));
    for (int x = -size.height(); x < size.width(); x += 14)
        painter.drawLine(x, size.height(), x + size.height(), 0);
    painter.setPen(Qt::white);
    painter.setFont(Fonts::titr(14));
    const QRect left = pixmap.rect().adjusted(12, 0, -pixmap.width() / 2, 0);
    painter.drawText(left, Qt::AlignVCenter | Qt::AlignLeft | Qt::AlignAbsolute,
                     QStringLiteral("Senvora"));
    painter.setFont(Fonts::nazanin(11));
    const QRect right = pixmap.rect().adjusted(pixmap.width() / 3, 0, -12, 0);
    painter.drawText(right, Qt::AlignVCenter | Qt::AlignRight | Qt::AlignAbsolute,
                     QStringLiteral("سنجش افسردگی سالمندان — ورود به وبگاه"));
    return pixmap;
}

} // namespace Banner
