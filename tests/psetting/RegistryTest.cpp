// The registry object against the real (Wine) registry: key opening rules,
// typed values and their errors, deleting trees, listing values.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "RegistryTestKey.h"
#include "platform/core/Strings.h"
#include "platform/win/Registry.h"
#include "psetting/PRegistry.h"

namespace {

using regtest::RawGet;
using regtest::RawKeyExists;
using regtest::RawSet;
using regtest::TRawValue;
using regtest::TTestKey;

// The message of the registry exception `f` raises; "" when it raises none.
std::string RegistryError(const std::function<void()>& f) {
    try {
        f();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return "";
}

std::vector<std::string> Sorted(const TStrings& list) {
    std::vector<std::string> v;
    for (int i = 0; i < list.Count(); ++i) v.push_back(list[i]);
    std::sort(v.begin(), v.end());
    return v;
}

int SubKeyCount(const std::string& path) {
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    DWORD count = 0;
    ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &count, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr);
    ::RegCloseKey(key);
    return int(count);
}

TEST(Registry, StartsAtTheCurrentUserWithNoKeyOpen) {
    TRegistry reg;
    EXPECT_EQ(reg.RootKey(), HKEY_CURRENT_USER);
    EXPECT_EQ(kRootCurrentUser, HKEY_CURRENT_USER);
    EXPECT_EQ(kRootLocalMachine, HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), "");
}

TEST(Registry, RelativePathsOpenBelowTheOpenKeyAndAbsoluteOnesBelowTheRoot) {
    TTestKey key;
    TRegistry reg;
    // Relative with no key open: below the root.
    ASSERT_TRUE(reg.OpenKey(key.Path(), true));
    EXPECT_EQ(reg.CurrentPath(), key.Path());

    ASSERT_TRUE(reg.OpenKey("A\\B", true));
    EXPECT_EQ(reg.CurrentPath(), key.Path() + "\\A\\B");
    reg.WriteInteger("here", 1);
    EXPECT_TRUE(RawGet(key.Sub("A\\B"), "here"));

    // Absolute while a key is open: below the root, without the backslash.
    ASSERT_TRUE(reg.OpenKey("\\" + key.Sub("C"), true));
    EXPECT_EQ(reg.CurrentPath(), key.Sub("C"));
    reg.WriteInteger("here", 2);
    EXPECT_TRUE(RawGet(key.Sub("C"), "here"));
    EXPECT_FALSE(RawKeyExists(key.Sub("A\\B") + "\\" + key.Sub("C")));

    reg.CloseKey();
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), "");
}

TEST(Registry, OpeningWithoutCreateFindsOnlyExistingKeys) {
    TTestKey key;
    TRegistry reg;
    EXPECT_FALSE(reg.OpenKey(key.Path(), false));
    EXPECT_FALSE(RawKeyExists(key.Path()));
    regtest::RawCreateKey(key.Path());
    EXPECT_TRUE(reg.OpenKey(key.Path(), false));
}

TEST(Registry, EmptyPathWithCreateReopensTheOpenKeyAndCreatesNothing) {
    TTestKey key;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.Path(), true));
    ASSERT_TRUE(reg.OpenKey("", true));
    EXPECT_NE(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), key.Path() + "\\");
    reg.WriteInteger("v", 7);
    EXPECT_TRUE(RawGet(key.Path(), "v"));
    EXPECT_EQ(SubKeyCount(key.Path()), 0);
}

TEST(Registry, FailedOpenLeavesThePreviousKeyOpenAndCurrent) {
    TTestKey key;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.Path(), true));
    reg.WriteInteger("v", 5);
    HKEY const before = reg.CurrentKey();

    EXPECT_FALSE(reg.OpenKey("Missing", false));
    EXPECT_EQ(reg.CurrentKey(), before);
    EXPECT_EQ(reg.CurrentPath(), key.Path());
    EXPECT_EQ(reg.ReadInteger("v"), 5);

    // A key that cannot even be created: a name longer than the registry takes.
    EXPECT_FALSE(reg.OpenKey(std::string(300, 'x'), true));
    EXPECT_EQ(reg.CurrentKey(), before);
    EXPECT_EQ(reg.ReadInteger("v"), 5);
}

