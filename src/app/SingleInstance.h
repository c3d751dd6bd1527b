#pragma once

// The running-copy check: a lock file in the program folder, taken once per process. A lock
// left behind by a crashed copy is recognised by its process id and taken over.
namespace SingleInstance {
// True when this process holds (or now takes) the lock; false when another copy runs.
bool acquire();
} // namespace SingleInstance
