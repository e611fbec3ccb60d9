// Printing from the real program through its print menu, read back from the
// PDFs that the test printer writes; and printing without any printer.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <optional>

#include "platform/win/WinText.h"
#include "tests/e2e/MainWindow.h"
#include "tests/e2e/Pdf.h"
#include "tests/support/StoredState.h"

namespace {

constexpr double kPointsPerPixel = 72.0 / 300.0;  // the test printer prints at 300 dpi

// Releases a mouse button on the Print button and waits for the menu.
// Under Wine a click right after a message box has gone sometimes brings no
// menu (about one run in fifteen; the program is idle in its message loop
// then, and a second click opens it). So the click is repeated, as a user
// would, while no menu has come up.
HWND OpenPrintMenu(const TProgram& program, HWND button, bool right) {
    WaitFor([&] { return ::GetForegroundWindow() == program.Main(); });
    const LPARAM at = MAKELPARAM(5, 5);
    HWND menu = nullptr;
    for (int attempt = 0; attempt < 4 && !menu; ++attempt) {
        ::PostMessageW(button, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON, at);
        ::PostMessageW(button, right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, at);
        WaitFor([&] { return (menu = program.TopLevelOfClass(L"#32768")) != nullptr; }, std::chrono::seconds(10));
    }
    return menu;
}

// Chooses a menu item by its access key and waits for the menu to go.
void Choose(const TProgram& program, HWND menu, wchar_t key) {
    ::PostMessageW(menu, WM_CHAR, key, 0);
    WaitFor([&] { return program.TopLevelOfClass(L"#32768") == nullptr; });
}

// Selects a family in the list as the keyboard does.
bool SelectFamily(const TProgram& program, const std::string& family) {
    HWND list = program.Child(L"ListBox");
    HWND bar = program.Child(STATUSCLASSNAMEW);
    const std::wstring name = Wide(family);
    const LRESULT index = ::SendMessageW(list, LB_FINDSTRINGEXACT, WPARAM(-1), reinterpret_cast<LPARAM>(name.c_str()));
    if (index <= 0) return false;
    ::SendMessageW(list, LB_SETCURSEL, WPARAM(index - 1), 0);
    PressKey(list, VK_DOWN);
    return WaitFor([&] { return StatusText(program.Process(), bar, 2) == family; });
}

// The printer's page and resolution, as the program sees them.
struct TPage {
    int width = 0, height = 0, resolution = 0;
};

TPage TestPrinterPage() {
    TPage page;
    if (HDC dc = ::CreateDCW(L"WINSPOOL", L"PDF", nullptr, nullptr)) {
        page = TPage{::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES), ::GetDeviceCaps(dc, LOGPIXELSY)};
        ::DeleteDC(dc);
    }
    return page;
}

BOOL CALLBACK CollectText(HWND h, LPARAM lp) {
    reinterpret_cast<std::vector<std::string>*>(lp)->push_back(TextOf(h));
    return TRUE;
}

// The families whose printed names can be read back as text: those of the
// font packages the test machine installs, and "Default". (Names printed in
// symbol fonts, in vertical variants, or drawn as outlines cannot.)
bool ReadableFamily(const std::string& family) {
    return family == "Default" || family == "Tahoma" || family.rfind("DejaVu ", 0) == 0 ||
           family.rfind("Liberation ", 0) == 0;
}

