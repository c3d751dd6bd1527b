#include "ui/TimedMessage.h"

#include "ui/Notice.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

namespace {

const QString noticeTitle = QStringLiteral("پيام");

// Closes the open notice, wherever it was shown from, as if OK had been pressed.
void MessageTimerProc()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        if (box && box->isVisible() && box->windowTitle() == noticeTitle) {
            if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                ok->click();
            return;
        }
    }
}

QTimer* messageTimerOf(QWidget* owner)
{
    QObject* holder = owner ? static_cast<QObject*>(owner) : qApp;
    const QString name = QStringLiteral("MessageTimer%1").arg(MessageTimerId);
    auto* timer = holder->findChild<QTimer*>(name, Qt::FindDirectChildrenOnly);
    if (!timer) {
        timer = new QTimer(holder);
        timer->setObjectName(name);
        timer->setSingleShot(true);
        timer->setTimerType(Qt::PreciseTimer);
        QObject::connect(timer, &QTimer::timeout, timer, &MessageTimerProc);
    }
    return timer;
}

} // namespace

void TimedMessage(QWidget* owner, const QString& text, int intervalMs)
{
    messageTimerOf(owner)->start(intervalMs);
    Notice::tell(owner, QMessageBox::NoIcon, noticeTitle, text);
}
