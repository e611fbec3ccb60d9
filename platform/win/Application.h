#pragma once
// The application: owner of the forms, the message loop, the hidden window
// that owns every form's window, and the general error handler that every
// exception escaping a window message ends in.

#include <cstdint>
#include <exception>
#include <string>
#include <vector>

#include "platform/core/Component.h"
#include "platform/core/Event.h"
#include "platform/win/Form.h"
#include "platform/win/FormResource.h"
#include "platform/win/Handle.h"
#include "platform/win/WinTypes.h"

using TExceptionEvent = TEvent<void(TObject* Sender, const std::exception& E)>;

// The program's name: the application's title until one is set, and the
// caption of the error box while there is no application yet.
inline constexpr const char* kProgramTitle = "Glyphora";

class TApplication : public TComponent {
    GLY_CLASS(TApplication)
public:
    explicit TApplication(TComponent* owner);
    ~TApplication() override;

    // A step of the start-up order; the platform's own set-up is done by
    // InitPlatform before, so nothing is left for it to do.
    void Initialize() {}
    const std::string& Title() const noexcept { return title_; }
    void SetTitle(const std::string& value);

    // Makes a form of class T owned by the application, reads its form
    // resource (RCDATA named like the class), runs its OnCreate; the first
    // form made becomes the main form.
    template <class T>
    T* CreateForm() {
        return CreateFormFrom<T>(FindFormResource(T::StaticClass().name));
    }
    // The same with the form data given (binary stream or text form).
    template <class T>
    T* CreateFormFrom(const std::vector<uint8_t>& data) {
        T* form = TComponent::Create<T>(this);
        LoadForm(*form, data);
        return form;
    }
    TCustomForm* MainForm() const noexcept { return mainForm_; }

    // Shows the main form and handles messages until Terminate; then frees
    // the forms, the last made first.
    void Run();
    // Handles the messages that are waiting, then returns.
    void ProcessMessages();
    // Waits for one message and handles it.
    void HandleMessage();
    void Terminate();
    bool Terminated() const noexcept { return terminated_; }

    // The hidden window that owns the forms' windows; made on first use.
    HWND Handle();
    // The program's icon (its MAINICON resource), or the system's icon for
    // applications when the program has none. Shared: never destroyed.
    HICON Icon() const;
    // The full file name of the program's executable.
    std::string ExeName() const;
    // Minimizing the main form minimizes the application: its window shows
    // minimized (the button that stands for the program) and the visible
    // forms hide until Restore shows them again.
    void Minimize();
    void Restore();

    // The general error handler: OnException when assigned, otherwise a
    // message box captioned with the title (ShowException).
    void HandleException(const std::exception& e);
    void ShowException(const std::exception& e);
    TExceptionEvent OnException;

    void Notification(TComponent* component, TOperation operation) override;

private:
    friend class TApplicationWindow;
    void LoadForm(TCustomForm& form, const std::vector<uint8_t>& data);
    void FreeForms();

    std::string title_ = kProgramTitle;
    TCustomForm* mainForm_ = nullptr;
    bool terminated_ = false;
    TWindowHandle handle_;
    std::vector<HWND> hiddenForms_;  // hidden by Minimize, shown by Restore
};

// The one application object; made by InitPlatform.
extern TApplication* Application;

// Passes an exception to the application's general error handler; for the
// catch blocks of window procedures and other callbacks. Never throws.
void HandleException(const std::exception& e) noexcept;
