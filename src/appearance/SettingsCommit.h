#pragma once

#include "data/DataFailure.h"

#include <QString>

class RecordSet;

// One handler's write of the main window's settings row. Alive over the whole handler, it
// collects the failures of the record set's reads and writes, so that a row that was not
// stored is told to the user once, in Persian, and never passes for a stored one.
class SettingsCommit
{
  public:
    explicit SettingsCommit(RecordSet& settings);

    // Commits the current row. On failure shows "headline" with the reason and returns false.
    bool commit(const QString& headline);

  private:
    QString failureReason() const;

    RecordSet& settings_;
    DataFailure::Collector failures_;
};
