#pragma once

#include <QString>

// The running-copy check: a lock file in the program folder, taken once per process. Only a
// copy that is really running refuses the start: a lock file that no live process holds (left
// by a crash, cut short by a power cut, garbage) is taken over.
namespace SingleInstance {

enum class Outcome
{
    Acquired,        // this process holds the lock (now or from before)
    AnotherCopyRuns, // a running copy holds it
    NoLockPossible   // the folder allows no lock file; problem() says why, in Persian
};

Outcome acquire();
// Why no lock could be made (after NoLockPossible), naming the folder.
QString problem();
// Lets go of the lock; done when the application quits, and by tests that start over.
void release();

} // namespace SingleInstance