TEST(Registry, ChangingTheRootClosesTheKeyOnlyWhenItIsAnotherRoot) {
    TTestKey key;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.Path(), true));
    HKEY const open = reg.CurrentKey();
    reg.SetRootKey(kRootCurrentUser);
    EXPECT_EQ(reg.CurrentKey(), open);
    EXPECT_EQ(reg.CurrentPath(), key.Path());

    reg.SetRootKey(kRootLocalMachine);
    EXPECT_EQ(reg.RootKey(), HKEY_LOCAL_MACHINE);
    EXPECT_EQ(reg.CurrentKey(), nullptr);
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_TRUE(reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false));
}

TEST(Registry, TypedValuesStoreTheirExactBytesAndReadBack) {
    TTestKey key;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.Path(), true));

    const std::string czech = "Žluťoučký kůň";
    reg.WriteString("Text", czech);
    EXPECT_EQ(RawGet(key.Path(), "Text"), (TRawValue{REG_SZ, regtest::Utf16Sz(czech)}));
    EXPECT_EQ(reg.ReadString("Text"), czech);
    EXPECT_EQ(reg.GetDataType("Text"), rdString);
    EXPECT_EQ(reg.GetDataSize("Text"), int(2 * Wide(czech).size() + 2));

    reg.WriteString("Empty", "");
    EXPECT_EQ(RawGet(key.Path(), "Empty"), (TRawValue{REG_SZ, {0, 0}}));
    EXPECT_EQ(reg.ReadString("Empty"), "");

    reg.WriteInteger("Number", -5);
    EXPECT_EQ(RawGet(key.Path(), "Number"), (TRawValue{REG_DWORD, {0xFB, 0xFF, 0xFF, 0xFF}}));
    EXPECT_EQ(reg.ReadInteger("Number"), -5);
    EXPECT_EQ(reg.GetDataType("Number"), rdInteger);

    const std::vector<uint8_t> bytes{0, 1, 254, 255, 0};
    reg.WriteBinaryData("Data", bytes.data(), int(bytes.size()));
    EXPECT_EQ(RawGet(key.Path(), "Data"), (TRawValue{REG_BINARY, bytes}));
    EXPECT_EQ(reg.GetDataSize("Data"), 5);
    EXPECT_EQ(reg.GetDataType("Data"), rdBinary);
    uint8_t buffer[8] = {};
    EXPECT_EQ(reg.ReadBinaryData("Data", buffer, 8), 5);
    EXPECT_EQ(std::vector<uint8_t>(buffer, buffer + 5), bytes);

    // The value name is UTF-8 in the program as well.
    reg.WriteInteger("Délka", 3);
    EXPECT_TRUE(RawGet(key.Path(), "Délka"));
    EXPECT_TRUE(reg.ValueExists("Délka"));
}

TEST(Registry, ReadStringStopsAtTheFirstZeroAndTakesExpandStrings) {
    TTestKey key;
    RawSet(key.Path(), "Zero", REG_SZ, {'a', 0, 'b', 0, 0, 0, 'c', 0, 'd', 0});
    RawSet(key.Path(), "Expand", REG_EXPAND_SZ, {'%', 0, 'X', 0, '%', 0, 0, 0});
    RawSet(key.Path(), "EmptyBinary", REG_BINARY, {});
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.Path(), false));
    EXPECT_EQ(reg.ReadString("Zero"), "ab");
    EXPECT_EQ(reg.ReadString("Expand"), "%X%");
    EXPECT_EQ(reg.GetDataType("Expand"), rdExpandString);
    // No data at all is the empty text, whatever the type.
    EXPECT_EQ(reg.ReadString("EmptyBinary"), "");
    EXPECT_EQ(reg.ReadString("Absent"), "");
}

