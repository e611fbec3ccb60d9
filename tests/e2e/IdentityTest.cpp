// What Windows tells about the built Glyphora.exe without running it: the
// version resource that Explorer's Properties show, and the manifest's list of
// the Windows versions the program was made for.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

// Win32.h leaves the version functions out (WIN32_LEAN_AND_MEAN).
#include <winver.h>

namespace {

std::wstring ProgramFile() {
    const char* build = std::getenv("GLYPHORA_BUILD_DIR");
    return build ? L"Z:" + Wide(std::string(build) + "/app/Glyphora.exe") : L"";
}

class TVersionInfo {
public:
    explicit TVersionInfo(const std::wstring& file) {
        DWORD ignored = 0;
        const DWORD size = ::GetFileVersionInfoSizeW(file.c_str(), &ignored);
        if (size == 0) return;
        data_.resize(size);
        if (!::GetFileVersionInfoW(file.c_str(), 0, size, data_.data())) data_.clear();
    }
    bool Present() const { return !data_.empty(); }

    // A string of the block named by the first translation, "" when absent.
    std::string Text(const wchar_t* name) const {
        struct Translation {
            WORD language, codePage;
        };
        Translation* t = nullptr;
        UINT size = 0;
        if (!::VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&t), &size) ||
            size < sizeof(Translation))
            return "";
        wchar_t path[128];
        std::swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", t->language, t->codePage, name);
        wchar_t* text = nullptr;
        if (!::VerQueryValueW(data_.data(), path, reinterpret_cast<void**>(&text), &size) || !text) return "";
        return Utf8(text);
    }

    const VS_FIXEDFILEINFO* Fixed() const {
        VS_FIXEDFILEINFO* info = nullptr;
        UINT size = 0;
        if (!::VerQueryValueW(data_.data(), L"\\", reinterpret_cast<void**>(&info), &size) || size < sizeof *info)
            return nullptr;
        return info;
    }

private:
    std::vector<BYTE> data_;
};

TEST(Identity, VersionResourceNamesProductCompanyAndVersion) {
    const TVersionInfo info(ProgramFile());
    ASSERT_TRUE(info.Present()) << "no version resource";
    const struct {
        const wchar_t* name;
        const char* expected;
    } cases[] = {
        {L"ProductName", "Glyphora"},
        {L"CompanyName", "Orlenka"},
        {L"ProductVersion", "2.10"},
        {L"FileVersion", "2.10"},
        {L"LegalCopyright", "Copyright \xC2\xA9 2024 Orlenka"},
        {L"OriginalFilename", "Glyphora.exe"},
        {L"Comments", ""},  // not given: absent, not made up
    };
    for (const auto& c : cases) EXPECT_EQ(info.Text(c.name), c.expected) << Utf8(c.name);
    EXPECT_FALSE(info.Text(L"FileDescription").empty());

    const VS_FIXEDFILEINFO* fixed = info.Fixed();
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, (2u << 16) | 10u);
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);
    EXPECT_EQ(fixed->dwProductVersionMS, (2u << 16) | 10u);
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
}

std::string Manifest(const std::wstring& file) {
    HMODULE module = ::LoadLibraryExW(file.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return "";
    std::string text;
    if (HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24))) {
        if (HGLOBAL loaded = ::LoadResource(module, res))
            text.assign(static_cast<const char*>(::LockResource(loaded)), ::SizeofResource(module, res));
    }
    ::FreeLibrary(module);
    return text;
}

TEST(Identity, ManifestListsWindows7To11) {
    const std::string manifest = Manifest(ProgramFile());
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    const struct {
        const char* windows;
        const char* id;
    } cases[] = {
        {"7", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"},
        {"8", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}"},
        {"8.1", "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"},
        {"10 and 11", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"},
    };
    for (const auto& c : cases)
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"") + c.id + "\"/>"), std::string::npos)
            << "Windows " << c.windows;
}

TEST(Identity, ManifestAsksForEachMonitorsDensity) {
    // Wine 8 reports every window per-monitor aware, manifest or not: what
    // the program asks of Windows is read from the manifest itself.
    const std::string manifest = Manifest(ProgramFile());
    ASSERT_FALSE(manifest.empty()) << "no manifest";
    const struct {
        const char* element;
        const char* ns;
        const char* value;
    } cases[] = {
        {"dpiAwareness", "http://schemas.microsoft.com/SMI/2016/WindowsSettings", "PerMonitorV2, PerMonitor"},
        {"dpiAware", "http://schemas.microsoft.com/SMI/2005/WindowsSettings", "true/pm"},
    };
    for (const auto& c : cases) {
        const std::string entry = std::string("<") + c.element + " xmlns=\"" + c.ns + "\">" + c.value + "</" +
                                  c.element + ">";
        EXPECT_NE(manifest.find(entry), std::string::npos) << entry;
    }
    EXPECT_EQ(manifest.find("<dpiAware>"), std::string::npos) << "an entry without its namespace is ignored";
}

}  // namespace
