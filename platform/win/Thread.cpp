#include "platform/win/Thread.h"

#include <process.h>

#include <atomic>
#include <mutex>
#include <unordered_map>

#include "platform/win/Application.h"
#include "platform/win/Handle.h"
#include "platform/win/Win32.h"

// Lets the window procedure reach the thread's private notice handler.
class TThreadSync {
public:
    static void Notice(TThread& thread) noexcept { thread.HandleTerminateNotice(); }
};

namespace {

constexpr UINT kSyncCall = WM_APP + 1;         // lParam: TSyncCall*
constexpr UINT kTerminateNotice = WM_APP + 2;  // wParam: the thread's notice id

struct TSyncCall {
    const std::function<void()>* fn = nullptr;
    std::exception_ptr error;
    // Set by the GUI thread when the call has run; the caller waits on it.
    std::atomic<LONG> done{0};
};

std::atomic<DWORD> guiThreadId{0};
std::mutex syncMutex;  // guards the window's creation and the live threads
TWindowHandle syncWindow;
std::unordered_map<uint32_t, TThread*> liveThreads;  // by notice id
uint32_t lastNoticeId = 0;

LRESULT CALLBACK SyncWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

HWND SyncWindow() {
    std::lock_guard lock(syncMutex);
    return syncWindow.Get();
}

// Waits for `handle`; on the GUI thread it serves the calls that other
// threads hand to it meanwhile, and nothing else: other posted messages,
// input and painting wait.
void WaitServingHandOffs(HANDLE handle) {
    if (!IsGuiThread()) {
        ::WaitForSingleObject(handle, INFINITE);
        return;
    }
    HWND window = SyncWindow();
    // A pending quit request comes out of a peek whatever its filter (Wine
    // hands it to any peek for posted messages): it is kept here and made
    // again when the wait ends, so that the message loop still ends.
    struct TQuitKept {
        bool kept = false;
        int code = 0;
        ~TQuitKept() {
            if (kept) ::PostQuitMessage(code);
        }
    } quit;
    for (;;) {
        MSG msg;
        while (window && ::PeekMessageW(&msg, window, kSyncCall, kSyncCall, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                quit.kept = true;
                quit.code = int(msg.wParam);
                continue;
            }
            ::DispatchMessageW(&msg);
        }
        const DWORD r =
            ::MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE | QS_POSTMESSAGE);
        if (r == WAIT_OBJECT_0) return;
        if (r != WAIT_OBJECT_0 + 1) throw EThreadError("Waiting for the thread failed");
        // Peeking delivers the sent messages waiting; it removes nothing.
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

}  // namespace

void InitThreadSync() {
    std::lock_guard lock(syncMutex);
    if (syncWindow) return;
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = &SyncWindowProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlyphoraThreadSync";
        return ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) return;
    syncWindow.Reset(::CreateWindowExW(0, L"GlyphoraThreadSync", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       ::GetModuleHandleW(nullptr), nullptr));
    if (syncWindow) guiThreadId.store(::GetCurrentThreadId());
}

bool IsGuiThread() noexcept { return ::GetCurrentThreadId() == guiThreadId.load(); }

namespace {

LRESULT CALLBACK SyncWindowProc(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == kSyncCall) {
        auto* call = reinterpret_cast<TSyncCall*>(lParam);
        try {
            (*call->fn)();
        } catch (...) {
            // Raised again on the calling thread, never through this window.
            call->error = std::current_exception();
        }
        // The caller may return (and its call record go) as soon as the
        // flag is set: the wake-up uses the address only as a key.
        std::atomic<LONG>* done = &call->done;
        done->store(1, std::memory_order_release);
        ::WakeByAddressAll(done);
        return 0;
    }
    if (msg == kTerminateNotice) {
        TThread* thread = nullptr;
        {
            std::lock_guard lock(syncMutex);
            auto it = liveThreads.find(uint32_t(wParam));
            if (it != liveThreads.end()) {
                thread = it->second;
                liveThreads.erase(it);
            }
        }
        if (thread) TThreadSync::Notice(*thread);
        return 0;
    }
    return ::DefWindowProcW(window, msg, wParam, lParam);
}

}  // namespace

