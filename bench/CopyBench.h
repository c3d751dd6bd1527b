#pragma once

#include "Measure.h"

#include <QtGlobal>

// The backup copy of the subject database beside a plain copy of the same file.
struct CopyFigures
{
    qint64 bytes = 0;
    double blocksMbPerS = 0.0;
    double plainMbPerS = 0.0;
    double barMbPerS = 0.0;    // the backup copy with its progress bar
    double syncedMbPerS = 0.0; // a plain copy forced to the disk, as the backup is
};

// Copies the working folder's DBM/DB2.mdb with CopyFileInBlocks and with a plain file copy,
// alternately, and adds both timings to series.
CopyFigures measureCopies(QList<Series>& series);

// The disk's flush latency: a 4 KiB write forced to the disk, as every commit of the databases
// does several times. It explains the figures of the actions that write.
void measureDiskFlush(QList<Series>& series);
