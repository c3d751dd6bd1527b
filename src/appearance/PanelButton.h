#pragma once

#include <QRect>
#include <QString>

class QPushButton;
class QWidget;

// A button of a settings panel: designer name, caption and place in the panel.
QPushButton* panelButton(QWidget* panel, const QString& name, const QString& caption,
                         const QRect& place);
