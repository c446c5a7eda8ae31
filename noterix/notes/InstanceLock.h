#pragma once

#include "plat/String.h"

// Keeps a second running copy of the program away from the same notes: an
// exclusive lock on a lock file beside the notes file, held for the life of
// the object. The system drops it if the program dies.
class InstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Unavailable };

    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    Result Acquire(const plat::String& lockPath);
    void Release();
    bool IsHeld() const { return handle_ >= 0; }
    // Why the last Acquire gave Unavailable (an errno value).
    int LastError() const { return error_; }

private:
    int handle_ = -1;
    int error_ = 0;
};