// The title as it arrives in the PDF: Wine passes the job's name in the ANSI
// code page, and the PDF shows those bytes as Latin-1, in parentheses.
std::string TitleFromPdf(const std::string& shown) {
    std::wstring wide = Wide(shown);
    if (wide.size() >= 2 && wide.front() == L'(' && wide.back() == L')') wide = wide.substr(1, wide.size() - 2);
    std::string bytes;
    for (wchar_t c : wide) bytes += c < 256 ? static_cast<char>(c) : '?';
    const int n = ::MultiByteToWideChar(1250, 0, bytes.data(), int(bytes.size()), nullptr, 0);
    std::wstring decoded(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(1250, 0, bytes.data(), int(bytes.size()), decoded.data(), n);
    return Utf8(decoded);
}

std::string Cp1250Character(int code) {
    const char byte = static_cast<char>(code);
    wchar_t c = 0;
    ::MultiByteToWideChar(1250, 0, &byte, 1, &c, 1);
    return Utf8(std::wstring(1, c));
}

// Grey levels of the first page at 300 dpi (one byte per pixel).
struct TRaster {
    int width = 0, height = 0;
    std::string pixels;
    int At(int x, int y) const {
        if (x < 0 || y < 0 || x >= width || y >= height) return -1;
        return static_cast<unsigned char>(pixels[size_t(y) * size_t(width) + size_t(x)]);
    }
};

TRaster Rasterize(const std::string& pdf) {
    const std::string base = "/tmp/glyphora-e2e-raster-" + std::to_string(::GetCurrentProcessId());
    std::string data = RunShell("pdftoppm -r 300 -gray -aa no -aaVector no -singlefile '" + pdf + "' " + base +
                                " && cat " + base + ".pgm; rm -f " + base + ".pgm");
    TRaster r;
    // "P5\n<w> <h>\n255\n" then the pixels.
    size_t at = 0;
    int fields[3] = {};
    if (data.compare(0, 2, "P5") != 0) return r;
    at = 2;
    for (int& f : fields) {
        while (at < data.size() && isspace(static_cast<unsigned char>(data[at]))) ++at;
        f = std::atoi(data.c_str() + at);
        while (at < data.size() && isdigit(static_cast<unsigned char>(data[at]))) ++at;
    }
    ++at;
    r.width = fields[0];
    r.height = fields[1];
    r.pixels = data.substr(at);
    if (r.pixels.size() < size_t(r.width) * size_t(r.height)) r = TRaster{};
    return r;
}

// The darkest pixel within `radius` of a point.
int Darkest(const TRaster& r, int x, int y, int radius) {
    int darkest = 256;
    for (int dy = -radius; dy <= radius; ++dy)
        for (int dx = -radius; dx <= radius; ++dx)
            if (const int v = r.At(x + dx, y + dy); v >= 0) darkest = std::min(darkest, v);
    return darkest;
}

// The program started afresh with DejaVu Sans chosen, and the test printer
// ready; each test prints through the Print button's menu.
class PrintMenu : public testing::Test {
protected:
    void SetUp() override {
        page_ = TestPrinterPage();
        ASSERT_EQ(page_.resolution, 300) << "the test printer PDF is missing";
        ForgetStoredState();
        program_.emplace();
        ASSERT_NE(program_->Main(), nullptr);
        button_ = program_->ChildWithText("Tisk");
        list_ = program_->Child(L"ListBox");
        ASSERT_NE(button_, nullptr);
        ASSERT_NE(list_, nullptr);
        ASSERT_TRUE(SelectFamily(*program_, "DejaVu Sans"));
    }

    // Chooses the menu item with access key `key` and waits for the PDF
    // whose name starts with `prefix`; empty when none came. Wine passes the
    // job's name on without accents; cups-pdf names the file after it,
    // blanks made underscores.
    std::string Print(wchar_t key, const std::string& prefix) {
        const auto before = PdfFiles();
        Choose(*program_, OpenPrintMenu(*program_, button_, false), key);
        return WaitForNewPdf(prefix, before);
    }

    TPage page_;
    std::optional<TProgram> program_;
    HWND button_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(PrintMenu, EitherMouseButtonOpensItBelowTheButton) {
    RECT buttonRect{};
    ::GetWindowRect(button_, &buttonRect);
    // Its top-left corner at the button's bottom-left corner.
    for (bool right : {true, false}) {
        HWND menu = OpenPrintMenu(*program_, button_, right);
        ASSERT_NE(menu, nullptr);
        RECT menuRect{};
        ::GetWindowRect(menu, &menuRect);
        EXPECT_EQ(menuRect.left, buttonRect.left) << (right ? "right" : "left") << " button";
        EXPECT_EQ(menuRect.top, buttonRect.bottom) << (right ? "right" : "left") << " button";
        ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        ASSERT_TRUE(WaitFor([&] { return program_->TopLevelOfClass(L"#32768") == nullptr; }));
    }
    EXPECT_EQ(program_->Close(), 0);
}

// The font list: every name in its column and row, in list order.
TEST_F(PrintMenu, PrintsTheFontList) {
    const std::string fontList = Print(L's', "Seznam_fontu-job_");
    ASSERT_FALSE(fontList.empty());
    const int count = static_cast<int>(::SendMessageW(list_, LB_GETCOUNT, 0, 0));
    std::vector<std::string> families;
    for (int i = 0; i < count; ++i) families.push_back(ListText(list_, i));
    EXPECT_EQ(program_->Close(), 0);

    const auto info = PdfInfo(fontList);
    EXPECT_EQ(TitleFromPdf(info.at("Title")), "Seznam fontů");
    const int columnWidth = (page_.width - 300) / 2;
    const int pitch = (page_.resolution / 72) * 36;
    const int rows = (page_.height - 200) / pitch;
    const int perPage = 2 * rows;
    EXPECT_EQ(info.at("Pages"), std::to_string((count + perPage - 1) / perPage));

    const auto words = PdfWords(fontList);
    int checked = 0;
    for (int i = 0; i < count; ++i) {
        if (!ReadableFamily(families[size_t(i)])) continue;
        const int p = i / perPage, column = (i % perPage) / rows, row = i % rows;
        const double left = (100 + column * (columnWidth + 100)) * kPointsPerPixel;
        const double right = left + (columnWidth + 100) * kPointsPerPixel;
        const double top = (100 + row * pitch) * kPointsPerPixel;
        // A word's box starts at the font's ascent above the baseline,
        // which PDF and GDI measure a little differently per font.
        std::vector<const TPdfWord*> cell;
        for (const TPdfWord& w : words)
            if (w.page == p && w.xMin >= left - 1 && w.xMin < right - 1 && w.yMin >= top - 2 &&
                w.yMin < top + pitch * kPointsPerPixel - 2 && !w.text.empty())
                cell.push_back(&w);
        std::sort(cell.begin(), cell.end(), [](auto* a, auto* b) { return a->xMin < b->xMin; });
        std::string name;
        for (const TPdfWord* w : cell) name += (name.empty() ? "" : " ") + w->text;
        EXPECT_EQ(name, families[size_t(i)]) << "entry " << i << " on page " << p + 1;
        if (!cell.empty()) {
            EXPECT_NEAR(cell.front()->xMin, left, 0.5) << families[size_t(i)];
        }
        ++checked;
    }
    EXPECT_GE(checked, 12);
    const auto fonts = PdfFonts(fontList);
    for (const char* face : {"DejaVuSans", "DejaVuSerif", "DejaVuSansMono", "LiberationSans", "LiberationSerif",
                             "LiberationMono"})
        EXPECT_TRUE(fonts.count(face)) << face;
}

// The sample text: lines broken between words, clipped at the margin.
TEST_F(PrintMenu, PrintsTheSampleText) {
    HWND memo = TMainWindow(*program_).memo;
    ASSERT_NE(memo, nullptr);
    // A line with an ampersand, a line long enough to wrap, then more lines
    // than the page holds.
    std::string text = "První řádek & druhé slovo\r\n";
    for (int i = 1; i <= 80; ++i) text += "w" + std::to_string(100 + i) + " ";
    for (int i = 1; i <= 60; ++i) text += "\r\nr" + std::to_string(100 + i);
    const std::wstring wideText = Wide(text);
    ::SendMessageW(memo, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wideText.c_str()));

    const std::string sample = Print(L't', "Testovaci_text-job_");
    ASSERT_FALSE(sample.empty());
    EXPECT_EQ(program_->Close(), 0);

    const auto info = PdfInfo(sample);
    EXPECT_EQ(TitleFromPdf(info.at("Title")), "Testovací text");
    EXPECT_EQ(info.at("Pages"), "1");
    EXPECT_EQ(PdfFonts(sample), std::set<std::string>{"DejaVuSans"});
    auto words = PdfWords(sample);
    ASSERT_GE(words.size(), 5u);
    std::stable_sort(words.begin(), words.end(), [](const TPdfWord& a, const TPdfWord& b) {
        return std::lround(a.yMin) != std::lround(b.yMin) ? a.yMin < b.yMin : a.xMin < b.xMin;
    });
    const char* first[] = {"První", "řádek", "&", "druhé", "slovo"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(words[size_t(i)].text, first[i]);
        EXPECT_NEAR(words[size_t(i)].yMin, words[0].yMin, 0.5);
    }
    EXPECT_NEAR(words[0].xMin, 100 * kPointsPerPixel, 0.5);
    const double rightEdge = (page_.width - 100) * kPointsPerPixel;
    const double bottomEdge = (page_.height - 100) * kPointsPerPixel;
    std::set<long> longLineRows;
    int expected = 101;
    bool sawLast = false;
    for (size_t i = 5; i < words.size(); ++i) {
        const TPdfWord& w = words[i];
        EXPECT_LE(w.xMax, rightEdge + 0.5) << w.text;
        EXPECT_LT(w.yMin, bottomEdge) << w.text;
        if (w.text[0] == 'w') {
            EXPECT_EQ(w.text, "w" + std::to_string(expected++));
            longLineRows.insert(std::lround(w.yMin));
        }
        if (w.text == "r160") sawLast = true;
    }
    EXPECT_EQ(expected, 181);
    EXPECT_GT(longLineRows.size(), 1u);
    EXPECT_FALSE(sawLast) << "lines below the bottom margin are cut off";
    EXPECT_TRUE(std::any_of(words.begin(), words.end(), [](const TPdfWord& w) { return w.text == "r101"; }));
}

// The character map: each character centred in its cell, grey grid.
TEST_F(PrintMenu, PrintsTheCharacterMap) {
    const std::string charmap = Print(L'm', "Mapa_znaku-job_");
    ASSERT_FALSE(charmap.empty());
    EXPECT_EQ(program_->Close(), 0);

    const auto info = PdfInfo(charmap);
    EXPECT_EQ(TitleFromPdf(info.at("Title")), "Mapa znaků");
    EXPECT_EQ(info.at("Pages"), "1");
    EXPECT_EQ(PdfFonts(charmap), std::set<std::string>{"DejaVuSans"});
    const auto words = PdfWords(charmap);
    const int s = (page_.resolution / 72) * 22;
    std::map<int, double> rowTops;
    for (int code = 33; code <= 255; ++code) {
        const bool ascii = code <= 126;
        const bool letter = code >= 192 && code != 215 && code != 247;
        if (!ascii && !letter) continue;
        const int row = (code - 32) / 16, column = (code - 32) % 16;
        const double centre = (100 + column * s + s / 2.0) * kPointsPerPixel;
        const std::string ch = Cp1250Character(code);
        const auto found = std::find_if(words.begin(), words.end(), [&](const TPdfWord& w) {
            return w.text == ch && std::fabs((w.xMin + w.xMax) / 2 - centre) < 1.0 &&
                   w.yMin >= (100 + row * s) * kPointsPerPixel && w.yMin < (100 + (row + 1) * s) * kPointsPerPixel;
        });
        ASSERT_NE(found, words.end()) << "code " << code << " (" << ch << ")";
        // All characters of a row stand at the same height.
        if (!rowTops.count(row)) rowTops[row] = found->yMin;
        EXPECT_NEAR(found->yMin, rowTops[row], 1.5) << "code " << code;
    }
    const TRaster raster = Rasterize(charmap);
    ASSERT_GT(raster.width, 100 + 16 * s);
    for (int i = 0; i <= 16; ++i) {
        const int v = Darkest(raster, 100 + i * s, 100 + s / 2, 2);
        EXPECT_TRUE(v > 64 && v < 192) << "vertical line " << i << ": " << v;
    }
    for (int j = 0; j <= 14; ++j) {
        const int v = Darkest(raster, 100 + 5, 100 + j * s, 2);
        EXPECT_TRUE(v > 64 && v < 192) << "horizontal line " << j << ": " << v;
    }
    // Nothing beyond the grid's lower-right corner.
    EXPECT_EQ(Darkest(raster, 100 + 16 * s + 10, 100 + 14 * s + 10, 5), 255);
}

constexpr const wchar_t* kWindowsKey = L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// Wine's registry value that names the default printer, or empty.
std::wstring DefaultPrinterDevice() {
    wchar_t value[512] = {};
    DWORD size = sizeof value;
    if (::RegGetValueW(HKEY_CURRENT_USER, kWindowsKey, L"Device", RRF_RT_REG_SZ, nullptr, value, &size) !=
        ERROR_SUCCESS)
        return {};
    return value;
}

// Takes the default printer away for its lifetime (the printers themselves
// stay); puts it back on every path.
class TNoDefaultPrinter {
public:
    TNoDefaultPrinter() : device_(DefaultPrinterDevice()) {
        ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kWindowsKey, L"Device");
    }
    ~TNoDefaultPrinter() {
        if (device_.empty()) return;
        ::RegSetKeyValueW(HKEY_CURRENT_USER, kWindowsKey, L"Device", REG_SZ, device_.c_str(),
                          DWORD((device_.size() + 1) * sizeof(wchar_t)));
    }
    TNoDefaultPrinter(const TNoDefaultPrinter&) = delete;
    TNoDefaultPrinter& operator=(const TNoDefaultPrinter&) = delete;
    bool HadOne() const { return !device_.empty(); }

private:
    std::wstring device_;
};

