#pragma once

// The pool's queue and Qt's queued signals hand work and results between threads under
// Qt's own locks, which the thread sanitizer cannot see when Qt is not built with it.
// These mark the same hand-offs for it; elsewhere they compile to nothing.
#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
inline void handoffRelease(void const* address)
{
    __tsan_release(const_cast<void*>(address));
}
inline void handoffAcquire(void const* address)
{
    __tsan_acquire(const_cast<void*>(address));
}
#else
inline void handoffRelease(void const*) {}
inline void handoffAcquire(void const*) {}
#endif
