#include "data/Transaction.h"

#include "data/DataFailure.h"
#include "data/RecordSet.h"

#include <QSqlError>

QHash<Database::File, Transaction*>& Transaction::current()
{
    static QHash<Database::File, Transaction*> open;
    return open;
}

Transaction::Transaction(Database::File file) : file_(file)
{
    QSqlDatabase db = Database::connection(file_);
    active_ = db.isOpen() && db.transaction();
    if (!active_) {
        Database::noteFailure(file_, db.lastError());
        DataFailure::report(db.isOpen() ? db.lastError().text() : Database::lastError(file_));
        return;
    }
    current().insert(file_, this);
}

Transaction::~Transaction()
{
    if (active_) {
        Database::connection(file_).rollback();
        rollBack();
    }
    if (current().value(file_) == this)
        current().remove(file_);
}

void Transaction::noteCommit(RecordSet* records)
{
    Transaction* open = current().value(records->file());
    if (!open || !open->active_)
        return;
    for (const Undo& undo : std::as_const(open->undo_)) {
        if (undo.records == records)
            return; // the first state is the one to go back to
    }
    open->undo_.append({records, records->commitState()});
}

void Transaction::rollBack()
{
    active_ = false;
    for (auto it = undo_.crbegin(); it != undo_.crend(); ++it) {
        if (it->records)
            it->restore();
    }
    undo_.clear();
}

bool Transaction::commit()
{
    if (!active_)
        return false;
    QSqlDatabase db = Database::connection(file_);
    if (db.commit()) {
        active_ = false;
        undo_.clear();
        return true;
    }
    const QString error = db.lastError().text();
    Database::noteFailure(file_, db.lastError());
    db.rollback();
    rollBack();
    DataFailure::report(QStringLiteral("ذخیره اطلاعات در «%1» انجام نشد و هیچ تغییری ثبت نشد.\n%2")
                            .arg(Database::shownName(file_), error));
    return false;
}
