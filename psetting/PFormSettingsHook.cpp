// The form settings component's hook on its form's window procedure: it
// saves once when the form is closed, hidden or destroyed, and again only
// after the form was shown again or the application was minimized since.

#include <exception>
#include <functional>

#include "platform/win/Application.h"
#include "platform/win/Form.h"
#include "platform/win/FormMessages.h"
#include "platform/win/WindowPlacement.h"
#include "psetting/PAppSettings.h"
#include "psetting/PFormSettings.h"

// Shared between the component and the procedure it put in the form: the
// component may go before the form does, and the procedure must then only
// pass messages on.
struct TPFormSettings::THookState {
    TPFormSettings* settings = nullptr;
    std::function<void(TMessage&)> previous;
};

struct TPFormSettings::THookProc {
    std::shared_ptr<THookState> state;
    void operator()(TMessage& m) const {
        if (state->settings) {
            state->settings->HookWndProc(m);
            return;
        }
        // A copy: passing the message on may replace the procedure again.
        const std::function<void(TMessage&)> previous = state->previous;
        if (previous) previous(m);
    }
};

void TPFormSettings::InstallHook() {
    hook_ = std::make_shared<THookState>(THookState{this, form_->WindowProc});
    form_->WindowProc = THookProc{hook_};
}

void TPFormSettings::RemoveHook() noexcept {
    if (!hook_) return;
    const THookProc* current = form_ ? form_->WindowProc.target<THookProc>() : nullptr;
    if (current && current->state == hook_) form_->WindowProc = hook_->previous;
    ReleaseHookState();
}

void TPFormSettings::ReleaseHookState() noexcept {
    if (!hook_) return;
    hook_->settings = nullptr;
    hook_.reset();
}

bool TPFormSettings::IsMainForm() const noexcept {
    return Application && form_ && Application->MainForm() == form_;
}

void TPFormSettings::HookWndProc(TMessage& m) {
    if (IsSessionEnding(m)) WriteRunOnce();
    if (IsBeingShown(m)) saved_ = false;
    // The minimized state is worth a new save until one has recorded it.
    if (IsPositionChanged(m) && Application && WindowShowsMinimized(Application->Handle()) && !appWasMinimized_)
        saved_ = false;
    if ((IsClosingMessage(m) || IsHiddenByPositionChange(m)) && !saved_ && loaded_) {
        // A save that fails is reported, once: the attempt counts as the
        // save of this close, and the form still closes (or hides).
        saved_ = true;
        try {
            SaveSettings();
            if (IsMainForm()) SetMainFormSaved(true);
        } catch (const std::exception& e) {
            HandleException(e);
        }
    }
    const std::function<void(TMessage&)> previous = hook_ ? hook_->previous : nullptr;
    if (IsDestroyMessage(m) && loaded_) RemoveHook();
    if (previous) previous(m);
}
