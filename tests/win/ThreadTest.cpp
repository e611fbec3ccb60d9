// Worker threads hand work to the GUI thread synchronously; the GUI thread's
// waits keep serving those hand-offs and nothing else; thread objects end
// and are freed exactly once.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>

#include "platform/core/Exceptions.h"
#include "platform/win/Thread.h"
#include "platform/win/Win32.h"
#include "tests/support/PumpUntil.h"

namespace {

class TTestThread : public TThread {
public:
    using Body = std::function<void(TTestThread&)>;
    static inline std::atomic<int> made{0};
    static inline std::atomic<int> destroyed{0};

    explicit TTestThread(Body body) : body_(std::move(body)) { ++made; }
    ~TTestThread() override {
        Stop();
        ++destroyed;
    }
    using TThread::Synchronize;
    void SetReturnValue(int value) { ReturnValue = value; }

protected:
    void Execute() override { body_(*this); }

private:
    Body body_;
};

// Handles what the queue holds now, a thread's end notice included.
void PumpWaiting() { ASSERT_TRUE(PumpUntil(QueueSettled)); }

class Threads : public testing::Test {
protected:
    void SetUp() override {
        PumpWaiting();
        TTestThread::made = 0;
        TTestThread::destroyed = 0;
    }
};

TEST_F(Threads, WaitForServesEveryHandOffAndNoPostedMessage) {
    const DWORD gui = ::GetCurrentThreadId();
    HWND probe = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    ASSERT_NE(probe, nullptr);
    constexpr UINT kPosted = WM_APP + 40;
    ::PostMessageW(probe, kPosted, 0, 0);
    int count = 0;
    bool allOnGui = true;
    bool postedStillWaiting = true;
    TTestThread* thread = TThread::New<TTestThread>([&](TTestThread& self) {
        for (int i = 0; i < 1000; ++i)
            self.Synchronize([&] {
                ++count;
                allOnGui = allOnGui && ::GetCurrentThreadId() == gui;
                MSG m;
                postedStillWaiting =
                    postedStillWaiting && ::PeekMessageW(&m, probe, kPosted, kPosted, PM_NOREMOVE | PM_NOYIELD);
            });
        self.SetReturnValue(7);
    });
    EXPECT_EQ(thread->WaitFor(), 7);
    EXPECT_EQ(count, 1000);
    EXPECT_TRUE(allOnGui);
    EXPECT_TRUE(postedStillWaiting);
    MSG m;
    EXPECT_TRUE(::PeekMessageW(&m, probe, kPosted, kPosted, PM_REMOVE));
    EXPECT_TRUE(thread->Finished());
    delete thread;
    ::DestroyWindow(probe);
}

TEST_F(Threads, TerminateDuringAHandOffEndsTheLoopRightAfterIt) {
    int count = 0;
    TTestThread* thread = nullptr;
    thread = TThread::New<TTestThread>([&](TTestThread& self) {
        while (!self.Terminated())
            self.Synchronize([&] {
                if (++count == 5) thread->Terminate();
            });
    });
    thread->WaitFor();
    EXPECT_EQ(count, 5);
    delete thread;
}

TEST_F(Threads, TerminateBetweenHandOffsAllowsAtMostOneMore) {
    std::atomic<int> count{0};
    TTestThread* thread = TThread::New<TTestThread>([&](TTestThread& self) {
        while (!self.Terminated()) self.Synchronize([&] { ++count; });
    });
    ASSERT_TRUE(PumpUntil([&] { return count >= 20; }));
    const int atRequest = count;
    thread->Terminate();
    thread->WaitFor();
    EXPECT_LE(count, atRequest + 1);
    EXPECT_GE(count, atRequest);
    delete thread;
}

TEST_F(Threads, FreeOnTerminateEndsWithOneNoticeAndOneDeletion) {
    int notices = 0;
    bool aliveDuringNotice = false;
    bool onGui = false;
    TObject* sender = nullptr;
    auto* thread = new TTestThread([](TTestThread&) {});
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = [&](TObject* s) {
        ++notices;
        sender = s;
        aliveDuringNotice = TTestThread::destroyed == 0;
        onGui = IsGuiThread();
    };
    thread->Start();
    ASSERT_TRUE(PumpUntil([] { return TTestThread::destroyed == 1; }));
    PumpWaiting();
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(sender, static_cast<TObject*>(thread));
    EXPECT_TRUE(aliveDuringNotice);
    EXPECT_TRUE(onGui);
    EXPECT_EQ(TTestThread::made, 1);
    EXPECT_EQ(TTestThread::destroyed, 1);
}

TEST_F(Threads, WithoutFreeOnTerminateTheOwnerDeletesAfterTheNotice) {
    int notices = 0;
    auto* thread = TThread::New<TTestThread>([](TTestThread&) {});
    thread->OnTerminate = [&](TObject*) { ++notices; };
    ASSERT_TRUE(PumpUntil([&] { return notices == 1; }));
    PumpWaiting();
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(TTestThread::destroyed, 0);
    delete thread;
    EXPECT_EQ(TTestThread::destroyed, 1);
}

TEST_F(Threads, TheOwnerMayDeleteItsThreadInTheNotice) {
    int notices = 0;
    auto* thread = TThread::New<TTestThread>([](TTestThread&) {});
    thread->OnTerminate = [&notices](TObject* sender) {
        ++notices;
        delete static_cast<TTestThread*>(sender);
    };
    ASSERT_TRUE(PumpUntil([] { return TTestThread::destroyed == 1; }));
    PumpWaiting();
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(TTestThread::destroyed, 1);
}

TEST_F(Threads, WaitForBeforeTheNoticeOfAFreeOnTerminateThread) {
    std::atomic<bool> release{false};
    TTestThread* owned = nullptr;
    auto* thread = new TTestThread([&](TTestThread& self) {
        while (!release) ::Sleep(1);
        self.SetReturnValue(42);
    });
    thread->SetFreeOnTerminate(true);
    thread->OnTerminate = [&](TObject* sender) {
        if (owned == sender) owned = nullptr;
    };
    owned = thread;
    thread->Start();
    release = true;
    // The object lives until its notice has been handled, so waiting is safe.
    EXPECT_EQ(owned->WaitFor(), 42);
    EXPECT_TRUE(owned->Finished());
    EXPECT_EQ(TTestThread::destroyed, 0);
    ASSERT_TRUE(PumpUntil([] { return TTestThread::destroyed == 1; }));
    EXPECT_EQ(owned, nullptr);
}

TEST_F(Threads, ANoticeForADeletedThreadIsDropped) {
    int notices = 0;
    auto* thread = TThread::New<TTestThread>([](TTestThread&) {});
    thread->OnTerminate = [&](TObject*) { ++notices; };
    thread->WaitFor();  // its notice is posted now, not yet handled
    delete thread;
    PumpWaiting();
    ::Sleep(20);
    PumpWaiting();
    EXPECT_EQ(notices, 0);
}

TEST_F(Threads, PriorityReadsBack) {
    auto* thread = new TTestThread([](TTestThread&) {});
    EXPECT_EQ(thread->Priority(), TThread::kPriorityNormal);
    thread->SetPriority(TThread::kPriorityIdle);
    EXPECT_EQ(thread->Priority(), -15);
    thread->Start();
    thread->WaitFor();
    delete thread;
}

TEST_F(Threads, ExceptionsStayOnTheirThreads) {
    std::string caughtInWorker;
    auto* thread = TThread::New<TTestThread>([&](TTestThread& self) {
        try {
            self.Synchronize([] { throw EConvertError("bad value"); });
        } catch (const EConvertError& e) {
            caughtInWorker = e.what();
        }
        throw EListError("worker failed");
    });
    thread->WaitFor();
    EXPECT_EQ(caughtInWorker, "bad value");
    ASSERT_TRUE(thread->FatalException());
    try {
        std::rethrow_exception(thread->FatalException());
    } catch (const EListError& e) {
        EXPECT_STREQ(e.what(), "worker failed");
    }
    delete thread;

    auto* calm = TThread::New<TTestThread>([](TTestThread&) {});
    calm->WaitFor();
    EXPECT_FALSE(calm->FatalException());
    delete calm;
}

TEST_F(Threads, NeverStartedThreadIsDeletedWithoutRunning) {
    bool ran = false;
    auto* thread = new TTestThread([&](TTestThread&) { ran = true; });
    EXPECT_FALSE(thread->Started());
    EXPECT_THROW(thread->WaitFor(), EThreadError);
    delete thread;
    EXPECT_FALSE(ran);
    EXPECT_EQ(TTestThread::destroyed, 1);
}

TEST_F(Threads, AHandOffIsServedByAnyLoopThatDispatchesAndReturnsOnlyOnceItHasRun) {
    std::atomic<bool> ended{false};
    std::atomic<int> handed{0};
    std::atomic<bool> ranBeforeReturn{true};
    TTestThread* thread = TThread::New<TTestThread>([&](TTestThread& self) {
        for (int i = 0; i < 200; ++i) {
            int value = -1;
            self.Synchronize([&, i] {
                if (i % 50 == 0) ::Sleep(5);  // a slow call must still be waited for
                value = i;
            });
            if (value != i) ranBeforeReturn = false;
            ++handed;
        }
        ended = true;
    });
    // A loop that knows nothing of threads, like a system dialog's or a
    // menu's: it only dispatches what arrives.
    const DWORD start = ::GetTickCount();
    while (!ended && ::GetTickCount() - start < 20000) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    }
    EXPECT_TRUE(ended);
    EXPECT_EQ(handed, 200);
    EXPECT_TRUE(ranBeforeReturn);
    thread->WaitFor();
    delete thread;
}

TEST_F(Threads, AQuitRequestMadeBeforeAWaitSurvivesIt) {
    // The window closed, then something waits for the thread before the
    // message loop runs again: the loop must still see the request.
    int count = 0;
    TTestThread* thread = TThread::New<TTestThread>([&](TTestThread& self) {
        for (int i = 0; i < 50; ++i) self.Synchronize([&] { ++count; });
    });
    ::PostQuitMessage(5);
    thread->WaitFor();
    EXPECT_EQ(count, 50);
    MSG msg;
    bool quit = false;
    WPARAM code = 0;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) {
            quit = true;
            code = msg.wParam;
        } else {
            ::DispatchMessageW(&msg);
        }
    EXPECT_TRUE(quit);
    EXPECT_EQ(code, 5u);
    delete thread;
}

TEST_F(Threads, SynchronizeOnTheGuiThreadRunsAtOnce) {
    auto* thread = new TTestThread([](TTestThread&) {});
    int ran = 0;
    thread->Synchronize([&] { ++ran; });
    EXPECT_EQ(ran, 1);
    delete thread;
}

}  // namespace
