// AutoRestartApp: when Windows ends the user's session while the form is
// open, the program is registered to be started again at the next log-on.

#include <exception>

#include "platform/win/Application.h"
#include "psetting/PFormSettings.h"
#include "psetting/PRegistry.h"

namespace {
constexpr const char* kRunOnceKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
constexpr size_t kRunOnceNameLength = 20;

bool IsAsciiLetter(char c) noexcept { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
}  // namespace

// Forms of one program share SoftwareName and CompanyName, so they all write
// the same value and the program is started once.
std::string TPFormSettings::GetRunOnceName() const {
    std::string name;
    for (const char c : "PS" + softwareName_ + companyName_) {
        if (name.size() == kRunOnceNameLength) break;
        if (IsAsciiLetter(c)) name.push_back(c);
    }
    return name;
}

void TPFormSettings::WriteRunOnce() {
    if (!AutoRestartApp) return;
    // The session is ending: a failure is reported, and the form still
    // gets the message.
    try {
        TPRegistry reg;
        if (!reg.OpenKey(kRunOnceKey, true)) return;
        const std::string exe = Application ? Application->ExeName() : std::string();
        // A value without a program would start nothing.
        if (exe.empty()) return;
        reg.WriteString(GetRunOnceName(), "\"" + exe + "\"");
    } catch (const std::exception& e) {
        HandleException(e);
    }
}
