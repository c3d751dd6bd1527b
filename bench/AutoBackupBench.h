#pragma once

#include "Measure.h"

// The day's automatic snapshot at start (consistent copy, integrity check, durable rename,
// retention) of the working folder's DBM/DB2.mdb, made afresh each repetition.
void measureAutoBackup(QList<Series>& series);
