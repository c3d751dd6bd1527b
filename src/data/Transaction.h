#pragma once

#include "data/Database.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <functional>

class RecordSet;

// One user action's writes to one database file: all of them or none. Rolls back unless
// commit() succeeded. Record sets that committed rows inside a transaction that is then rolled
// back return to where they stood before: their rows are pending again, edits and all, so a
// second attempt writes them.
class Transaction
{
  public:
    explicit Transaction(Database::File file);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return active_; }
    bool commit();

    // Called by a record set before it writes its row.
    static void noteCommit(RecordSet* records);

  private:
    struct Undo
    {
        QPointer<RecordSet> records;
        std::function<void()> restore;
    };
    void rollBack();

    static QHash<Database::File, Transaction*>& current();

    Database::File file_;
    bool active_ = false;
    QList<Undo> undo_;
};
