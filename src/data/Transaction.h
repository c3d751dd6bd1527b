#pragma once

#include "data/Database.h"

// One user action's writes to one database file: all of them or none. Rolls back unless
// commit() succeeded.
class Transaction
{
  public:
    explicit Transaction(Database::File file);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return active_; }
    bool commit();

  private:
    Database::File file_;
    bool active_ = false;
};
