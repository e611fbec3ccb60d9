#pragma once
// A worker thread with a synchronous hand-off to the GUI thread.
//
// Life of a thread object:
//  - The constructor makes the thread suspended; Start() lets it run. A
//    class that is meant to run at once calls Start() as the last statement
//    of its constructor (it must then be final), or its creator uses
//    TThread::New<T>(...), which constructs and starts.
//  - Execute() runs on the thread. An exception escaping it is kept
//    (FatalException) and ends the thread like a return.
//  - After Execute has returned, a notice is posted to the GUI thread; when
//    the GUI thread's message loop handles it, OnTerminate runs there (once),
//    and then, with FreeOnTerminate, the object deletes itself. Until that
//    notice has been handled, a FreeOnTerminate object stays alive, so its
//    owner may call Terminate() and WaitFor() on it at any time before its
//    OnTerminate ran; OnTerminate is where the owner drops its pointer
//    (comparing Sender with it: a newer thread may have replaced it by then).
//    The owner never deletes a FreeOnTerminate thread itself.
//  - Without FreeOnTerminate, the owner deletes the object, after WaitFor,
//    once Finished(), or in its OnTerminate handler; a notice still pending
//    for a deleted object is dropped (OnTerminate then never runs).
//  - A class whose Execute uses its own members calls Stop() first thing in
//    its destructor, so that a thread deleted while running never sees them
//    destroyed; the base destructor stops the thread too, but only after
//    they are gone.
//  - WaitFor() on the GUI thread keeps serving the calls that other threads
//    hand to it (Synchronize) and the messages they send to its windows,
//    but handles no input, no painting and no other posted message; a quit
//    request stays for the message loop. OnTerminate therefore runs only
//    after WaitFor has returned, from the message loop.
//  - Synchronize posts its call to the GUI thread's hidden window and waits
//    until the call has run, so any message loop that dispatches serves it.
//
// The GUI thread is the one that called InitThreadSync() (InitPlatform does),
// or else the one that made the first thread object.

#include <atomic>
#include <cstdint>
#include <exception>
#include <functional>
#include <utility>

#include "platform/core/Event.h"
#include "platform/core/Exceptions.h"
#include "platform/core/Rtti.h"
#include "platform/win/Handle.h"

GLY_EXCEPTION(EThreadError, Exception);

// Makes the hidden window that serves hand-offs, on the calling thread.
void InitThreadSync();
// Whether the calling thread is the GUI thread.
bool IsGuiThread() noexcept;

class TThread : public TObject {
public:
    static constexpr int kPriorityIdle = -15;  // THREAD_PRIORITY_IDLE
    static constexpr int kPriorityNormal = 0;

    TThread();
    ~TThread() override;
    TThread(const TThread&) = delete;
    TThread& operator=(const TThread&) = delete;

    template <class T, class... A>
    static T* New(A&&... args) {
        T* thread = new T(std::forward<A>(args)...);
        thread->Start();
        return thread;
    }

    // Lets a suspended thread run; once only, later calls do nothing.
    void Start();
    bool Started() const noexcept { return started_; }

    // Asks Execute to stop; it looks at Terminated() when it can.
    void Terminate() noexcept { terminated_.store(true); }
    bool Terminated() const noexcept { return terminated_.load(); }
    // Whether Execute has returned.
    bool Finished() const noexcept { return finished_.load(); }

    // Set it before Start(); it is read when the notice is handled.
    bool FreeOnTerminate() const noexcept { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool value);

    // A Win32 thread priority (THREAD_PRIORITY_xxx: -15 idle ... 15).
    int Priority() const;
    void SetPriority(int value);

    // Waits for the end of Execute and returns ReturnValue. On the GUI
    // thread it keeps serving hand-offs meanwhile (see above). Raises
    // EThreadError when called on the thread itself or before Start().
    int WaitFor();
    // Terminate() and WaitFor(), when started and not on the thread itself.
    void Stop();

    uint32_t ThreadID() const noexcept { return threadId_; }
    // The thread's HANDLE (owned by the object).
    void* Handle() const noexcept { return handle_.Get(); }
    // What escaped Execute, or null.
    std::exception_ptr FatalException() const noexcept { return fatal_; }

    // Runs on the GUI thread after Execute has ended; Sender is the thread.
    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    // Runs `fn` on the GUI thread and returns when it has run; directly when
    // called on the GUI thread. What `fn` throws is thrown here again.
    void Synchronize(const std::function<void()>& fn);
    // The value WaitFor returns and the thread's exit code.
    int ReturnValue = 0;

private:
    friend class TThreadSync;
    static unsigned __stdcall ThreadProc(void* self);
    unsigned Run() noexcept;
    void HandleTerminateNotice() noexcept;

    TKernelHandle handle_;
    uint32_t threadId_ = 0;
    uint32_t noticeId_ = 0;
    bool started_ = false;
    bool freeOnTerminate_ = false;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    std::atomic<bool> cancelled_{false};  // deleted before it was started
    std::exception_ptr fatal_;
};

