#pragma once

#include "backup/CopyFileInBlocks.h"
#include "ui/Notice.h"

#include <QDateTime>
#include <QString>

// Puts a backup in place of the live subject database without ever losing the live one and
// without bringing in anything but rows: the backup (with its write-ahead log, if one lies
// beside it) is copied beside the live file, its rows are copied into a fresh file made with
// our own schema and checked; every connection is then released, the live file is kept as a
// dated safety copy in Back/, and one durable rename puts the fresh file in place. Anything
// refused leaves the live file as it was, and no staging file stays behind.
namespace SubjectRestore {

struct Outcome
{
    bool placed = false;
    QString problem; // Persian, for the operator; empty when placed or when the application ended
    QMessageBox::Icon icon = QMessageBox::Warning;
};

// The restore without any box.
Outcome place(const QString& backupPath, const QDateTime& now,
              const CopyProgress& progress = CopyProgress());

// The box titled "خطا" that tells the operator why the restore failed and that the live data
// is untouched; empty when there is nothing to tell (placed, or the application ended).
Notice::Message failure(const Outcome& outcome);

// Where the live file is kept before it is replaced: Back/ in the program folder.
QString safetyCopyPath(const QDateTime& now);

} // namespace SubjectRestore
