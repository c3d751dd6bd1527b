#include "data/DataFailure.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>

namespace DataFailure {

namespace {
Collector* activeCollector = nullptr;
}

Collector::Collector() : outer_(activeCollector)
{
    activeCollector = this;
}

Collector::~Collector()
{
    activeCollector = outer_;
}

void Collector::note(const QString& message)
{
    if (message_.isEmpty())
        message_ = message;
}

void report(const QString& message)
{
    if (activeCollector)
        activeCollector->note(message);
    else
        show(message);
}

bool isBusy(const QString& detail)
{
    return detail.contains(QLatin1String("database is locked")) ||
           detail.contains(QLatin1String("database table is locked")) ||
           detail.contains(QLatin1String("database schema is locked"));
}

void show(const QString& message)
{
    QString text = message;
    if (isBusy(message))
        text += QStringLiteral(
            "\nپایگاه داده را برنامه دیگری در دست دارد و در چند ثانیه آزاد نشد. "
            "چیزی نیمه‌کاره ذخیره نشده است؛ پس از بستن آن برنامه دوباره "
            "تلاش کنید.");
    // While the box waits, failures elsewhere (a timer, another screen) are shown, not
    // noted into a collector of the interrupted action that would never tell them.
    Collector* interrupted = activeCollector;
    activeCollector = nullptr;
    // The box may outlive the window it is shown over (a window closed meanwhile takes its
    // children with it): it is held by a guard, never owned by this frame.
    QPointer<QMessageBox> box = new QMessageBox(QMessageBox::Critical, QStringLiteral("خطا"), text,
                                                QMessageBox::Ok, QApplication::activeWindow());
    box->exec();
    delete box.data();
    activeCollector = interrupted;
}

} // namespace DataFailure
