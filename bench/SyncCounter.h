#pragma once

#include <QtGlobal>

// Counts the sync calls SQLite makes on its files: a VFS that wraps the default one and is
// registered as the default in the benchmark process only. With a delay it also stands for a
// slow disk: each sync sleeps that long before it syncs.
namespace SyncCounter {

// Registers the counting VFS as the default; call before the first connection is opened.
bool install(int delayMs = 0);
// Sync calls on every SQLite file since the process started.
qint64 syncs();

} // namespace SyncCounter
