#include "appearance/PanelButton.h"

#include <QPushButton>

QPushButton* panelButton(QWidget* panel, const QString& name, const QString& caption,
                         const QRect& place, std::function<void()> onClick)
{
    auto* button = new QPushButton(caption, panel);
    button->setObjectName(name);
    button->setGeometry(place);
    QObject::connect(button, &QAbstractButton::clicked, panel, std::move(onClick));
    return button;
}
