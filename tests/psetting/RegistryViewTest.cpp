// The machine-wide organisation is read from the registry view that Windows
// shows to a program of this build: a 32-bit program sees HKLM\Software
// through the 32-bit view (Wow6432Node on 64-bit Windows), a 64-bit one
// through the 64-bit view. A value planted only in the other view is not
// this program's.

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/win/Win32.h"
#include "tests/psetting/RegistryTestKey.h"
#include "tests/psetting/SettingsTestContainer.h"

namespace {

constexpr const wchar_t* kVersionKey = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const wchar_t* kOrganization = L"RegisteredOrganization";

#if defined(_WIN64)
constexpr REGSAM kOwnView = KEY_WOW64_64KEY;
constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kOwnView = KEY_WOW64_32KEY;
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
#endif

// The organisation value of one view, put back as it was at the end.
class TViewValue {
public:
    explicit TViewValue(REGSAM view) : view_(view) {
        HKEY key = Open();
        if (!key) return;
        DWORD type = 0, size = 0;
        if (::RegQueryValueExW(key, kOrganization, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            std::vector<BYTE> data(size);
            ::RegQueryValueExW(key, kOrganization, nullptr, &type, data.data(), &size);
            saved_ = {type, data};
        }
        ::RegCloseKey(key);
    }
    ~TViewValue() {
        if (saved_)
            Set(saved_->type, saved_->data);
        else
            Delete();
    }
    TViewValue(const TViewValue&) = delete;
    TViewValue& operator=(const TViewValue&) = delete;

    bool Set(DWORD type, const std::vector<BYTE>& data) {
        HKEY key = Open();
        if (!key) return false;
        const bool ok = ::RegSetValueExW(key, kOrganization, 0, type, data.data(), DWORD(data.size())) == ERROR_SUCCESS;
        ::RegCloseKey(key);
        return ok;
    }
    bool SetText(const std::string& text) {
        std::vector<BYTE> data = regtest::Utf16Bytes(text);
        data.push_back(0);
        data.push_back(0);
        return Set(REG_SZ, data);
    }
    void Delete() {
        HKEY key = Open();
        if (!key) return;
        ::RegDeleteValueW(key, kOrganization);
        ::RegCloseKey(key);
    }

private:
    HKEY Open() const {
        HKEY key = nullptr;
        if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, kVersionKey, 0, nullptr, 0, KEY_ALL_ACCESS | view_, nullptr, &key,
                              nullptr) != ERROR_SUCCESS)
            return nullptr;
        return key;
    }
    struct Saved {
        DWORD type;
        std::vector<BYTE> data;
    };
    REGSAM view_;
    std::optional<Saved> saved_;
};

std::string CompanyOfNewSettings() {
    TOwnedPtr<TTestSettings> s(TComponent::Create<TTestSettings>(nullptr));
    return s->CompanyName();
}

TEST(RegistryView, OrganisationComesFromThisBuildsView) {
    TViewValue own(kOwnView), other(kOtherView);
    struct Case {
        const char* what;
        const char* ownText;    // nullptr: absent
        const char* otherText;  // nullptr: absent
        const char* expected;
    };
    const Case cases[] = {
        {"only in this build's view", "Own Org", nullptr, "Own Org"},
        {"only in the other view", nullptr, "Other Org", ""},
        {"different in both", "Own Org", "Other Org", "Own Org"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.ownText)
            ASSERT_TRUE(own.SetText(c.ownText));
        else
            own.Delete();
        if (c.otherText)
            ASSERT_TRUE(other.SetText(c.otherText));
        else
            other.Delete();
        EXPECT_EQ(CompanyOfNewSettings(), c.expected);
    }
}

}  // namespace
