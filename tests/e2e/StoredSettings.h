#pragma once
// The program's stored settings as the registry holds them, read, planted and
// removed with advapi32 directly, never through the program's own classes.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "tests/psetting/RegistryTestKey.h"
#include "tests/support/StoredState.h"

namespace regtest {
// Readable failure messages: the type's name and its data decoded by type.
void PrintTo(const TRawValue& value, std::ostream* os);
}  // namespace regtest

// Below HKEY_CURRENT_USER. The program writes under the company key only.
inline constexpr const char* kCompanyKey = "Software\\Orlenka";
// Relative to the company key, as TRegistryTree paths are.
inline constexpr const char* kFormKey = "Glyphora\\2.10\\MainForm";
inline constexpr const char* kAppKey = "Glyphora\\2.10\\AppSettings";

// Every key and value below one key: key paths relative to it ("" is the key
// itself), values by key path and value name.
struct TRegistryTree {
    std::set<std::string> keys;
    std::map<std::string, regtest::TRawValue> values;  // by Entry(key, name)

    static std::string Entry(const std::string& key, const std::string& name) { return key + " : " + name; }
    // Adds a value, and its key with every key above it.
    void Set(const std::string& key, const std::string& name, const regtest::TRawValue& value);
};

// The tree below HKEY_CURRENT_USER\`path`; empty (no keys at all) when the key
// does not exist.
TRegistryTree ReadTree(const std::string& path);
// Plants one value under HKEY_CURRENT_USER\<company key>\`key`, creating the key.
void Plant(const std::string& key, const std::string& name, const regtest::TRawValue& value);

// Every difference between the two trees, each named.
testing::AssertionResult SameTree(const TRegistryTree& actual, const TRegistryTree& expected);

regtest::TRawValue Sz(const std::string& text);
regtest::TRawValue Dword(int32_t value);
regtest::TRawValue Binary(std::vector<uint8_t> bytes);
regtest::TRawValue Typed(DWORD type, std::vector<uint8_t> bytes);

// The sample text's first line, before the user has typed anything.
inline constexpr const char* kInitialMemo = "(sem napište jakýkoliv text, který se zobrazí vybraným písmem)";

// Every choice the program persists, as the user left them at a close.
struct TChoices {
    int left = 0, top = 0, width = 646, height = 500;
    bool bold = false, italic = false, underline = false;
    int splitter = 257;
    std::string page = "TabSheet2";
    int size = 16;
    bool cache = true;
    int family = 0, row = 0, col = 0;
    std::string memo = kInitialMemo;
};
// The whole tree below the company key that a close with these choices
// leaves: the window's values and seven bound properties of the form, the
// four named values of the application; nothing else.
TRegistryTree Stored(const TChoices& choices);

// Each test starts the program without stored settings and leaves none behind.
class Persistence : public testing::Test {
protected:
    void SetUp() override { ForgetStoredState(); }
    void TearDown() override { ForgetStoredState(); }
};
