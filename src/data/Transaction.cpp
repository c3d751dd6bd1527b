#include "data/Transaction.h"

#include "data/DataFailure.h"

#include <QSqlError>

Transaction::Transaction(Database::File file) : file_(file)
{
    QSqlDatabase db = Database::connection(file_);
    active_ = db.isOpen() && db.transaction();
    if (!active_)
        DataFailure::report(db.isOpen() ? db.lastError().text() : Database::lastError(file_));
}

Transaction::~Transaction()
{
    if (active_)
        Database::connection(file_).rollback();
}

bool Transaction::commit()
{
    if (!active_)
        return false;
    QSqlDatabase db = Database::connection(file_);
    active_ = false;
    if (db.commit())
        return true;
    const QString error = db.lastError().text();
    db.rollback();
    DataFailure::report(QStringLiteral("ذخیره اطلاعات در «%1» انجام نشد و هیچ تغییری ثبت نشد.\n%2")
                            .arg(Database::relativePath(file_), error));
    return false;
}
