// Forms shown modally, and forms read from their streams.

#include <exception>
#include <utility>
#include <vector>

#include "platform/core/Exceptions.h"
#include "platform/win/Application.h"
#include "platform/win/Form.h"
#include "platform/win/Win32.h"

void LoadFormFrom(TCustomForm& form, const std::vector<uint8_t>& data) {
    try {
        ReadFormData(form, data);
    } catch (...) {
        TComponent::Free(&form);
        throw;
    }
    form.DoCreate();
}

namespace {

struct TCollected {
    std::vector<HWND> windows;
    std::exception_ptr error;
};

// No exception may leave through the system's frames, which would then not
// clean up after themselves: a failure stops the enumeration and is raised
// again once it has returned.
BOOL CALLBACK CollectEnabled(HWND window, LPARAM data) noexcept {
    auto& collected = *reinterpret_cast<TCollected*>(data);
    try {
        if (::IsWindowVisible(window) && ::IsWindowEnabled(window)) collected.windows.push_back(window);
        return TRUE;
    } catch (...) {
        collected.error = std::current_exception();
        return FALSE;
    }
}

// The thread's other top-level windows, without input while a form is
// modal; they take it again when this ends.
class TDisabledWindows {
public:
    explicit TDisabledWindows(HWND except) {
        TCollected collected;
        ::EnumThreadWindows(::GetCurrentThreadId(), &CollectEnabled, reinterpret_cast<LPARAM>(&collected));
        if (collected.error) std::rethrow_exception(collected.error);
        windows_ = std::move(collected.windows);
        std::erase(windows_, except);
        for (HWND w : windows_) ::EnableWindow(w, FALSE);
    }
    ~TDisabledWindows() {
        for (HWND w : windows_)
            if (::IsWindow(w)) ::EnableWindow(w, TRUE);
    }
    TDisabledWindows(const TDisabledWindows&) = delete;
    TDisabledWindows& operator=(const TDisabledWindows&) = delete;

private:
    std::vector<HWND> windows_;
};

}  // namespace

bool TCustomForm::CloseModal() {
    TCloseAction action = TCloseAction::caHide;
    OnClose(this, action);
    if (action != TCloseAction::caNone) return true;
    modalResult_ = mrNone;
    return false;
}

TModalResult TCustomForm::ShowModal() {
    if (modal_ || visible_ || !Enabled()) throw Exception("Cannot make a visible window modal");
    if (!Application) throw Exception("No application to run a modal form");
    HWND previous = ::GetActiveWindow();
    ::ReleaseCapture();
    HWND self = Handle();
    modalResult_ = mrNone;
    modal_ = true;
    {
        // Declared in this order, so that the others take input again
        // before the form hides: the activation goes back to them, not to
        // another program.
        struct THide {
            TCustomForm& form;
            ~THide() {
                form.modal_ = false;
                try {
                    form.Hide();
                } catch (const std::exception& e) {
                    HandleException(e);
                }
            }
        } hide{*this};
        TDisabledWindows others(self);
        Show();
        while (modalResult_ == mrNone) {
            try {
                Application->HandleMessage();
            } catch (const std::exception& e) {
                HandleException(e);
            }
            if (Application->Terminated() || !HandleAllocated() || !visible_) {
                if (modalResult_ == mrNone) modalResult_ = mrCancel;
                break;
            }
            if (modalResult_ != mrNone) CloseModal();
        }
    }
    if (previous && ::IsWindow(previous) && ::IsWindowVisible(previous)) ::SetActiveWindow(previous);
    return modalResult_;
}