TThread::TThread() {
    InitThreadSync();
    {
        std::lock_guard lock(syncMutex);
        do noticeId_ = ++lastNoticeId;
        while (noticeId_ == 0 || liveThreads.count(noticeId_));
        liveThreads[noticeId_] = this;
    }
    unsigned id = 0;
    handle_.Reset(reinterpret_cast<HANDLE>(
        ::_beginthreadex(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &id)));
    if (!handle_) {
        std::lock_guard lock(syncMutex);
        liveThreads.erase(noticeId_);
        throw EThreadError("Thread creation error");
    }
    threadId_ = id;
}

TThread::~TThread() {
    {
        std::lock_guard lock(syncMutex);
        liveThreads.erase(noticeId_);
    }
    if (!handle_) return;
    if (::GetCurrentThreadId() != threadId_) {
        Terminate();
        // A thread never started ends at once: Run skips Execute.
        if (!started_) {
            started_ = true;
            cancelled_.store(true);
            ::ResumeThread(handle_.Get());
        }
        try {
            WaitServingHandOffs(handle_.Get());
        } catch (...) {
        }
    }
}

unsigned __stdcall TThread::ThreadProc(void* self) { return static_cast<TThread*>(self)->Run(); }

unsigned TThread::Run() noexcept {
    if (!cancelled_.load()) {
        try {
            Execute();
        } catch (...) {
            fatal_ = std::current_exception();
        }
    }
    const unsigned code = unsigned(ReturnValue);
    const uint32_t id = noticeId_;
    finished_.store(true);
    // From here on the object may be gone: only locals are used.
    if (HWND window = SyncWindow()) ::PostMessageW(window, kTerminateNotice, WPARAM(id), 0);
    return code;
}

void TThread::HandleTerminateNotice() noexcept {
    // The owner of a thread without FreeOnTerminate may delete it in the
    // handler: nothing of the object is used after the call.
    const bool freeIt = freeOnTerminate_;
    try {
        const TNotifyEvent handler = OnTerminate;
        handler(this);
    } catch (const std::exception& e) {
        HandleException(e);
    } catch (...) {
    }
    if (freeIt) delete this;
}

void TThread::Start() {
    if (started_) return;
    started_ = true;
    ::ResumeThread(handle_.Get());
}

void TThread::SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }

int TThread::Priority() const { return ::GetThreadPriority(handle_.Get()); }

void TThread::SetPriority(int value) {
    if (!::SetThreadPriority(handle_.Get(), value)) throw EThreadError("Cannot set the thread's priority");
}

int TThread::WaitFor() {
    if (!started_) throw EThreadError("Cannot wait for a thread that was not started");
    if (::GetCurrentThreadId() == threadId_) throw EThreadError("A thread cannot wait for itself");
    // Something the wait serves might free the object: wait on a handle of
    // our own and touch no member afterwards.
    HANDLE copy = nullptr;
    if (!::DuplicateHandle(::GetCurrentProcess(), handle_.Get(), ::GetCurrentProcess(), &copy, SYNCHRONIZE | THREAD_QUERY_INFORMATION,
                           FALSE, 0))
        throw EThreadError("Waiting for the thread failed");
    const TKernelHandle own(copy);
    WaitServingHandOffs(own.Get());
    DWORD code = 0;
    ::GetExitCodeThread(own.Get(), &code);
    return int(code);
}

void TThread::Stop() {
    Terminate();
    if (started_ && ::GetCurrentThreadId() != threadId_) WaitFor();
}

void TThread::Synchronize(const std::function<void()>& fn) {
    if (IsGuiThread()) {
        fn();
        return;
    }
    HWND window = SyncWindow();
    if (!window) throw EThreadError("No GUI thread to synchronize with");
    TSyncCall call;
    call.fn = &fn;
    // A posted message and a wait on the flag, not SendMessage: a sent
    // message costs the system twice the round trips (the reply and its
    // wake-up), and the preview walk hands over one call per family.
    if (::PostMessageW(window, kSyncCall, 0, reinterpret_cast<LPARAM>(&call))) {
        LONG notDone = 0;
        while (call.done.load(std::memory_order_acquire) == 0)
            ::WaitOnAddress(&call.done, &notDone, sizeof notDone, INFINITE);
    } else {
        ::SendMessageW(window, kSyncCall, 0, reinterpret_cast<LPARAM>(&call));
    }
    if (call.error) std::rethrow_exception(call.error);
    if (call.done.load(std::memory_order_acquire) == 0) throw EThreadError("The GUI thread did not run the call");
}
