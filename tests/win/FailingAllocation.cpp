#include "tests/win/FailingAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include "platform/win/Win32.h"

namespace {
// The thread whose next allocation fails; 0 for none.
std::atomic<DWORD> g_failingThread{0};
}  // namespace

void FailNextAllocation() { g_failingThread = ::GetCurrentThreadId(); }
bool AllocationFailurePending() { return g_failingThread != 0; }

void* operator new(std::size_t size) {
    DWORD self = ::GetCurrentThreadId();
    if (g_failingThread.load(std::memory_order_relaxed) == self && g_failingThread.compare_exchange_strong(self, 0))
        throw std::bad_alloc();
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
