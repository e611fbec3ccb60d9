#include "platform/win/Registry.h"

#include <cstring>

#include "platform/core/Strings.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace handle_traits {
void RegistryKey::Close(HKEY handle) noexcept { ::RegCloseKey(handle); }
}  // namespace handle_traits

bool IsWindowsNTPlatform() noexcept {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
    return ::GetVersionExW(&info) && info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

namespace {

// '%s' is the value's name.
constexpr std::string_view kRegInvalidDataType = "Invalid data type for '%s'";
constexpr std::string_view kRegSetDataFailed = "Failed to set data for '%s'";
constexpr std::string_view kRegGetDataFailed = "Failed to get data for '%s'";

[[noreturn]] void Raise(std::string_view format, const std::string& name) {
    throw ERegistryException(FormatText(format, {name}));
}

// Names of the sub-keys of `key`, taken before any of them is deleted:
// enumerating by index while deleting would skip every other one.
std::vector<std::wstring> SubKeyNames(HKEY key) {
    std::vector<std::wstring> names;
    DWORD count = 0, longest = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr, nullptr,
                           nullptr, nullptr) != ERROR_SUCCESS)
        return names;
    std::wstring buffer(size_t(longest) + 1, L'\0');
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = DWORD(buffer.size());
        if (::RegEnumKeyExW(key, i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
            names.emplace_back(buffer.data(), length);
    }
    return names;
}

bool DeleteTree(HKEY parent, const std::wstring& path) {
    HKEY raw = nullptr;
    if (::RegOpenKeyExW(parent, path.c_str(), 0, KEY_ENUMERATE_SUB_KEYS | KEY_QUERY_VALUE, &raw) == ERROR_SUCCESS) {
        const TRegKeyHandle key(raw);
        for (const std::wstring& name : SubKeyNames(key.Get())) DeleteTree(key.Get(), name);
    }
    return ::RegDeleteKeyW(parent, path.c_str()) == ERROR_SUCCESS;
}

TRegDataType DataTypeOf(DWORD type) {
    switch (type) {
        case REG_SZ: return rdString;
        case REG_EXPAND_SZ: return rdExpandString;
        case REG_DWORD: return rdInteger;
        case REG_BINARY: return rdBinary;
        default: return rdUnknown;
    }
}

}  // namespace

void TRegistry::SetRootKey(HKEY root) {
    if (root == rootKey_) return;
    rootKey_ = root;
    CloseKey();
}

TRegistry::Resolved TRegistry::Resolve(const std::string& key) const {
    const bool relative = key.empty() || key.front() != '\\';
    return Resolved{relative && currentKey_ ? currentKey_.Get() : rootKey_, relative ? key : key.substr(1), relative};
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
    return OpenKeyWithAccess(key, canCreate, kKeyAllAccess);
}

bool TRegistry::OpenKeyWithAccess(const std::string& key, bool canCreate, uint32_t access) {
    const Resolved r = Resolve(key);
    const std::wstring path = Wide(r.path);
    HKEY opened = nullptr;
    LONG rc;
    if (!canCreate || r.path.empty()) {
        rc = ::RegOpenKeyExW(r.base, path.c_str(), 0, access, &opened);
    } else {
        DWORD disposition = 0;
        rc = ::RegCreateKeyExW(r.base, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &opened,
                               &disposition);
    }
    if (rc != ERROR_SUCCESS) return false;
    std::string newPath = r.relative && currentKey_ ? currentPath_ + "\\" + r.path : r.path;
    currentKey_.Reset(opened);
    currentPath_ = std::move(newPath);
    return true;
}

void TRegistry::CloseKey() noexcept {
    currentKey_.Reset();
    currentPath_.clear();
}

bool TRegistry::Query(const std::string& name, uint32_t* type, uint32_t* size) const {
    DWORD t = REG_NONE, n = 0;
    const std::wstring w = Wide(name);
    if (::RegQueryValueExW(currentKey_.Get(), w.c_str(), nullptr, &t, nullptr, &n) != ERROR_SUCCESS) return false;
    if (type) *type = t;
    if (size) *size = n;
    return true;
}

bool TRegistry::ValueExists(const std::string& name) const { return Query(name, nullptr, nullptr); }

int TRegistry::GetDataSize(const std::string& name) const {
    uint32_t size = 0;
    return Query(name, nullptr, &size) ? int(size) : -1;
}

TRegDataType TRegistry::GetDataType(const std::string& name) const {
    uint32_t type = REG_NONE;
    return Query(name, &type, nullptr) ? DataTypeOf(type) : rdUnknown;
}

