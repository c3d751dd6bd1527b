#include "data/DataFailure.h"

#include <QApplication>
#include <QMessageBox>

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

void show(const QString& message)
{
    QMessageBox box(QMessageBox::Critical, QStringLiteral("خطا"), message, QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace DataFailure
