#include "psetting/PRegistry.h"

bool TPRegistry::OpenKey(const std::string& key, bool canCreate) {
    return OpenKeyWithAccess(key, canCreate, GetAccess());
}

uint32_t TPRegistry::GetAccess() const {
    return RootKey() == kRootLocalMachine && IsWindowsNT() ? kKeyAllAccessButCreateLink : kKeyAllAccess;
}

bool TPRegistry::IsWindowsNT() { return IsWindowsNTPlatform(); }
