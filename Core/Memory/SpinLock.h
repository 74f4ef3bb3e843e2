#pragma once
// A plain, non-recursive mutual-exclusion lock that spins briefly and then yields. The engine's
// hot locks (object pools, the message queues) are held for a handful of instructions, so taking
// this one costs one atomic exchange and releasing it a plain store, where a sleeping mutex
// costs two atomic operations. Usable with std::lock_guard.
#include <atomic>

namespace Core
{
class SpinLock
{
public:
    void lock()
    {
        while (m_locked.exchange(true, std::memory_order_acquire))
            WaitWhileLocked();
    }
    void unlock() { m_locked.store(false, std::memory_order_release); }

private:
    void WaitWhileLocked() const;

    std::atomic<bool> m_locked{false};
};
} // namespace Core
