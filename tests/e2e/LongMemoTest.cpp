// The real program with a long stored sample text: one the memo holds starts
// and closes about as fast as the design text, one longer than it holds is
// not applied and is repaired at the close, and random bytes do no harm.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/Text.h"
#include "tests/e2e/MainWindow.h"
#include "tests/e2e/StoredSettings.h"

namespace {

// Twice a normal start is the goal; the rest is room for a loaded machine.
// A text the edit control had to wrap took more than 60 s for 32,767
// characters.
constexpr double kStartRatio = 3.0;

struct TRun {
    double start = 0, close = 0;
    int exitCode = -1;
    std::string memo;
};

double Since(std::chrono::steady_clock::time_point t) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t).count();
}

// Starts the program with the stored memo text `stored` (none without one)
// and closes it again.
TRun StartAndClose(const std::optional<regtest::TRawValue>& stored) {
    ForgetStoredState();
    if (stored) Plant(kAppKey, "TestMemo.Text", *stored);
    TRun run;
    const auto started = std::chrono::steady_clock::now();
    TProgram program;
    run.start = Since(started);
    if (!program.Main()) return run;
    run.memo = TextOf(TMainWindow(program).memo);
    const auto closing = std::chrono::steady_clock::now();
    run.exitCode = program.Close();
    run.close = Since(closing);
    return run;
}

std::vector<uint8_t> RandomBytes(size_t count) {
    std::vector<uint8_t> bytes(count);
    uint32_t x = 20261210u;
    for (uint8_t& b : bytes) {
        x = x * 1664525u + 1013904223u;
        b = uint8_t(x >> 24);
    }
    return bytes;
}

class LongMemo : public Persistence {
protected:
    // The slower of two starts without stored settings, one before and one
    // after the others, so that a load that comes or goes counts for both.
    double NormalStart(const TRun& before) {
        const TRun after = StartAndClose(std::nullopt);
        EXPECT_EQ(before.exitCode, 0);
        EXPECT_EQ(after.exitCode, 0);
        return std::max(before.start, after.start);
    }
};

TEST_F(LongMemo, ATextTheMemoHoldsIsShownAndStartsAndClosesAsFastAsTheDesignText) {
    const TRun normal = StartAndClose(std::nullopt);
    ASSERT_EQ(normal.memo, kInitialMemo);
    struct TCase {
        const char* name;
        std::string text;
    };
    const TCase cases[] = {
        {"4 KiB on one line", std::string(4096, 'A')},
        {"32,767 characters on one line", std::string(32767, 'A')},
        {"32,767 characters in lines of 80", [] {
             std::string text;
             while (text.size() + 82 <= 32767) text += std::string(80, 'w') + "\r\n";
             return text + std::string(32767 - text.size(), 'w');
         }()},
    };
    std::vector<TRun> runs;
    for (const TCase& c : cases) runs.push_back(StartAndClose(Sz(c.text)));
    const double baseline = NormalStart(normal);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(runs[i].exitCode, 0);
        EXPECT_EQ(runs[i].memo.size(), cases[i].text.size());
        EXPECT_TRUE(runs[i].memo == cases[i].text) << "the memo shows another text";
        EXPECT_LE(runs[i].start, kStartRatio * baseline) << "a normal start took " << baseline << " s";
        EXPECT_LE(runs[i].close, baseline) << "the close took longer than a normal start";
    }
}

TEST_F(LongMemo, ATextLongerThanTheMemoHoldsIsNotAppliedAndIsRepairedAtTheClose) {
    const TRun normal = StartAndClose(std::nullopt);
    struct TCase {
        const char* name;
        regtest::TRawValue stored;
    };
    const TCase cases[] = {
        {"32,768 characters", Sz(std::string(32768, 'A'))},
        {"1 MiB", Sz(std::string(1 << 20, 'A'))},
    };
    std::vector<TRun> runs;
    std::vector<TRegistryTree> left;
    for (const TCase& c : cases) {
        runs.push_back(StartAndClose(c.stored));
        left.push_back(ReadTree(std::string(kCompanyKey) + "\\" + kAppKey));
    }
    const double baseline = NormalStart(normal);
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(runs[i].exitCode, 0);
        EXPECT_EQ(runs[i].memo, kInitialMemo);
        EXPECT_LE(runs[i].start, kStartRatio * baseline) << "a normal start took " << baseline << " s";
        EXPECT_LE(runs[i].close, baseline) << "the close took longer than a normal start";
        const auto stored = left[i].values.find(TRegistryTree::Entry("", "TestMemo.Text"));
        ASSERT_NE(stored, left[i].values.end());
        EXPECT_EQ(stored->second, Sz(kInitialMemo));
    }
}

// The registry's reader ends a string at its first zero: what is left of the
// random bytes is shown if the memo holds it, and stored back as shown.
TEST_F(LongMemo, OneMebibyteOfRandomBytesStartsAndClosesNormally) {
    const TRun normal = StartAndClose(std::nullopt);
    const TRun run = StartAndClose(Typed(REG_SZ, RandomBytes(1 << 20)));
    const TRegistryTree left = ReadTree(std::string(kCompanyKey) + "\\" + kAppKey);
    const double baseline = NormalStart(normal);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_LE(run.start, kStartRatio * baseline) << "a normal start took " << baseline << " s";
    EXPECT_LE(run.close, baseline) << "the close took longer than a normal start";
    EXPECT_LE(text::Utf8ToUtf16(run.memo).size(), 32767u);
    const auto stored = left.values.find(TRegistryTree::Entry("", "TestMemo.Text"));
    ASSERT_NE(stored, left.values.end());
    EXPECT_TRUE(stored->second == Sz(run.memo)) << "the stored text is not the one shown";
}

}  // namespace