bool TRegistry::HasSubKeys() const {
    DWORD count = 0;
    return ::RegQueryInfoKeyW(currentKey_.Get(), nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr) == ERROR_SUCCESS &&
           count > 0;
}

std::vector<uint8_t> TRegistry::ReadData(const std::string& name, uint32_t accepted, uint32_t alsoAccepted) const {
    uint32_t type = REG_NONE, size = 0;
    if (!Query(name, &type, &size)) Raise(kRegGetDataFailed, name);
    if (type != accepted && type != alsoAccepted) Raise(kRegInvalidDataType, name);
    std::vector<uint8_t> data(size);
    DWORD got = size;
    const std::wstring w = Wide(name);
    if (::RegQueryValueExW(currentKey_.Get(), w.c_str(), nullptr, nullptr, data.data(), &got) != ERROR_SUCCESS)
        Raise(kRegGetDataFailed, name);
    data.resize(got);
    return data;
}

std::string TRegistry::ReadString(const std::string& name) const {
    if (GetDataSize(name) <= 0) return {};
    const std::vector<uint8_t> data = ReadData(name, REG_SZ, REG_EXPAND_SZ);
    std::wstring text(data.size() / sizeof(wchar_t), L'\0');
    std::memcpy(text.data(), data.data(), text.size() * sizeof(wchar_t));
    if (const size_t zero = text.find(L'\0'); zero != std::wstring::npos) text.resize(zero);
    return Utf8(text);
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
    const std::vector<uint8_t> data = ReadData(name, REG_DWORD, REG_DWORD);
    // A DWORD holds exactly 4 bytes; any other size is not a value of its
    // type, and taking part of it would make up a number.
    if (data.size() != 4) Raise(kRegGetDataFailed, name);
    return int32_t(uint32_t(data[0]) | uint32_t(data[1]) << 8 | uint32_t(data[2]) << 16 | uint32_t(data[3]) << 24);
}

int TRegistry::ReadBinaryData(const std::string& name, void* buffer, int bufSize) const {
    uint32_t type = REG_NONE, size = 0;
    if (!Query(name, &type, &size)) return 0;
    if (type != REG_BINARY || bufSize < 0 || size > uint32_t(bufSize)) Raise(kRegInvalidDataType, name);
    DWORD got = size;
    const std::wstring w = Wide(name);
    if (::RegQueryValueExW(currentKey_.Get(), w.c_str(), nullptr, nullptr, static_cast<BYTE*>(buffer), &got) !=
        ERROR_SUCCESS)
        Raise(kRegGetDataFailed, name);
    return int(got);
}

void TRegistry::WriteData(const std::string& name, uint32_t type, const void* data, size_t size) {
    const std::wstring w = Wide(name);
    if (::RegSetValueExW(currentKey_.Get(), w.c_str(), 0, type, static_cast<const BYTE*>(data), DWORD(size)) !=
        ERROR_SUCCESS)
        Raise(kRegSetDataFailed, name);
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
    // With the terminating zero: the system counts it in anyway when it
    // follows the data, so the stored bytes are the same, and predictable.
    const std::wstring text = Wide(value);
    WriteData(name, REG_SZ, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
}

void TRegistry::WriteInteger(const std::string& name, int32_t value) {
    const auto u = uint32_t(value);
    const uint8_t bytes[4] = {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)};
    WriteData(name, REG_DWORD, bytes, sizeof bytes);
}

void TRegistry::WriteBinaryData(const std::string& name, const void* buffer, int size) {
    WriteData(name, REG_BINARY, buffer, size > 0 ? size_t(size) : 0);
}

bool TRegistry::DeleteValue(const std::string& name) {
    const std::wstring w = Wide(name);
    return ::RegDeleteValueW(currentKey_.Get(), w.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteKey(const std::string& key) {
    const Resolved r = Resolve(key);
    // An empty path would name the base key: below a root that means every
    // key of the root, which no caller can mean.
    if (r.path.find_first_not_of('\\') == std::string::npos) return false;
    return DeleteTree(r.base, Wide(r.path));
}

void TRegistry::GetValueNames(TStrings& names) const {
    names.Clear();
    DWORD count = 0, longest = 0;
    if (::RegQueryInfoKeyW(currentKey_.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longest,
                           nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return;
    std::wstring buffer(size_t(longest) + 1, L'\0');
    for (DWORD i = 0; i < count; ++i) {
        DWORD length = DWORD(buffer.size());
        if (::RegEnumValueW(currentKey_.Get(), i, buffer.data(), &length, nullptr, nullptr, nullptr, nullptr) ==
            ERROR_SUCCESS)
            names.Add(Utf8(std::wstring_view(buffer.data(), length)));
    }
}
