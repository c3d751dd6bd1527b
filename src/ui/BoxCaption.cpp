#include "ui/BoxCaption.h"

#include <QLabel>

QLabel* boxCaption(const QString& text, QWidget* parent, const QRect& place)
{
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setLayoutDirection(Qt::LeftToRight);
    label->setAlignment(Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignVCenter);
    label->setGeometry(place);
    return label;
}
