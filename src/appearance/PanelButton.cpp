#include "appearance/PanelButton.h"

#include <QPushButton>

QPushButton* panelButton(QWidget* panel, const QString& name, const QString& caption,
                         const QRect& place)
{
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setGeometry(place);
    return button;
}
