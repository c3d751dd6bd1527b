#pragma once

#include <QPixmap>
#include <QString>

class QPainter;
class QRect;

// The exit prompt's pictures, drawn at run time: the background with its title strip and
// question, and the Confirm and Cancel buttons in their normal and highlighted states.
namespace ExitArtwork {

enum class Button
{
    Confirm,
    Cancel
};

QString titleText();
QString questionText();
QString caption(Button button);

void paintBackground(QPainter& painter, const QRect& area);
QPixmap button(Button button, bool highlighted);

} // namespace ExitArtwork
