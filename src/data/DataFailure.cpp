#include "data/DataFailure.h"

#include <QDebug>

#include <utility>

namespace DataFailure {

namespace {
Collector* activeCollector = nullptr;
Handler handler;
} // namespace

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

void setHandler(Handler shower)
{
    handler = std::move(shower);
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
    if (!handler) {
        qWarning().noquote() << text;
        return;
    }
    // While the failure is being shown, failures elsewhere (a timer, another screen) are
    // shown, not noted into a collector of the interrupted action that would never tell them.
    Collector* interrupted = activeCollector;
    activeCollector = nullptr;
    handler(text);
    activeCollector = interrupted;
}

} // namespace DataFailure
