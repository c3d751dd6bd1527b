#pragma once

#include "backup/CopyFileInBlocks.h"

#include <QDateTime>
#include <QString>

class QWidget;

// Puts a backup in place of the live subject database without ever losing the live one: the
// backup is first copied beside the live file and checked to be a sound subject database;
// every connection is then released, the live file is kept as a dated safety copy in Back/,
// and one rename swaps the checked copy in. Anything refused leaves the live file as it was.
namespace SubjectRestore {

// True when the backup is in place. Every failure has been told to the operator.
bool restore(QWidget* owner, const QString& backupPath, const QDateTime& now,
             const CopyProgress& progress = CopyProgress());

// Where the live file is kept before it is replaced: Back/ in the program folder.
QString safetyCopyPath(const QDateTime& now);

// The Persian reason why the file is not a sound subject database, or the empty text.
QString problemWith(const QString& path);

} // namespace SubjectRestore