TEST(Registry, ReadsAndWritesRaiseTheirExactMessages) {
    TTestKey key;
    RawSet(key.Path(), "Text", REG_SZ, {'1', 0});
    RawSet(key.Path(), "Number", REG_DWORD, {1, 0, 0, 0});
    RawSet(key.Path(), "Short", REG_DWORD, {1, 0});
    RawSet(key.Path(), "Long", REG_DWORD, {1, 0, 0, 0, 0, 0, 0, 0});
    RawSet(key.Path(), "Data", REG_BINARY, {1, 2, 3, 4, 5});
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.Path(), false));
    uint8_t buffer[4] = {};

    EXPECT_EQ(RegistryError([&] { reg.ReadString("Number"); }), "Invalid data type for 'Number'");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("Text"); }), "Invalid data type for 'Text'");
    EXPECT_EQ(RegistryError([&] { reg.ReadBinaryData("Text", buffer, 4); }), "Invalid data type for 'Text'");
    // A buffer smaller than the value.
    EXPECT_EQ(RegistryError([&] { reg.ReadBinaryData("Data", buffer, 4); }), "Invalid data type for 'Data'");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("Absent"); }), "Failed to get data for 'Absent'");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("Short"); }), "Failed to get data for 'Short'");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("Long"); }), "Failed to get data for 'Long'");
    EXPECT_EQ(reg.ReadInteger("Number"), 1);
    // Not there at all: nothing read, nothing raised.
    EXPECT_EQ(reg.ReadBinaryData("Absent", buffer, 4), 0);

    reg.CloseKey();
    EXPECT_EQ(RegistryError([&] { reg.WriteString("S", "x"); }), "Failed to set data for 'S'");
    EXPECT_EQ(RegistryError([&] { reg.WriteInteger("I", 1); }), "Failed to set data for 'I'");
    EXPECT_EQ(RegistryError([&] { reg.WriteBinaryData("B", buffer, 4); }), "Failed to set data for 'B'");
    EXPECT_EQ(RegistryError([&] { reg.ReadInteger("Number"); }), "Failed to get data for 'Number'");
}

TEST(Registry, QueriesOfAbsentOrForeignValuesNeverRaise) {
    TTestKey key;
    RawSet(key.Path(), "Multi", REG_MULTI_SZ, {'a', 0, 0, 0, 0, 0});
    TRegistry reg;
    EXPECT_FALSE(reg.ValueExists("Multi"));  // no key open
    EXPECT_EQ(reg.GetDataSize("Multi"), -1);
    ASSERT_TRUE(reg.OpenKey(key.Path(), false));
    EXPECT_TRUE(reg.ValueExists("Multi"));
    EXPECT_EQ(reg.GetDataType("Multi"), rdUnknown);
    EXPECT_EQ(reg.GetDataSize("Multi"), 6);
    EXPECT_FALSE(reg.ValueExists("Absent"));
    EXPECT_EQ(reg.GetDataSize("Absent"), -1);
    EXPECT_EQ(reg.GetDataType("Absent"), rdUnknown);
}

TEST(Registry, DeleteValueReportsWhetherThereWasOne) {
    TTestKey key;
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.Path(), true));
    reg.WriteInteger("v", 1);
    EXPECT_TRUE(reg.DeleteValue("v"));
    EXPECT_FALSE(RawGet(key.Path(), "v"));
    EXPECT_FALSE(reg.DeleteValue("v"));
}

