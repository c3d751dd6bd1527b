#pragma once

#include <QRect>
#include <QString>

#include <functional>

class QPushButton;
class QWidget;

// A button of a settings panel: designer name, caption, place in the panel and what its
// click does.
QPushButton* panelButton(QWidget* panel, const QString& name, const QString& caption,
                         const QRect& place, std::function<void()> onClick);
