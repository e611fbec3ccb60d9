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
#include "app/AppMainForm.h"
#include "app/FontFamilies.h"
#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

namespace {

constexpr int kStartupRounds = 5;
constexpr int kWalkRounds = 3;
constexpr int kRepaints = 200;

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
        {
            TRawPreviews raw(faces, names, style);
            rawWalks.push_back(NowSeconds() - start);
        }
        last = MeasureWalk(form);
        walks.push_back(last.seconds);
        if (r + 1 < kWalkRounds) SetStyleWithCacheOff(form, style);
    }

    const double repaint = MeasureRepaint(form, kRepaints);
    const double rawRepaint = RawTransparentBlits(form.FontList->Handle(), VisiblePreviews(form), kRepaints);

    std::printf("Families: %zu; previews kept after the walk: %d (%d pt, bold italic underline)\n", names.size(),
                last.kept, style.pointSize);
    std::printf("Address space left with every preview kept: %.0f MiB\n",
                double(ReservableAddressSpace()) / (1024.0 * 1024.0));
    const double walk = Median(walks), rawWalk = Median(rawWalks);
    Report("Preview walk / raw GDI render loop", walk / rawWalk, 1.3, Ms(walk) + " / " + Ms(rawWalk));
    Report("Screenful repaint / plain transparent blits", repaint / rawRepaint, 2.0,
           Ms(repaint) + " / " + Ms(rawRepaint));
    const double perPreview = last.kept ? double(last.committed) / last.kept : 0;
    const double perPixels = last.kept ? double(last.pixelBytes) / last.kept : 0;
    char sizes[96];
    std::snprintf(sizes, sizeof sizes, "%.0f / %.0f bytes", perPreview, perPixels);
    Report("Memory per kept preview / its pixel bytes", perPixels > 0 ? perPreview / perPixels : 0, 1.15, sizes);
    const double appStart = Median(appStarts), bareStart = Median(bareStarts);
    Report("Start to painted list / bare window + enumeration", appStart / bareStart, 1.5,
           Ms(appStart) + " / " + Ms(bareStart));
    const TWalkBreakdown parts = MeasureWalkBreakdown(form);
    std::printf("Per preview: rendering %s, hand-off %s, progress repaint %s\n", Ms(parts.render).c_str(),
                Ms(parts.handOff).c_str(), Ms(parts.progress).c_str());
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
