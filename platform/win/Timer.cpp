#include "platform/win/Timer.h"

#include <map>

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/win/Application.h"
#include "platform/win/Bitmap.h"  // EOutOfResources
#include "platform/win/Handle.h"
#include "platform/win/Win32.h"

// The hidden message-only window that receives every timer's WM_TIMER, made
// on the thread that starts the first timer. Timer ids are ours, unique
// while a timer runs, so a message that arrives after its timer stopped
// finds nothing.
class TTimerWindow {
public:
    static TTimerWindow& Instance() {
        static TTimerWindow instance;
        return instance;
    }

    uintptr_t Start(TTimer& timer, int interval) {
        HWND window = Handle();
        uintptr_t id = nextId_;
        while (id == 0 || timers_.count(id)) ++id;
        nextId_ = id + 1;
        if (!::SetTimer(window, id, UINT(interval), nullptr))
            throw EOutOfResources("Not enough timers available");
        timers_[id] = &timer;
        return id;
    }

    void Stop(uintptr_t id) noexcept {
        if (window_) ::KillTimer(window_.Get(), id);
        timers_.erase(id);
    }

private:
    TTimerWindow() = default;

    HWND Handle() {
        if (window_) return window_.Get();
        static const wchar_t* const kClass = L"GlyphoraTimerWindow";
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &TTimerWindow::Procedure;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kClass;
        if (!::RegisterClassExW(&wc) && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            throw EOutOfResources("Cannot register the timer window class");
        window_.Reset(::CreateWindowExW(0, kClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr));
        if (!window_) throw EOutOfResources("Cannot create the timer window");
        return window_.Get();
    }

    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg != WM_TIMER) return ::DefWindowProcW(window, msg, wParam, lParam);
        auto& self = Instance();
        const auto it = self.timers_.find(uintptr_t(wParam));
        if (it == self.timers_.end()) return 0;
        try {
            it->second->Fire();
        } catch (const std::exception& e) {
            HandleException(e);
        } catch (...) {
            HandleException(Exception("Unknown error"));
        }
        return 0;
    }

    TWindowHandle window_;
    std::map<uintptr_t, TTimer*> timers_;
    uintptr_t nextId_ = 1;
};

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTimer>("TTimer", &TComponent::StaticClass)
                                       .Creatable()
                                       .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled)
                                       .Default(1)
                                       .Int("Interval", &TTimer::Interval, &TTimer::SetInterval)
                                       .Default(1000)
                                       .Event("OnTimer", &TTimer::OnTimer)
                                       .Build();
    return info;
}

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() { Stop(); }

void TTimer::BeforeDestruction() {
    Stop();
    TComponent::BeforeDestruction();
}

void TTimer::SetEnabled(bool value) {
    if (enabled_ == value) return;
    enabled_ = value;
    UpdateTimer();
}

void TTimer::SetInterval(int value) {
    if (value < 0) value = 0;
    if (interval_ == value) return;
    interval_ = value;
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    Stop();
    // A form's timers start once the whole form has been read.
    if (IsLoading() || IsDestroying() || !enabled_ || interval_ <= 0) return;
    id_ = TTimerWindow::Instance().Start(*this, interval_);
}

void TTimer::Stop() noexcept {
    if (id_ == 0) return;
    TTimerWindow::Instance().Stop(id_);
    id_ = 0;
}

void TTimer::Fire() {
    if (enabled_) OnTimer(this);
}
