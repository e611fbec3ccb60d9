// The timer component: OnTimer from the message loop while enabled, and an
// exception from its handler passed to the application's error handler.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/core/Exceptions.h"
#include "platform/win/Timer.h"
#include "tests/win/ControlTestUtil.h"

namespace {

// Handles messages for `ms` milliseconds or until `until` holds.
template <class F>
void PumpFor(int ms, F until) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end && !until()) {
        Application->ProcessMessages();
        ::Sleep(2);
    }
}

void PumpFor(int ms) {
    PumpFor(ms, [] { return false; });
}

TEST(Timer, FiresWhileEnabledAndStopsWhenDisabled) {
    TOwnedPtr<TTimer> timer(TComponent::Create<TTimer>(nullptr));
    int fired = 0;
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer.get());
        ++fired;
    };
    timer->SetInterval(15);
    EXPECT_TRUE(timer->Running());
    PumpFor(3000, [&] { return fired >= 3; });
    EXPECT_GE(fired, 3);
    timer->SetEnabled(false);
    EXPECT_FALSE(timer->Running());
    const int before = fired;
    PumpFor(150);
    EXPECT_EQ(fired, before);
    timer->SetEnabled(true);
    timer->SetInterval(0);  // no interval: no timer
    EXPECT_FALSE(timer->Running());
    PumpFor(150);
    EXPECT_EQ(fired, before);
}

TEST(Timer, AFormsTimerStartsOnceTheFormIsRead) {
    TShownForm form(R"(object TimerForm: TForm
  Width = 200
  Height = 100
  object Quick: TTimer
    Interval = 10
  end
  object Off: TTimer
    Enabled = False
    Interval = 10
  end
end
)");
    auto* quick = form.Find<TTimer>("Quick");
    auto* off = form.Find<TTimer>("Off");
    EXPECT_TRUE(quick->Running());
    EXPECT_FALSE(off->Running());
    int quickFired = 0, offFired = 0;
    quick->OnTimer = [&](TObject*) { ++quickFired; };
    off->OnTimer = [&](TObject*) { ++offFired; };
    PumpFor(3000, [&] { return quickFired >= 2; });
    EXPECT_GE(quickFired, 2);
    EXPECT_EQ(offFired, 0);
}

TEST(Timer, AnExceptionInOnTimerGoesToTheErrorHandler) {
    TExceptionCatcher caught;
    TOwnedPtr<TTimer> timer(TComponent::Create<TTimer>(nullptr));
    timer->SetInterval(10);
    timer->OnTimer = [&](TObject*) {
        timer->SetEnabled(false);
        throw Exception("timer failed");
    };
    PumpFor(3000, [&] { return !caught.messages.empty(); });
    EXPECT_EQ(caught.messages, std::vector<std::string>{"timer failed"});
}

TEST(Timer, AFreedTimerNeverFires) {
    int fired = 0;
    {
        TOwnedPtr<TTimer> timer(TComponent::Create<TTimer>(nullptr));
        timer->SetInterval(5);
        timer->OnTimer = [&](TObject*) { ++fired; };
        ::Sleep(30);  // its WM_TIMER is due, but it goes before the loop runs
    }
    PumpFor(100);
    EXPECT_EQ(fired, 0);
}

}  // namespace
