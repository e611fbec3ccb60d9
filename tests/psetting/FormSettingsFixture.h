#pragma once
// What the form and application settings tests share: real forms read from
// their text form, with a settings component whose key lies below the test's
// throwaway key, and the messages a user's actions give them.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/win/Application.h"
#include "platform/win/CheckBox.h"
#include "platform/win/Edit.h"
#include "platform/win/Form.h"
#include "platform/win/FormResource.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"
#include "psetting/PAppSettings.h"
#include "psetting/PFormSettings.h"
#include "tests/psetting/RegistryTestKey.h"
#include "tests/support/PumpUntil.h"

namespace formtest {

// Handles what is queued until nothing more comes: posted messages may post
// more, and painting follows them.
inline void Pump() { EXPECT_TRUE(PumpUntil(QueueSettled)) << "messages kept coming"; }

inline int ScreenWidth() {
    HDC dc = ::GetDC(nullptr);
    const int w = ::GetDeviceCaps(dc, HORZRES);
    ::ReleaseDC(nullptr, dc);
    return w;
}

inline int ScreenHeight() {
    HDC dc = ::GetDC(nullptr);
    const int h = ::GetDeviceCaps(dc, VERTRES);
    ::ReleaseDC(nullptr, dc);
    return h;
}

inline std::string ScreenRes() { return std::to_string(ScreenWidth()) + "x" + std::to_string(ScreenHeight()); }

// The pieces of a test form's text that vary from test to test.
struct TFormText {
    std::string formProps;      // more properties of the form
    std::string settingsProps;  // more properties of FormSettings1
    // The items of FormSettings1's "Settings" list, four text lines each.
    std::string settings = "      ''\n      'Check1.Checked'\n      ''\n      False\n";
    std::string appSettings;  // an AppSettings1 component, when not empty
};

inline TFormText Props(std::string formProps, std::string settingsProps) {
    TFormText t;
    t.formProps = std::move(formProps);
    t.settingsProps = std::move(settingsProps);
    return t;
}

inline std::string AppSettingsText(const std::string& softwareName, const std::string& more) {
    return "  object AppSettings1: TPAppSettings\n    CompanyName = 'GlyphoraTest'\n    SoftwareName = '" +
           softwareName + "'\n" + more + "  end\n";
}

class FormSettingsTest : public testing::Test {
protected:
    void SetUp() override { SetMainFormSaved(false); }
    void TearDown() override {
        for (auto it = forms_.rbegin(); it != forms_.rend(); ++it) TComponent::Free(*it);
        forms_.clear();
        if (Application->Terminated()) Pump();
        SetMainFormSaved(false);
    }

    // The last element of the test's key: the settings' SoftwareName.
    std::string Leaf() const { return key.Path().substr(std::string("Software\\GlyphoraTest\\").size()); }
    // Where FormSettings1 stores (below HKEY_CURRENT_USER).
    std::string FormKey(const std::string& formName = "TestForm") const { return key.Sub(formName); }
    std::string AppKey() const { return key.Sub("AppSettings"); }

    std::string Text(const TFormText& t) const {
        return "object TestForm: TForm\n"
               "  Left = 100\n  Top = 80\n  Width = 400\n  Height = 300\n  Caption = 'Settings'\n" +
               t.formProps +
               "  object Check1: TCheckBox\n    Left = 8\n    Top = 8\n    Width = 120\n    Height = 17\n"
               "    Caption = 'One'\n  end\n"
               "  object Edit1: TEdit\n    Left = 8\n    Top = 40\n    Width = 120\n    Height = 21\n  end\n"
               "  object FormSettings1: TPFormSettings\n    CompanyName = 'GlyphoraTest'\n    SoftwareName = '" +
               Leaf() + "'\n" + t.settingsProps + "    Settings = (\n" + t.settings + "    )\n  end\n" +
               t.appSettings + "end\n";
    }

    // A form read from the text; the application's main form when `main`
    // (and none is there yet). Freed by the fixture unless freed before.
    TForm* Load(const TFormText& t = {}, bool main = false) {
        const std::string text = Text(t);
        const std::vector<uint8_t> data(text.begin(), text.end());
        TForm* form = nullptr;
        if (main) {
            form = Application->CreateFormFrom<TForm>(data);
        } else {
            form = TComponent::Create<TForm>(Application);
            ReadFormData(*form, data);
        }
        forms_.push_back(form);
        return form;
    }
    void Free(TForm* form) {
        std::erase(forms_, form);
        TComponent::Free(form);
    }

    static TPFormSettings* Settings(TForm* form) {
        return static_cast<TPFormSettings*>(form->FindComponent("FormSettings1"));
    }
    static TPAppSettings* AppSettings(TForm* form) {
        return static_cast<TPAppSettings*>(form->FindComponent("AppSettings1"));
    }
    static TCheckBox* Check(TForm* form) { return static_cast<TCheckBox*>(form->FindComponent("Check1")); }
    static TEdit* Edit(TForm* form) { return static_cast<TEdit*>(form->FindComponent("Edit1")); }

    std::optional<regtest::TRawValue> Stored(const std::string& name, const std::string& sub = "") const {
        return regtest::RawGet(sub.empty() ? FormKey() : FormKey() + "\\" + sub, name);
    }
    // The value names under a key (below HKEY_CURRENT_USER), in any order.
    static std::vector<std::string> ValueNames(const std::string& path) {
        std::vector<std::string> names;
        HKEY k = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(path).c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return names;
        for (DWORD i = 0;; ++i) {
            wchar_t name[256];
            DWORD len = 256;
            if (::RegEnumValueW(k, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
            names.push_back(Utf8(std::wstring(name, len)));
        }
        ::RegCloseKey(k);
        std::sort(names.begin(), names.end());
        return names;
    }

    regtest::TTestKey key;

private:
    std::vector<TForm*> forms_;
};

inline regtest::TRawValue Dword(int32_t v) {
    const auto u = uint32_t(v);
    return {REG_DWORD, {uint8_t(u), uint8_t(u >> 8), uint8_t(u >> 16), uint8_t(u >> 24)}};
}
inline regtest::TRawValue Sz(const std::string& s) { return {REG_SZ, regtest::Utf16Sz(s)}; }
inline regtest::TRawValue Binary(std::vector<uint8_t> bytes) { return {REG_BINARY, std::move(bytes)}; }

}  // namespace formtest
