#pragma once
// What the recently used files tests share: a form with a menu bar whose
// items the list goes into, real files to list (the list drops names of
// files that do not exist), and readers of the menus as the component left
// them and as Win32 shows them.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win/Menus.h"
#include "tests/psetting/FormSettingsFixture.h"

namespace mrutest {

// A folder of empty files below the system's temporary folder, removed with
// everything in it at the end.
class TTempFiles {
public:
    TTempFiles() {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        static int serial = 0;
        folder_ = Utf8(temp) + "mru" + std::to_string(::GetCurrentProcessId()) + "_" + std::to_string(++serial);
        ::CreateDirectoryW(Wide(folder_).c_str(), nullptr);
    }
    TTempFiles(const TTempFiles&) = delete;
    TTempFiles& operator=(const TTempFiles&) = delete;
    ~TTempFiles() {
        for (const std::string& name : made_) ::DeleteFileW(Wide(Path(name)).c_str());
        ::RemoveDirectoryW(Wide(folder_).c_str());
    }

    // Makes the file and gives its full name.
    std::string Make(const std::string& name) {
        const std::string path = Path(name);
        HANDLE h = ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        EXPECT_NE(h, INVALID_HANDLE_VALUE) << path;
        if (h != INVALID_HANDLE_VALUE) ::CloseHandle(h);
        made_.push_back(name);
        return path;
    }
    void Remove(const std::string& name) { EXPECT_TRUE(::DeleteFileW(Wide(Path(name)).c_str())) << name; }
    std::string Path(const std::string& name) const { return folder_ + "\\" + name; }

private:
    std::string folder_;
    std::vector<std::string> made_;
};

// A menu bar of "&File" (Open, Exit) and an empty "&Recent" item, shown on
// the form; `fileItems` replaces the File menu's items.
inline std::string MenuText(const std::string& fileItems = "") {
    const std::string items = !fileItems.empty() ? fileItems
                                                 : "      object OpenItem: TMenuItem\n        Caption = '&Open'\n      end\n"
                                                   "      object ExitItem: TMenuItem\n        Caption = 'E&xit'\n      end\n";
    return "  Menu = MainMenu1\n"
           "  object MainMenu1: TMainMenu\n"
           "    object FileMenu: TMenuItem\n      Caption = '&File'\n" +
           items +
           "    end\n"
           "    object RecentMenu: TMenuItem\n      Caption = '&Recent'\n    end\n"
           "  end\n";
}

inline TMenuItem* Item(TForm* form, const char* name) { return static_cast<TMenuItem*>(form->FindComponent(name)); }

// The container's items as the component sees them: the caption, marked
// "[entry]" or "[sep]" when the item carries one of the component's tags.
inline std::vector<std::string> Described(const TMenuItem* container) {
    std::vector<std::string> out;
    for (int i = 0; i < container->Count(); ++i) {
        const TMenuItem* item = container->Items(i);
        std::string text = item->Caption();
        if (item->Tag() == TPFormSettings::kMRUEntryTag) text += " [entry]";
        if (item->Tag() == TPFormSettings::kMRUSeparatorTag) text += " [sep]";
        out.push_back(text);
    }
    return out;
}

// The texts of the form's menu bar submenu at `index` as Win32 shows them,
// "-" for a separator; empty when that item opens no submenu.
inline std::vector<std::string> Shown(TForm* form, int index) {
    std::vector<std::string> out;
    HMENU sub = ::GetSubMenu(::GetMenu(form->WindowHandle()), index);
    if (!sub) return out;
    for (int i = 0; i < ::GetMenuItemCount(sub); ++i) {
        if (::GetMenuState(sub, UINT(i), MF_BYPOSITION) & MF_SEPARATOR) {
            out.push_back("-");
            continue;
        }
        wchar_t text[512] = {};
        ::GetMenuStringW(sub, UINT(i), text, 512, MF_BYPOSITION);
        out.push_back(Utf8(text));
    }
    return out;
}

// The captions alone, as Shown gives them.
inline std::vector<std::string> Captions(const TMenuItem* container) {
    std::vector<std::string> out;
    for (int i = 0; i < container->Count(); ++i) out.push_back(container->Items(i)->Caption());
    return out;
}

// The stored form of a string list (kind 7): the kind, the length of the
// text, then the entries, each ended by CR LF.
inline regtest::TRawValue ListValue(const std::vector<std::string>& entries) {
    std::string text;
    for (const std::string& e : entries) text += e + "\r\n";
    const auto n = uint32_t(text.size());
    std::vector<uint8_t> bytes{7, 0, 0, 0, uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)};
    bytes.insert(bytes.end(), text.begin(), text.end());
    return formtest::Binary(bytes);
}

}  // namespace mrutest
