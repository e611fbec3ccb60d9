// GlyphoraBench: how much the program's preview cache and start-up cost over
// plain GDI doing the same work. Each figure is a ratio of two times (or
// sizes) measured in this one run, on every installed font family, with the
// previews at 72 points bold italic underlined, the heaviest style.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "AppMeasures.h"
#include "Breakdown.h"
#include "Measure.h"
#include "RawBaselines.h"
#include "RawRepaint.h"
#include "tests/e2e/GdiObjects.h"
#include "app/AppMainForm.h"
#include "app/FontFamilies.h"
#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

constexpr int kStartupRounds = 5;
constexpr int kWalkRounds = 3;
constexpr int kRepaints = 100;
constexpr int kRepaintRounds = 5;
constexpr int kClicks = 60;

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void WriteFigure(const std::string& path, double seconds) {
    std::ofstream(path) << seconds;
}

// Runs this program again in a start-up mode; returns the seconds it
// measured from its entry, or a negative number when it failed.
double RunChild(const std::string& mode) {
    wchar_t exe[MAX_PATH];
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    wchar_t tempDir[MAX_PATH], tempFile[MAX_PATH];
    ::GetTempPathW(MAX_PATH, tempDir);
    ::GetTempFileNameW(tempDir, L"gb", 0, tempFile);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" " + Wide(mode) + L" \"" + tempFile + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    double seconds = -1;
    if (::CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
        ::WaitForSingleObject(process.hProcess, INFINITE);
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        std::ifstream(Utf8(tempFile)) >> seconds;
    }
    ::DeleteFileW(tempFile);
    return seconds;
}

void Report(const char* what, double ratio, double goal, const std::string& detail) {
    std::printf("%-52s %6.2f  (goal <= %.2f%s)  %s\n", what, ratio, goal, ratio <= goal ? "" : ", MISSED",
                detail.c_str());
}

std::string Ms(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3f ms", seconds * 1000);
    return text;
}

