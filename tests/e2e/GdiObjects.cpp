#include "tests/e2e/GdiObjects.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// The table's layout (the same in 32- and 64-bit processes): 65536 entries
// of 24 bytes; an entry is live while its type byte is not zero, and the
// kind of its object is the low 7 bits of the byte before the generation.
constexpr size_t kEntries = 0x10000;
constexpr size_t kEntrySize = 24;
constexpr size_t kExtTypeAt = 12;
constexpr size_t kTypeAt = 14;
constexpr int kFontKind = 0x0a;
// Where the PEB keeps the table's address.
constexpr size_t kTableInPeb = sizeof(void*) == 8 ? 0xF8 : 0x94;

struct TBasicInformation {
    LONG_PTR exitStatus;
    void* peb;
    ULONG_PTR affinity;
    LONG_PTR priority;
    ULONG_PTR processId;
    ULONG_PTR parentId;
};
using TQuery = LONG(WINAPI*)(HANDLE, int, void*, ULONG, ULONG*);

const char* KindName(int kind) {
    switch (kind) {
    case 0x01: return "DC";
    case 0x04: return "region";
    case 0x08: return "palette";
    case 0x09: return "bitmap";
    case 0x0a: return "font";
    case 0x10: return "brush";
    case 0x30: return "pen";
    case 0x41: return "memory DC";
    case 0x50: return "extended pen";
    default: return nullptr;
    }
}

}  // namespace

int TGdiObjects::Total() const {
    int total = 0;
    for (const auto& [kind, count] : byKind) total += count;
    return total;
}

int TGdiObjects::Fonts() const {
    const auto it = byKind.find(kFontKind);
    return it == byKind.end() ? 0 : it->second;
}

std::ostream& operator<<(std::ostream& os, const TGdiObjects& objects) {
    if (!objects.read) return os << "(GDI handle table not readable)";
    os << objects.Total() << " GDI objects:";
    for (const auto& [kind, count] : objects.byKind) {
        if (const char* name = KindName(kind))
            os << ' ' << name << ' ' << count;
        else
            os << " kind " << kind << ' ' << count;
    }
    return os;
}

TGdiObjects GdiObjectsOf(HANDLE process) {
    TGdiObjects objects;
    const auto query = reinterpret_cast<TQuery>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    TBasicInformation basic{};
    if (!query || query(process, 0, &basic, sizeof basic, nullptr) != 0 || !basic.peb) return objects;
    void* table = nullptr;
    SIZE_T got = 0;
    if (!::ReadProcessMemory(process, static_cast<const char*>(basic.peb) + kTableInPeb, &table, sizeof table, &got) ||
        !table)
        return objects;
    std::vector<uint8_t> entries(kEntries * kEntrySize);
    if (!::ReadProcessMemory(process, table, entries.data(), entries.size(), &got) || got != entries.size())
        return objects;
    for (size_t i = 0; i < kEntries; ++i) {
        const uint8_t* entry = entries.data() + i * kEntrySize;
        if (entry[kTypeAt] != 0) ++objects.byKind[entry[kExtTypeAt] & 0x7f];
    }
    objects.read = true;
    return objects;
}