TEST(Registry, DeleteKeyRemovesTheWholeTreeAndKeepsTheOpenKey) {
    TTestKey key;
    RawSet(key.Sub("A\\B\\C"), "deep", REG_DWORD, {1, 0, 0, 0});
    RawSet(key.Sub("A\\D"), "side", REG_DWORD, {2, 0, 0, 0});
    RawSet(key.Sub("A"), "own", REG_DWORD, {3, 0, 0, 0});
    RawSet(key.Sub("E"), "other", REG_DWORD, {4, 0, 0, 0});
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(key.Path(), false));
    EXPECT_TRUE(reg.HasSubKeys());

    EXPECT_TRUE(reg.DeleteKey("A"));  // relative to the open key
    EXPECT_FALSE(RawKeyExists(key.Sub("A")));
    EXPECT_TRUE(RawGet(key.Sub("E"), "other"));
    EXPECT_EQ(reg.CurrentPath(), key.Path());
    reg.WriteInteger("still", 1);
    EXPECT_TRUE(RawGet(key.Path(), "still"));

    EXPECT_FALSE(reg.DeleteKey("A"));                 // gone already
    EXPECT_TRUE(reg.DeleteKey("\\" + key.Sub("E")));  // absolute
    EXPECT_FALSE(RawKeyExists(key.Sub("E")));
    EXPECT_FALSE(reg.HasSubKeys());
}

TEST(Registry, DeleteKeyOfAnEmptyPathDeletesNothing) {
    TTestKey key;
    RawSet(key.Sub("A"), "v", REG_DWORD, {1, 0, 0, 0});
    TRegistry reg;
    // Below the root this would name every key of HKEY_CURRENT_USER.
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_FALSE(reg.DeleteKey("\\"));
    ASSERT_TRUE(reg.OpenKey(key.Path(), false));
    EXPECT_FALSE(reg.DeleteKey(""));
    EXPECT_TRUE(RawGet(key.Sub("A"), "v"));
    EXPECT_TRUE(RawKeyExists("Software"));
}

TEST(Registry, GetValueNamesReplacesTheListWithEveryValueName) {
    TTestKey key;
    RawSet(key.Path(), "alpha", REG_DWORD, {1, 0, 0, 0});
    RawSet(key.Path(), "Béta", REG_SZ, {});
    RawSet(key.Path(), "", REG_SZ, {'x', 0});
    RawSet(key.Sub("Sub"), "notMine", REG_SZ, {});
    TStringList names;
    names.Add("left over");
    TRegistry reg;
    reg.GetValueNames(names);  // no key open
    EXPECT_EQ(names.Count(), 0);

    ASSERT_TRUE(reg.OpenKey(key.Path(), false));
    names.Add("left over");
    reg.GetValueNames(names);
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{"", "Béta", "alpha"}));

    ASSERT_TRUE(reg.OpenKey("Sub", false));
    reg.GetValueNames(names);
    EXPECT_EQ(Sorted(names), (std::vector<std::string>{"notMine"}));
}

TEST(PRegistry, AsksForFullRightsExceptCreateLinkBelowTheLocalMachineOnNT) {
    ASSERT_TRUE(TPRegistry::IsWindowsNT());
    TPRegistry reg;
    EXPECT_EQ(reg.GetAccess(), 0xF003Fu);
    reg.SetRootKey(kRootLocalMachine);
    EXPECT_EQ(reg.GetAccess(), 0xF001Fu);
    EXPECT_TRUE(reg.OpenKey("SOFTWARE\\Microsoft\\Windows\\CurrentVersion", false));
    EXPECT_EQ(reg.CurrentPath(), "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
}

TEST(PRegistry, OpensByTheSameRulesAsTheToolkitRegistry) {
    TTestKey key;
    TPRegistry reg;
    TRegistry& base = reg;  // the library may hold it as either
    ASSERT_TRUE(base.OpenKey(key.Path(), true));
    ASSERT_TRUE(base.OpenKey("Sub", true));
    EXPECT_EQ(reg.CurrentPath(), key.Sub("Sub"));
    EXPECT_FALSE(base.OpenKey("\\" + key.Sub("Missing"), false));
    EXPECT_EQ(reg.CurrentPath(), key.Sub("Sub"));
    ASSERT_TRUE(base.OpenKey("\\" + key.Path(), false));
    EXPECT_EQ(reg.CurrentPath(), key.Path());
}

}  // namespace
