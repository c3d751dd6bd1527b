#include "ui/ModalRun.h"

#include "ui/WindowPlacement.h"

#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace {

class CloseWatcher : public QObject
{
  public:
    explicit CloseWatcher(QEventLoop& loop) : loop_(loop) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Hide && !static_cast<QWidget*>(watched)->isVisible())
            loop_.quit();
        return false;
    }

  private:
    QEventLoop& loop_;
};

} // namespace

void runModal(QWidget* screen)
{
    if (!screen)
        return;
    QPointer<QWidget> guard(screen);
    QEventLoop loop;
    CloseWatcher watcher(loop);
    screen->installEventFilter(&watcher);
    QObject::connect(screen, &QObject::destroyed, &loop, &QEventLoop::quit);
    screen->setWindowModality(Qt::ApplicationModal);
    // A screen with a designed place of its own keeps it; the others open over their owner.
    if (!screen->testAttribute(Qt::WA_Moved))
        WindowPlacement::centre(screen, screen->parentWidget());
    screen->show();
    if (screen->isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (guard)
        guard->removeEventFilter(&watcher);
}
