#include "tests/e2e/StoredSettings.h"

#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

namespace regtest {

void PrintTo(const TRawValue& value, std::ostream* os) {
    const auto& b = value.bytes;
    switch (value.type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        std::wstring text(b.size() / 2, L'\0');
        for (size_t i = 0; i < text.size(); ++i) text[i] = wchar_t(b[2 * i] | (b[2 * i + 1] << 8));
        const bool terminated = !text.empty() && text.back() == L'\0';
        if (terminated) text.pop_back();
        *os << (value.type == REG_SZ ? "REG_SZ \"" : "REG_EXPAND_SZ \"") << Utf8(text) << '"'
            << (terminated ? "" : " (no terminating zero)");
        return;
    }
    case REG_DWORD:
        if (b.size() == 4) {
            *os << "REG_DWORD " << int32_t(uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 |
                                           uint32_t(b[3]) << 24);
            return;
        }
        *os << "REG_DWORD of " << b.size() << " bytes";
        break;
    case REG_BINARY: *os << "REG_BINARY"; break;
    default: *os << "type " << value.type; break;
    }
    *os << std::hex << std::setfill('0');
    for (const uint8_t byte : b) *os << ' ' << std::setw(2) << int(byte);
    *os << std::dec;
}

}  // namespace regtest

namespace {

using regtest::TRawValue;

std::string Join(const std::string& parent, const std::string& child) {
    return parent.empty() ? child : parent + "\\" + child;
}

void ReadKey(HKEY root, const std::string& relative, TRegistryTree& tree) {
    tree.keys.insert(relative);
    DWORD subKeys = 0, maxKeyName = 0, values = 0, maxValueName = 0, maxData = 0;
    if (::RegQueryInfoKeyW(root, nullptr, nullptr, nullptr, &subKeys, &maxKeyName, nullptr, &values, &maxValueName,
                           &maxData, nullptr, nullptr) != ERROR_SUCCESS) {
        ADD_FAILURE() << "cannot query the key " << relative;
        return;
    }
    for (DWORD i = 0; i < values; ++i) {
        std::wstring name(maxValueName + 1, L'\0');
        DWORD nameLength = DWORD(name.size());
        TRawValue value;
        value.bytes.resize(maxData);
        DWORD size = maxData;
        if (::RegEnumValueW(root, i, name.data(), &nameLength, nullptr, &value.type, value.bytes.data(), &size) !=
            ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot read value " << i << " of " << relative;
            continue;
        }
        name.resize(nameLength);
        value.bytes.resize(size);
        tree.values[TRegistryTree::Entry(relative, Utf8(name))] = value;
    }
    for (DWORD i = 0; i < subKeys; ++i) {
        std::wstring name(maxKeyName + 1, L'\0');
        DWORD nameLength = DWORD(name.size());
        if (::RegEnumKeyExW(root, i, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot read sub-key " << i << " of " << relative;
            continue;
        }
        name.resize(nameLength);
        HKEY sub = nullptr;
        if (::RegOpenKeyExW(root, name.c_str(), 0, KEY_READ, &sub) != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot open " << Join(relative, Utf8(name));
            continue;
        }
        ReadKey(sub, Join(relative, Utf8(name)), tree);
        ::RegCloseKey(sub);
    }
}

}  // namespace

void TRegistryTree::Set(const std::string& key, const std::string& name, const TRawValue& value) {
    values[Entry(key, name)] = value;
    for (std::string k = key;; k.erase(k.rfind('\\'))) {
        keys.insert(k);
        if (k.find('\\') == std::string::npos) break;
    }
    keys.insert("");
}

TRegistryTree ReadTree(const std::string& path) {
    TRegistryTree tree;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return tree;
    ReadKey(key, "", tree);
    ::RegCloseKey(key);
    return tree;
}

void Plant(const std::string& key, const std::string& name, const TRawValue& value) {
    regtest::RawSet(std::string(kCompanyKey) + "\\" + key, name, value.type, value.bytes);
}

TRawValue Sz(const std::string& text) { return {REG_SZ, regtest::Utf16Sz(text)}; }

TRawValue Dword(int32_t value) {
    const auto u = uint32_t(value);
    return {REG_DWORD, {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)}};
}

TRawValue Binary(std::vector<uint8_t> bytes) { return {REG_BINARY, std::move(bytes)}; }

TRawValue Typed(DWORD type, std::vector<uint8_t> bytes) { return {type, std::move(bytes)}; }

testing::AssertionResult SameTree(const TRegistryTree& actual, const TRegistryTree& expected) {
    std::ostringstream differences;
    for (const std::string& key : expected.keys)
        if (!actual.keys.count(key)) differences << "\n  missing key \"" << key << '"';
    for (const std::string& key : actual.keys)
        if (!expected.keys.count(key)) differences << "\n  unexpected key \"" << key << '"';
    for (const auto& [entry, value] : expected.values) {
        const auto it = actual.values.find(entry);
        if (it == actual.values.end())
            differences << "\n  missing " << entry << " = " << testing::PrintToString(value);
        else if (!(it->second == value))
            differences << "\n  " << entry << " is " << testing::PrintToString(it->second) << ", not "
                        << testing::PrintToString(value);
    }
    for (const auto& [entry, value] : actual.values)
        if (!expected.values.count(entry))
            differences << "\n  unexpected " << entry << " = " << testing::PrintToString(value);
    const std::string found = differences.str();
    if (found.empty()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the stored settings differ:" << found;
}

TRegistryTree Stored(const TChoices& c) {
    HDC screen = ::GetDC(nullptr);
    const std::string resolution =
        std::to_string(::GetDeviceCaps(screen, HORZRES)) + "x" + std::to_string(::GetDeviceCaps(screen, VERTRES));
    ::ReleaseDC(nullptr, screen);
    const auto flag = [](bool on) { return Sz(on ? "True" : "False"); };
    const std::string form = kFormKey, app = kAppKey;

    TRegistryTree tree;
    tree.Set(form, "Left", Dword(c.left));
    tree.Set(form, "Top", Dword(c.top));
    tree.Set(form, "Width", Dword(c.width));
    tree.Set(form, "Height", Dword(c.height));
    tree.Set(form, "MainForm", Binary({4, 0, 0, 0, 1}));  // a boolean, kind 4
    tree.Set(form, "State", Dword(0));
    tree.Set(form, "ScreenRes", Sz(resolution));
    tree.Set(form + "\\BoldBtn", "Down", flag(c.bold));
    tree.Set(form + "\\ItalicBtn", "Down", flag(c.italic));
    tree.Set(form + "\\UnderlineBtn", "Down", flag(c.underline));
    tree.Set(form + "\\Splitter", "Left", Dword(c.splitter));
    tree.Set(form + "\\PageControl", "ActivePage", Sz(c.page));
    tree.Set(form + "\\SizeUpDown", "Position", Dword(c.size));
    tree.Set(form + "\\CacheFontsCheck", "Checked", flag(c.cache));
    tree.Set(app, "FontList.ItemIndex", Dword(c.family));
    tree.Set(app, "TestGrid.Row", Dword(c.row));
    tree.Set(app, "TestGrid.Col", Dword(c.col));
    tree.Set(app, "TestMemo.Text", Sz(c.memo));
    return tree;
}
