#pragma once
// Waiting in a test on the GUI thread: messages are handled through the
// application's loop (with its dialog keys) until a condition holds, with a
// limit that guards against hanging and is no measurement. Whoever waits
// checks the result before using what was waited for.

#include <chrono>
#include <functional>

#include "platform/win/Application.h"
#include "platform/win/Win32.h"

inline constexpr std::chrono::milliseconds kPumpLimit = std::chrono::seconds(30);

// True once `done` holds; false when it still does not after `limit`.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = kPumpLimit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        Application->ProcessMessages();
        if (done()) return true;
        if (std::chrono::steady_clock::now() > end) return false;
        // Woken at once by anything for this thread (a thread's hand-off is
        // a sent message), or after a moment for conditions set elsewhere.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT | QS_SENDMESSAGE);
    }
}

// True when nothing waits in this thread's queue: posted and sent messages,
// input, timers that are due and windows to paint.
inline bool QueueSettled() { return HIWORD(::GetQueueStatus(QS_ALLINPUT | QS_SENDMESSAGE)) == 0; }
