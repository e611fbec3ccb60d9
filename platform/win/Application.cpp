#include "platform/win/Application.h"

#include "platform/core/ClassBuilder.h"
#include "platform/core/Exceptions.h"
#include "platform/win/ErrorText.h"
#include "platform/win/Win32.h"
#include "platform/win/WinText.h"

TApplication* Application = nullptr;

void HandleException(const std::exception& e) noexcept {
    try {
        if (Application) {
            Application->HandleException(e);
        } else {
            ::MessageBoxW(::GetActiveWindow(), Wide(WithFullStop(e.what())).c_str(), Wide(kProgramTitle).c_str(),
                          MB_OK | MB_ICONSTOP);
        }
    } catch (...) {
        // The error handler itself failed; there is no one left to tell.
    }
}

class TApplicationWindow {
public:
    static LRESULT CALLBACK Procedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
        TApplication* app = Application;
        try {
            if (app && app->handle_.Get() == window) {
                switch (msg) {
                case WM_CLOSE:
                    if (app->mainForm_) app->mainForm_->Close();
                    return 0;
                case WM_SYSCOMMAND:
                    if ((wParam & 0xFFF0) == SC_MINIMIZE) {
                        app->Minimize();
                        return 0;
                    }
                    if ((wParam & 0xFFF0) == SC_RESTORE) {
                        app->Restore();
                        return 0;
                    }
                    break;
                default:
                    break;
                }
            }
        } catch (const std::exception& e) {
            HandleException(e);
            return 0;
        } catch (...) {
            HandleException(Exception("Unknown error"));
            return 0;
        }
        return ::DefWindowProcW(window, msg, wParam, lParam);
    }
};

const TClassInfo& TApplication::StaticClass() {
    static const TClassInfo info = TClassBuilder<TApplication>("TApplication", &TComponent::StaticClass).Build();
    return info;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {
    if (!Application) Application = this;
}

TApplication::~TApplication() {
    // The forms go while the application is whole: their destruction may
    // still report errors or ask for the main form.
    FreeForms();
    handle_.Reset();
    if (Application == this) Application = nullptr;
}

void TApplication::SetTitle(const std::string& value) {
    title_ = value;
    if (handle_) ::SetWindowTextW(handle_.Get(), Wide(value).c_str());
}

HWND TApplication::Handle() {
    if (!handle_) {
        static const wchar_t* const kClass = L"TApplication";
        static bool registered = false;
        HINSTANCE instance = ::GetModuleHandleW(nullptr);
        if (!registered) {
            WNDCLASSEXW wc{};
            wc.cbSize = sizeof wc;
            wc.lpfnWndProc = &TApplicationWindow::Procedure;
            wc.hInstance = instance;
            wc.hIcon = ::LoadIconW(instance, L"MAINICON");
            wc.lpszClassName = kClass;
            registered = ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
        }
        // Zero-sized and hidden: it only owns the forms and, while the
        // application is minimized, stands for it.
        const TRect work{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
        handle_.Reset(::CreateWindowExW(0, kClass, Wide(title_).c_str(),
                                        WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                                        work.Width() / 2, work.Height() / 2, 0, 0, nullptr, nullptr, instance,
                                        nullptr));
        if (!handle_) throw Exception("Cannot create the application window");
    }
    return handle_.Get();
}

HICON TApplication::Icon() const {
    if (HICON own = ::LoadIconW(::GetModuleHandleW(nullptr), L"MAINICON")) return own;
    return ::LoadIconW(nullptr, IDI_APPLICATION);
}

std::string TApplication::ExeName() const {
    // Paths beyond MAX_PATH exist; grow until the name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (n == 0) return {};
        if (n < path.size()) return Utf8(std::wstring_view(path.data(), n));
        path.resize(path.size() * 2);
    }
}

void TApplication::LoadForm(TCustomForm& form, const std::vector<uint8_t>& data) {
    LoadFormFrom(form, data);
    if (!mainForm_) mainForm_ = &form;
}

void TApplication::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::Remove && component == mainForm_) mainForm_ = nullptr;
}

namespace {

// Keyboard navigation between a form's controls: the form's own keys (Tab,
// page switching), then the dialog manager's (arrows, Enter, Esc, access keys).
bool IsDialogKey(MSG& msg) {
    if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
    HWND root = ::GetAncestor(msg.hwnd, GA_ROOT);
    TControl* control = root ? TControl::FromHandle(root) : nullptr;
    if (!control) return false;
    if (auto* form = control->As<TCustomForm>(); form && form->DialogKey(msg)) return true;
    return ::IsDialogMessageW(root, &msg) != FALSE;
}

}  // namespace

void TApplication::HandleMessage() {
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        terminated_ = true;
        return;
    }
    if (!IsDialogKey(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            return;
        }
        if (!IsDialogKey(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

void TApplication::Run() {
    try {
        if (mainForm_) mainForm_->Show();
    } catch (const std::exception& e) {
        HandleException(e);
    }
    while (!terminated_ && mainForm_) {
        try {
            HandleMessage();
        } catch (const std::exception& e) {
            HandleException(e);
        }
    }
    FreeForms();
}

void TApplication::FreeForms() {
    // One at a time through Free, so that each removal is announced and the
    // main form is forgotten when it goes.
    while (ComponentCount() > 0) TComponent::Free(Components(ComponentCount() - 1));
}

void TApplication::Terminate() {
    if (!terminated_) ::PostQuitMessage(0);
}

void TApplication::Minimize() {
    HWND window = Handle();
    if (::IsIconic(window)) return;
    // The application's window goes down first, so that a form that watches
    // its own hiding already finds the application minimized.
    ::ShowWindow(window, SW_MINIMIZE);
    hiddenForms_.clear();
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* form = Components(i)->As<TCustomForm>();
        if (!form || !form->HandleAllocated() || !::IsWindowVisible(form->WindowHandle())) continue;
        hiddenForms_.push_back(form->WindowHandle());
        ::ShowWindow(form->WindowHandle(), SW_HIDE);
    }
}

void TApplication::Restore() {
    HWND window = Handle();
    if (!::IsIconic(window)) return;
    ::ShowWindow(window, SW_RESTORE);
    for (HWND form : hiddenForms_)
        if (::IsWindow(form)) ::ShowWindow(form, SW_SHOW);
    hiddenForms_.clear();
    // Only the forms stand for the application while it is not minimized.
    ::ShowWindow(window, SW_HIDE);
    if (mainForm_ && mainForm_->HandleAllocated()) ::SetForegroundWindow(mainForm_->WindowHandle());
}

void TApplication::HandleException(const std::exception& e) {
    if (OnException)
        OnException(this, e);
    else
        ShowException(e);
}

void TApplication::ShowException(const std::exception& e) {
    ::MessageBoxW(::GetActiveWindow(), Wide(WithFullStop(e.what())).c_str(), Wide(title_).c_str(),
                  MB_OK | MB_ICONSTOP);
}
