#pragma once
// The registry object: one key open at a time below a chosen root, typed
// reads and writes of its values. Names and texts are UTF-8 here and UTF-16
// at the registry; the raw calls stay in Registry.cpp.

#include <cstdint>
#include <string>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/win/Handle.h"
#include "platform/win/WinTypes.h"

class TStrings;

// Raised by the typed reads and writes, naming the value: "Invalid data
// type for '<name>'", "Failed to get data for '<name>'" or "Failed to set
// data for '<name>'".
GLY_EXCEPTION(ERegistryException, Exception);

// The two predefined roots the settings use, with the values <windows.h>
// gives HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE (sign-extended on 64 bits).
// A literal type, so that they are ready before any static object uses them.
struct TPredefinedKey {
    intptr_t value;
    operator HKEY() const noexcept { return reinterpret_cast<HKEY>(value); }
};
inline constexpr TPredefinedKey kRootCurrentUser{int32_t(0x80000001u)};
inline constexpr TPredefinedKey kRootLocalMachine{int32_t(0x80000002u)};

// Access masks for opening keys.
inline constexpr uint32_t kKeyAllAccess = 0xF003F;               // KEY_ALL_ACCESS
inline constexpr uint32_t kKeyAllAccessButCreateLink = 0xF001F;  // without KEY_CREATE_LINK

enum TRegDataType { rdUnknown, rdString, rdExpandString, rdInteger, rdBinary };

namespace handle_traits {
struct RegistryKey {
    static void Close(HKEY handle) noexcept;  // RegCloseKey
};
}  // namespace handle_traits
using TRegKeyHandle = TUniqueHandle<HKEY, handle_traits::RegistryKey>;

// True on the NT line of Windows (GetVersionEx reports VER_PLATFORM_WIN32_NT).
bool IsWindowsNTPlatform() noexcept;

class TRegistry {
public:
    TRegistry() = default;
    TRegistry(const TRegistry&) = delete;
    TRegistry& operator=(const TRegistry&) = delete;
    virtual ~TRegistry() = default;  // the open key closes with its handle

    HKEY RootKey() const noexcept { return rootKey_; }
    // Another root closes the open key; the same root leaves it open.
    void SetRootKey(HKEY root);
    HKEY CurrentKey() const noexcept { return currentKey_.Get(); }
    // Path of the open key below the root, without a leading backslash.
    const std::string& CurrentPath() const noexcept { return currentPath_; }

    // A path with a leading backslash is absolute (below RootKey); any other
    // is relative to the open key, or to the root when none is open. An empty
    // path opens the base key itself and never creates. On failure the
    // previous key stays open and current.
    [[nodiscard]] virtual bool OpenKey(const std::string& key, bool canCreate);
    void CloseKey() noexcept;

    // These three never raise; a value that cannot be queried is absent,
    // of size -1 and of type rdUnknown.
    bool ValueExists(const std::string& name) const;
    // The stored size in bytes (text values: their UTF-16 bytes).
    int GetDataSize(const std::string& name) const;
    TRegDataType GetDataType(const std::string& name) const;
    // Does the open key have sub-keys? False when none is open.
    bool HasSubKeys() const;

    // REG_SZ or REG_EXPAND_SZ, up to the first zero; empty when the value has
    // no data or cannot be queried.
    std::string ReadString(const std::string& name) const;
    int32_t ReadInteger(const std::string& name) const;  // REG_DWORD
    // Copies a REG_BINARY value that fits into `buffer` and gives its size;
    // 0 when the value cannot be queried; raises when it is no REG_BINARY
    // or larger than `bufSize`.
    int ReadBinaryData(const std::string& name, void* buffer, int bufSize) const;

    void WriteString(const std::string& name, const std::string& value);  // REG_SZ
    void WriteInteger(const std::string& name, int32_t value);            // REG_DWORD
    void WriteBinaryData(const std::string& name, const void* buffer, int size);

    [[nodiscard]] bool DeleteValue(const std::string& name);
    // Deletes the key and everything below it, the path resolved as by
    // OpenKey; the open key stays open. A path that names the base key
    // itself (empty, or only backslashes) deletes nothing and gives false.
    [[nodiscard]] bool DeleteKey(const std::string& key);
    // Clears `names`, then adds the name of every value of the open key.
    void GetValueNames(TStrings& names) const;

protected:
    // OpenKey's steps with an explicit access mask, for specialisations that
    // choose their own.
    [[nodiscard]] bool OpenKeyWithAccess(const std::string& key, bool canCreate, uint32_t access);

private:
    struct Resolved {
        HKEY base;
        std::string path;  // without the leading backslash of an absolute path
        bool relative;
    };
    Resolved Resolve(const std::string& key) const;
    // Type and size of a value of the open key; false when it cannot be queried.
    bool Query(const std::string& name, uint32_t* type, uint32_t* size) const;
    // The whole data of a value whose registry type is `accepted` or
    // `alsoAccepted`, raising the read errors.
    std::vector<uint8_t> ReadData(const std::string& name, uint32_t accepted, uint32_t alsoAccepted) const;
    void WriteData(const std::string& name, uint32_t type, const void* data, size_t size);

    HKEY rootKey_ = kRootCurrentUser;
    TRegKeyHandle currentKey_;
    std::string currentPath_;
};