bool NoDefaultPrinterShown(const std::vector<std::string>& texts) {
    return std::find(texts.begin(), texts.end(), "There is no default printer currently selected.") != texts.end();
}

TEST(Printing, WithoutAPrinterTheErrorIsShownAndNothingIsPrinted) {
    const auto before = PdfFiles();
    // No default printer, and a CUPS that nothing listens at, so that the
    // program's spooler finds none to take as the default either.
    const TNoDefaultPrinter noDefault;
    ASSERT_TRUE(noDefault.HadOne()) << "the test prefix should have a default printer to take away";
    ForgetStoredState();
    auto program = std::make_unique<TProgram>("CUPS_SERVER=" + PdfFolder() + "/no-cups-here.sock");
    ASSERT_NE(program->Main(), nullptr);
    HWND button = program->ChildWithText("Tisk");
    ASSERT_NE(button, nullptr);
    HWND menu = OpenPrintMenu(*program, button, false);
    ASSERT_NE(menu, nullptr) << "the print menu did not open";
    Choose(*program, menu, L'm');
    HWND box = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (box = program->TopLevelOfClass(L"#32770")) != nullptr; }));
    EXPECT_EQ(TextOf(box), "Glyphora");
    std::vector<std::string> texts;
    ::EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&texts));
    EXPECT_TRUE(NoDefaultPrinterShown(texts)) << ::testing::PrintToString(texts);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return program->TopLevelOfClass(L"#32770") == nullptr; }));

    // The program goes on: the menu opens again and a printout fails the same way.
    menu = OpenPrintMenu(*program, button, true);
    ASSERT_NE(menu, nullptr) << "the print menu did not open again after the message";
    Choose(*program, menu, L's');
    ASSERT_TRUE(WaitFor([&] { return (box = program->TopLevelOfClass(L"#32770")) != nullptr; }));
    texts.clear();
    ::EnumChildWindows(box, &CollectText, reinterpret_cast<LPARAM>(&texts));
    EXPECT_TRUE(NoDefaultPrinterShown(texts)) << ::testing::PrintToString(texts);
    ::PostMessageW(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(WaitFor([&] { return program->TopLevelOfClass(L"#32770") == nullptr; }));
    EXPECT_EQ(program->Close(), 0);
    EXPECT_EQ(PdfFiles(), before);

    const char* build = std::getenv("GLYPHORA_BUILD_DIR");
    ASSERT_NE(build, nullptr);
    // Should the program's spooler have dropped the printers, they come back
    // for whatever runs next: a new Wine process tree takes them in again.
    RunShell(std::string("${WINELOADER:-wine} '") + build + "/tests/driver/glydrive.exe' default-printer");
}

}  // namespace
