// The timer component: OnTimer from the message loop while enabled, and an
// exception from its handler passed to the application's error handler.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/core/Exceptions.h"
#include "platform/win/Timer.h"
#include "tests/win/ControlTestUtil.h"

namespace {

// Handles messages for `ms` milliseconds, the time given to something that
// must not happen: the condition never holds, the limit is the wait.
void PumpFor(int ms) { static_cast<void>(PumpUntil([] { return false; }, std::chrono::milliseconds(ms))); }

TEST(Timer, FiresWhileEnabledAndStopsWhenDisabled) {
    TOwnedPtr<TTimer> timer(TComponent::Create<TTimer>(nullptr));
    int fired = 0;
    timer->OnTimer = [&](TObject* sender) {
        EXPECT_EQ(sender, timer.get());
        ++fired;
    };
    timer->SetInterval(15);
    EXPECT_TRUE(timer->Running());
    ASSERT_TRUE(PumpUntil([&] { return fired >= 3; }));
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
    ASSERT_TRUE(PumpUntil([&] { return quickFired >= 2; }));
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
    ASSERT_TRUE(PumpUntil([&] { return !caught.messages.empty(); }));
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
