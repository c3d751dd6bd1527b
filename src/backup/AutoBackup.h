#pragma once

#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>

#include <functional>

// The daily snapshot of the subject database, made at the first start of each day into
// Back/auto/ of the program folder. A snapshot is SQLite's own consistent copy of the live file
// (never a raw copy), checked for integrity before it is put in place durably, owner-only,
// under a name that sorts by date and carries the Solar Hijri date:
//     auto-2026-12-10 (1405.9.19).mdbB
// The last 7 snapshots are kept, and the newest of each of the 4 latest ISO weeks that have
// one; older ones are deleted. A snapshot cut short (a kill, a power cut) leaves only a
// temporary name, removed at the next start.
namespace AutoBackup {

// Back/auto, relative to the program folder.
QString folder();
// The file name of the snapshot taken on the given day.
QString fileName(const QDate& day);
// The day a snapshot's file name was taken on; invalid for any other name.
QDate dayOf(const QString& fileName);

// Which of the days that have snapshots are kept.
QList<QDate> daysToKeep(QList<QDate> days);

// Runs at start: removes leftover temporaries, makes today's snapshot when there is none yet
// and deletes the snapshots that are no longer kept. Returns the Persian description of a
// failure, or the empty text; a failure never leaves a partial file behind.
QString runAtStart(const QDateTime& now = QDateTime::currentDateTime());

// The same on a thread of its own, so that the main window does not wait for the snapshot
// (its read of the live file is one consistent transaction however long it takes). told is
// called on the calling thread with the Persian description of a failure. The application
// waits for the thread before it ends.
void runInBackground(const std::function<void(const QString&)>& told);

} // namespace AutoBackup