int Benchmark() {
    std::vector<double> appStarts, bareStarts;
    for (int r = 0; r < kStartupRounds; ++r) {
        appStarts.push_back(RunChild("--startup-app"));
        bareStarts.push_back(RunChild("--startup-bare"));
    }
    if (*std::min_element(appStarts.begin(), appStarts.end()) < 0 ||
        *std::min_element(bareStarts.begin(), bareStarts.end()) < 0) {
        std::fprintf(stderr, "a start-up run failed\n");
        return 1;
    }

    TMainForm& form = *StartProgram();
    Application->ProcessMessages();
    const TRawPreviewStyle style;
    SetStyleWithCacheOff(form, style);
    const auto& names = FontFamilies();
    std::vector<std::string> faces;
    for (const std::string& name : names) faces.push_back(FaceForFamily(name));

    std::vector<double> walks, rawWalks;
    TWalkFigures last;
    for (int r = 0; r < kWalkRounds; ++r) {
        const double start = NowSeconds();
        RawRenderLoop(faces, names, style);
        rawWalks.push_back(NowSeconds() - start);
        last = MeasureWalk(form);
        walks.push_back(last.seconds);
        if (r + 1 < kWalkRounds) SetStyleWithCacheOff(form, style);
    }
    // The cache full, then off: what the kept previews hold in GDI objects.
    const TGdiObjects full = GdiObjectsOf(::GetCurrentProcess());

    // The list's repaints and the plain window's in turns, so that a change
    // of load falls on both.
    const std::vector<TRawBlit> visible = VisiblePreviews(form);
    std::vector<double> repaints, rawRepaints;
    for (int r = 0; r < kRepaintRounds; ++r) {
        repaints.push_back(MeasureRepaint(form, kRepaints));
        rawRepaints.push_back(RawWindowRepaint(form.FontList->Handle(), visible, kRepaints));
    }
    const double repaint = Median(repaints), rawRepaint = Median(rawRepaints);
    const double rawBlits = RawTransparentBlits(form.FontList->Handle(), visible, kRepaints);
    const double draws = MeasurePreviewDraws(form, kRepaints);

    std::printf("Families: %zu; previews kept after the walk: %d (%d pt, bold italic underline)\n", names.size(),
                last.kept, style.pointSize);
    std::printf("Address space left with every preview kept: %.0f MiB\n",
                double(ReservableAddressSpace()) / (1024.0 * 1024.0));
    const double walk = Median(walks), rawWalk = Median(rawWalks);
    Report("Preview walk / raw GDI render loop", walk / rawWalk, 1.15, Ms(walk) + " / " + Ms(rawWalk));
    Report("Screenful repaint / plain window's repaint", repaint / rawRepaint, 1.5,
           Ms(repaint) + " / " + Ms(rawRepaint));
    const double perPreview = last.kept ? double(last.committed) / last.kept : 0;
    const double perPixels = last.kept ? double(last.pixelBytes) / last.kept : 0;
    const double perHeld = last.kept ? double(last.held) / last.kept : 0;
    char sizes[160];
    std::snprintf(sizes, sizeof sizes, "%.0f / %.0f bytes (%.0f held by its own count)", perPreview, perPixels,
                  perHeld);
    Report("Memory per kept preview / its 32-bit pixel bytes", perPixels > 0 ? perPreview / perPixels : 0, 0.3,
           sizes);
    const double appStart = Median(appStarts), bareStart = Median(bareStarts);
    Report("Start to painted list / bare window + enumeration", appStart / bareStart, 1.3,
           Ms(appStart) + " / " + Ms(bareStart));
    TClickTimes clicks = MeasureClicks(form, kClicks, true);
    TClickTimes quietClicks = MeasureClicks(form, kClicks, false);
    if (!clicks.toPanel.empty() && !quietClicks.toPanel.empty()) {
        const auto percentile = [](std::vector<double>& v, size_t pct) {
            std::sort(v.begin(), v.end());
            return v[std::min(v.size() - 1, v.size() * pct / 100)];
        };
        const double median = percentile(clicks.toPanel, 50), p95 = percentile(clicks.toPanel, 95);
        std::printf("%-52s %6.1f  (goal <= 30 ms%s)  %zu clicks\n", "Click to status panel 2 during the walk, median",
                    median, median <= 30 ? "" : ", MISSED", clicks.toPanel.size());
        std::printf("%-52s %6.1f  (goal <= 100 ms%s)\n", "Click to status panel 2 during the walk, 95th pct", p95,
                    p95 <= 100 ? "" : ", MISSED");
        std::printf("The same clicks with no walk: median %.1f ms, 95th percentile %.1f ms\n",
                    percentile(quietClicks.toPanel, 50), percentile(quietClicks.toPanel, 95));
        std::printf("Click to the whole window painted: median %.1f ms, 95th percentile %.1f ms during the walk; "
                    "%.1f / %.1f ms with no walk\n",
                    percentile(clicks.toWindow, 50), percentile(clicks.toWindow, 95),
                    percentile(quietClicks.toWindow, 50), percentile(quietClicks.toWindow, 95));
    }
    const TWalkBreakdown parts = MeasureWalkBreakdown(form);
    const TGdiObjects off = GdiObjectsOf(::GetCurrentProcess());
    if (full.read && off.read) {
        const int held = full.Total() - off.Total();
        std::printf("%-52s %6d  (goal <= 100%s)  %d with %d kept / %d with the cache off\n",
                    "GDI objects held by the preview cache", held, held <= 100 ? "" : ", MISSED", full.Total(),
                    last.kept, off.Total());
    } else {
        std::printf("GDI objects held by the preview cache: the handle table cannot be read\n");
    }
    std::printf("Per preview: rendering %s, hand-off %s, progress repaint %s\n", Ms(parts.render).c_str(),
                Ms(parts.handOff).c_str(), Ms(parts.progress).c_str());
    std::printf("Per screenful: the kept previews' draws alone %s of the list's repaint %s\n", Ms(draws).c_str(),
                Ms(repaint).c_str());
    std::printf("Per screenful: the plain masked blits alone, with no window's paint around them, %s "
                "(the list's repaint %.2f times that)\n",
                Ms(rawBlits).c_str(), rawBlits > 0 ? repaint / rawBlits : 0.0);
    std::fflush(stdout);
    TComponent::Free(&form);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const double entry = NowSeconds();
    const std::string mode = argc > 1 ? argv[1] : "";
    try {
        if (mode == "--startup-app" && argc > 2) {
            TMainForm* form = StartProgram();
            WriteFigure(argv[2], NowSeconds() - entry);
            TComponent::Free(form);
            return 0;
        }
        if (mode == "--startup-bare" && argc > 2) {
            BareWindowStartAndEnumerate(646, 500);
            WriteFigure(argv[2], NowSeconds() - entry);
            return 0;
        }
        if (!mode.empty()) {
            std::fprintf(stderr, "usage: GlyphoraBench.exe\n");
            return 2;
        }
        return Benchmark();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "GlyphoraBench: %s\n", e.what());
        return 1;
    }
}
