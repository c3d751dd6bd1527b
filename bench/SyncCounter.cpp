#include "SyncCounter.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

namespace SyncCounter {

namespace {

std::atomic<qint64> syncCount{0};
int syncDelayMs = 0;
sqlite3_vfs* inner = nullptr;
sqlite3_vfs counting;

// Our file: the inner VFS's file follows it in the same allocation.
struct CountingFile
{
    sqlite3_file base;
    sqlite3_file* real;
};

sqlite3_file* realOf(sqlite3_file* file)
{
    return reinterpret_cast<CountingFile*>(file)->real;
}

int closeFile(sqlite3_file* f)
{
    return realOf(f)->pMethods->xClose(realOf(f));
}
int readFile(sqlite3_file* f, void* buffer, int amount, sqlite3_int64 offset)
{
    return realOf(f)->pMethods->xRead(realOf(f), buffer, amount, offset);
}
int writeFile(sqlite3_file* f, const void* buffer, int amount, sqlite3_int64 offset)
{
    return realOf(f)->pMethods->xWrite(realOf(f), buffer, amount, offset);
}
int truncateFile(sqlite3_file* f, sqlite3_int64 size)
{
    return realOf(f)->pMethods->xTruncate(realOf(f), size);
}
int syncFile(sqlite3_file* f, int flags)
{
    ++syncCount;
    if (syncDelayMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(syncDelayMs));
    return realOf(f)->pMethods->xSync(realOf(f), flags);
}
int fileSize(sqlite3_file* f, sqlite3_int64* size)
{
    return realOf(f)->pMethods->xFileSize(realOf(f), size);
}
int lockFile(sqlite3_file* f, int level)
{
    return realOf(f)->pMethods->xLock(realOf(f), level);
}
int unlockFile(sqlite3_file* f, int level)
{
    return realOf(f)->pMethods->xUnlock(realOf(f), level);
}
int checkReservedLock(sqlite3_file* f, int* result)
{
    return realOf(f)->pMethods->xCheckReservedLock(realOf(f), result);
}
int fileControl(sqlite3_file* f, int op, void* argument)
{
    return realOf(f)->pMethods->xFileControl(realOf(f), op, argument);
}
int sectorSize(sqlite3_file* f)
{
    return realOf(f)->pMethods->xSectorSize(realOf(f));
}
int deviceCharacteristics(sqlite3_file* f)
{
    return realOf(f)->pMethods->xDeviceCharacteristics(realOf(f));
}
int shmMap(sqlite3_file* f, int region, int size, int extend, void volatile** memory)
{
    return realOf(f)->pMethods->xShmMap(realOf(f), region, size, extend, memory);
}
int shmLock(sqlite3_file* f, int offset, int n, int flags)
{
    return realOf(f)->pMethods->xShmLock(realOf(f), offset, n, flags);
}
void shmBarrier(sqlite3_file* f)
{
    realOf(f)->pMethods->xShmBarrier(realOf(f));
}
int shmUnmap(sqlite3_file* f, int deleteFlag)
{
    return realOf(f)->pMethods->xShmUnmap(realOf(f), deleteFlag);
}
int fetch(sqlite3_file* f, sqlite3_int64 offset, int amount, void** pages)
{
    return realOf(f)->pMethods->xFetch(realOf(f), offset, amount, pages);
}
int unfetch(sqlite3_file* f, sqlite3_int64 offset, void* page)
{
    return realOf(f)->pMethods->xUnfetch(realOf(f), offset, page);
}

const sqlite3_io_methods countingMethods{3,
                                         closeFile,
                                         readFile,
                                         writeFile,
                                         truncateFile,
                                         syncFile,
                                         fileSize,
                                         lockFile,
                                         unlockFile,
                                         checkReservedLock,
                                         fileControl,
                                         sectorSize,
                                         deviceCharacteristics,
                                         shmMap,
                                         shmLock,
                                         shmBarrier,
                                         shmUnmap,
                                         fetch,
                                         unfetch};

int openFile(sqlite3_vfs*, const char* name, sqlite3_file* file, int flags, int* outFlags)
{
    auto* ours = reinterpret_cast<CountingFile*>(file);
    ours->real = reinterpret_cast<sqlite3_file*>(ours + 1);
    ours->base.pMethods = nullptr;
    const int result = inner->xOpen(inner, name, ours->real, flags, outFlags);
    if (result == SQLITE_OK && ours->real->pMethods)
        ours->base.pMethods = &countingMethods;
    return result;
}

int deleteFile(sqlite3_vfs*, const char* name, int syncDir)
{
    if (syncDir)
        ++syncCount; // the folder is synced after the delete
    return inner->xDelete(inner, name, syncDir);
}
int access(sqlite3_vfs*, const char* name, int flags, int* result)
{
    return inner->xAccess(inner, name, flags, result);
}
int fullPathname(sqlite3_vfs*, const char* name, int size, char* out)
{
    return inner->xFullPathname(inner, name, size, out);
}
void* dlOpen(sqlite3_vfs*, const char* name)
{
    return inner->xDlOpen(inner, name);
}
void dlError(sqlite3_vfs*, int size, char* message)
{
    inner->xDlError(inner, size, message);
}
void (*dlSym(sqlite3_vfs*, void* handle, const char* symbol))(void)
{
    return inner->xDlSym(inner, handle, symbol);
}
void dlClose(sqlite3_vfs*, void* handle)
{
    inner->xDlClose(inner, handle);
}
int randomness(sqlite3_vfs*, int size, char* out)
{
    return inner->xRandomness(inner, size, out);
}
int sleepFor(sqlite3_vfs*, int microseconds)
{
    return inner->xSleep(inner, microseconds);
}
int currentTime(sqlite3_vfs*, double* now)
{
    return inner->xCurrentTime(inner, now);
}
int lastError(sqlite3_vfs*, int size, char* message)
{
    return inner->xGetLastError(inner, size, message);
}
int currentTimeInt64(sqlite3_vfs*, sqlite3_int64* now)
{
    return inner->xCurrentTimeInt64(inner, now);
}

} // namespace

bool install(int delayMs)
{
    if (inner)
        return true;
    inner = sqlite3_vfs_find(nullptr);
    if (!inner)
        return false;
    syncDelayMs = delayMs;
    std::memset(&counting, 0, sizeof counting);
    counting.iVersion = 2;
    counting.szOsFile = static_cast<int>(sizeof(CountingFile)) + inner->szOsFile;
    counting.mxPathname = inner->mxPathname;
    counting.zName = "senvora-sync-counter";
    counting.xOpen = openFile;
    counting.xDelete = deleteFile;
    counting.xAccess = access;
    counting.xFullPathname = fullPathname;
    counting.xDlOpen = dlOpen;
    counting.xDlError = dlError;
    counting.xDlSym = dlSym;
    counting.xDlClose = dlClose;
    counting.xRandomness = randomness;
    counting.xSleep = sleepFor;
    counting.xCurrentTime = currentTime;
    counting.xGetLastError = lastError;
    counting.xCurrentTimeInt64 = currentTimeInt64;
    return sqlite3_vfs_register(&counting, 1) == SQLITE_OK;
}

qint64 syncs()
{
    return syncCount.load();
}

} // namespace SyncCounter
