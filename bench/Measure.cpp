#include "Measure.h"

#include <vector>

#include "platform/win/Win32.h"

void PassDisplayDeadline() { ::Sleep(60); }

double NowSeconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return double(f.QuadPart);
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return double(now.QuadPart) / frequency;
}

namespace {

template <typename Take>
uint64_t SumRegions(Take take) {
    uint64_t total = 0;
    SYSTEM_INFO info;
    ::GetSystemInfo(&info);
    auto* at = static_cast<const char*>(info.lpMinimumApplicationAddress);
    const auto* end = static_cast<const char*>(info.lpMaximumApplicationAddress);
    MEMORY_BASIC_INFORMATION region;
    while (at < end && ::VirtualQuery(at, &region, sizeof region) == sizeof region) {
        if (take(region)) total += region.RegionSize;
        at = static_cast<const char*>(region.BaseAddress) + region.RegionSize;
    }
    return total;
}

}  // namespace

uint64_t CommittedPrivateBytes() {
    return SumRegions([](const MEMORY_BASIC_INFORMATION& r) { return r.State == MEM_COMMIT && r.Type == MEM_PRIVATE; });
}

uint64_t ReservableAddressSpace() {
    constexpr size_t kBlock = size_t(1) << 20;
    std::vector<void*> blocks;
    while (void* block = ::VirtualAlloc(nullptr, kBlock, MEM_RESERVE, PAGE_NOACCESS)) blocks.push_back(block);
    for (void* block : blocks) ::VirtualFree(block, 0, MEM_RELEASE);
    return uint64_t(blocks.size()) * kBlock;
}
