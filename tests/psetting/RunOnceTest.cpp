// AutoRestartApp: the value that registers the program for the next log-on,
// its name, and when the form's hook writes it.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "tests/psetting/FormSettingsFixture.h"

using namespace formtest;

namespace {

constexpr const char* kRunOnce = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";

// The RunOnce value of one name, removed before and after the test.
class TRunOnceValue {
public:
    explicit TRunOnceValue(std::string name) : name_(std::move(name)) { Delete(); }
    TRunOnceValue(const TRunOnceValue&) = delete;
    TRunOnceValue& operator=(const TRunOnceValue&) = delete;
    ~TRunOnceValue() { Delete(); }
    std::optional<regtest::TRawValue> Get() const { return regtest::RawGet(kRunOnce, name_); }

private:
    void Delete() const {
        HKEY key = nullptr;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, Wide(kRunOnce).c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        ::RegDeleteValueW(key, Wide(name_).c_str());
        ::RegCloseKey(key);
    }
    std::string name_;
};

std::string ExePath() {
    wchar_t path[1024];
    const DWORD n = ::GetModuleFileNameW(nullptr, path, 1024);
    return Utf8(std::wstring(path, n));
}

void EndSession(TForm* form, WPARAM ending) {
    ::SendMessageW(form->WindowHandle(), WM_ENDSESSION, ending, 0);
    Pump();
}

class RunOnce : public FormSettingsTest {
protected:
    // A shown form whose settings restart the program; named so that the
    // value name is cut to its 20 letters.
    TForm* Shown(bool autoRestart) {
        TForm* form = Load(Props("", autoRestart ? "    AutoRestartApp = True\n" : ""));
        Settings(form)->SetSoftwareName("Glyphora Test 2");
        Settings(form)->SetCompanyName("Orlenka s.r.o.");
        form->Show();
        Pump();
        return form;
    }
    TRunOnceValue value{"PSGlyphoraTestOrlenk"};
};

}  // namespace

TEST(RunOnceName, KeepsLettersOnlyAndAtMostTwenty) {
    struct Case {
        const char* software;
        const char* company;
        const char* name;
    };
    const Case cases[] = {
        {"Viewer", "Acme Tools", "PSViewerAcmeTools"},
        {"X-Ray", "Firm 2000 Ltd.", "PSXRayFirmLtd"},
        {"Abcdefghijklmnop", "Qrstuvwxyz", "PSAbcdefghijklmnopQr"},
        {"Abcdefghijklmnopqr", "", "PSAbcdefghijklmnopqr"},  // exactly 20
        {"", "", "PS"},
        {"123 -_.", "\\\"'", "PS"},
        {"Čtečka", "Žluť", "PStekalu"},  // letters beyond A-Z go too
    };
    TOwnedPtr<TForm> form(TComponent::Create<TForm>(nullptr));
    auto* s = TComponent::Create<TPFormSettings>(form.get());
    for (const Case& c : cases) {
        s->SetSoftwareName(c.software);
        s->SetCompanyName(c.company);
        EXPECT_EQ(s->GetRunOnceName(), c.name) << c.software << "|" << c.company;
    }
}

TEST_F(RunOnce, TheEndingSessionRegistersTheQuotedProgram) {
    TForm* form = Shown(true);
    EndSession(form, FALSE);  // the session goes on
    EXPECT_FALSE(value.Get());
    EndSession(form, TRUE);
    EXPECT_EQ(value.Get(), Sz("\"" + ExePath() + "\""));
    // The same name again: one value, rewritten.
    regtest::RawSet(kRunOnce, "PSGlyphoraTestOrlenk", REG_SZ, regtest::Utf16Sz("old"));
    EndSession(form, TRUE);
    EXPECT_EQ(value.Get(), Sz("\"" + ExePath() + "\""));
}

TEST_F(RunOnce, NothingIsRegisteredWithoutAutoRestartApp) {
    TForm* form = Shown(false);
    EndSession(form, TRUE);
    EXPECT_FALSE(value.Get());
}
