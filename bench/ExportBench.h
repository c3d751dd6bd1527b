#pragma once

#include "Measure.h"

// The exports of every administration of the working folder's subject file to CSV, Excel and
// SPSS, each written afresh into a temporary folder.
void measureExports(QList<Series>& series);
