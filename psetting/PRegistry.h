#pragma once
// The settings library's registry object: the toolkit's registry with an
// OpenKey that chooses its access rights by root and platform.

#include <cstdint>
#include <string>

#include "platform/win/Registry.h"

class TPRegistry : public TRegistry {
public:
    TPRegistry() = default;

    // As TRegistry::OpenKey, with GetAccess() for reading and writing alike.
    [[nodiscard]] bool OpenKey(const std::string& key, bool canCreate) override;

    // Below HKEY_LOCAL_MACHINE on NT every right but KEY_CREATE_LINK,
    // everywhere else KEY_ALL_ACCESS. Either way it asks for write rights, so
    // a user who may not write below a root cannot open its keys to read.
    uint32_t GetAccess() const;
    static bool IsWindowsNT();
};
