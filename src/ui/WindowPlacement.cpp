#include "ui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace WindowPlacement {

void centre(QWidget* window, const QWidget* owner)
{
    if (!window)
        return;
    const QWidget* over = owner ? owner->window() : nullptr;
    if (over == window || (over && !over->isVisible()))
        over = nullptr;
    QScreen* screen = over ? over->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect available = screen->availableGeometry();
    const QRect target = over ? over->frameGeometry() : available;
    QRect placed(QPoint(), window->frameGeometry().size());
    placed.moveCenter(target.center());
    // Kept on the screen, its top-left corner first.
    placed.moveRight(std::min(placed.right(), available.right()));
    placed.moveBottom(std::min(placed.bottom(), available.bottom()));
    placed.moveLeft(std::max(placed.left(), available.left()));
    placed.moveTop(std::max(placed.top(), available.top()));
    window->move(placed.topLeft());
}

} // namespace WindowPlacement
