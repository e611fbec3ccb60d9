#pragma once
// A throwaway key per test below HKEY_CURRENT_USER\Software\GlyphoraTest,
// removed with everything below it when the test ends, and raw Win32 access
// that checks what the classes under test stored without going through them.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace regtest {

struct TRawValue {
    DWORD type = REG_NONE;
    std::vector<uint8_t> bytes;
    bool operator==(const TRawValue&) const = default;
};

inline std::optional<TRawValue> RawGet(const std::string& keyPath, const std::string& name) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    TRawValue v;
    DWORD size = 0;
    const std::wstring w = Wide(name);
    LONG rc = ::RegQueryValueExW(key, w.c_str(), nullptr, &v.type, nullptr, &size);
    if (rc == ERROR_SUCCESS) {
        v.bytes.resize(size);
        rc = ::RegQueryValueExW(key, w.c_str(), nullptr, &v.type, v.bytes.data(), &size);
        v.bytes.resize(size);
    }
    ::RegCloseKey(key);
    if (rc != ERROR_SUCCESS) return std::nullopt;
    return v;
}

inline void RawSet(const std::string& keyPath, const std::string& name, DWORD type, const std::vector<uint8_t>& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                nullptr),
              ERROR_SUCCESS);
    const LONG rc =
        ::RegSetValueExW(key, Wide(name).c_str(), 0, type, bytes.empty() ? nullptr : bytes.data(), DWORD(bytes.size()));
    ::RegCloseKey(key);
    ASSERT_EQ(rc, ERROR_SUCCESS);
}

inline bool RawKeyExists(const std::string& keyPath) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(keyPath).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    ::RegCloseKey(key);
    return true;
}

inline void RawCreateKey(const std::string& keyPath) { RawSet(keyPath, "", REG_SZ, {}); }

// The UTF-16LE bytes of a text, without a terminating zero.
inline std::vector<uint8_t> Utf16Bytes(const std::string& utf8) {
    const std::wstring w = Wide(utf8);
    std::vector<uint8_t> bytes;
    for (const wchar_t c : w) {
        bytes.push_back(uint8_t(c & 0xFF));
        bytes.push_back(uint8_t(c >> 8));
    }
    return bytes;
}

// The same with its terminating zero, as REG_SZ values hold it.
inline std::vector<uint8_t> Utf16Sz(const std::string& utf8) {
    std::vector<uint8_t> bytes = Utf16Bytes(utf8);
    bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

class TTestKey {
public:
    TTestKey() {
        const auto* info = testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::string("Software\\GlyphoraTest\\") + info->test_suite_name() + "." + info->name() + "." +
                std::to_string(::GetCurrentProcessId());
        Delete();
    }
    TTestKey(const TTestKey&) = delete;
    TTestKey& operator=(const TTestKey&) = delete;
    ~TTestKey() { Delete(); }

    // Relative to HKEY_CURRENT_USER, without a leading backslash.
    const std::string& Path() const noexcept { return path_; }
    std::string Sub(const std::string& relative) const { return path_ + "\\" + relative; }

private:
    void Delete() { ::RegDeleteTreeW(HKEY_CURRENT_USER, Wide(path_).c_str()); }
    std::string path_;
};

}  // namespace regtest
