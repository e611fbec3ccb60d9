#pragma once
// A timer component: runs OnTimer every Interval milliseconds while it is
// Enabled and has an Interval above 0. OnTimer runs on
// the thread that made the timer's window (the GUI thread), from the message
// loop; an exception it raises goes to the application's error handler.

#include "platform/core/Component.h"
#include "platform/core/Event.h"

class TTimer : public TComponent {
    GLY_CLASS(TTimer)
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;

    bool Enabled() const noexcept { return enabled_; }
    void SetEnabled(bool value);
    int Interval() const noexcept { return interval_; }
    void SetInterval(int value);  // negative counts as 0

    // Whether the system timer is running now.
    bool Running() const noexcept { return id_ != 0; }

    TNotifyEvent OnTimer;

    void Loaded() override;

protected:
    void BeforeDestruction() override;

private:
    friend class TTimerWindow;
    void UpdateTimer();
    void Stop() noexcept;
    void Fire();

    bool enabled_ = true;
    int interval_ = 1000;
    uintptr_t id_ = 0;
};
