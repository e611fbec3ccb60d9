#pragma once
// Small controls and helpers that the window tests share.

#include <string>
#include <vector>

#include "platform/core/ClassBuilder.h"
#include "platform/win/Application.h"
#include "platform/win/Win32.h"
#include "platform/win/WinControl.h"

// A standard EDIT control, subclassed onto the shared window procedure.
class TTestEdit : public TWinControl {
    GLY_CLASS(TTestEdit)
public:
    explicit TTestEdit(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 80, 21); }
    std::string Text() const { return GetText(); }
    void SetTextValue(const std::string& value) { SetText(value); }

protected:
    void CreateParams(TCreateParams& params) const override {
        TWinControl::CreateParams(params);
        params.systemClass = L"EDIT";
        params.style |= WS_BORDER | ES_AUTOHSCROLL;
    }
};

inline const TClassInfo& TTestEdit::StaticClass() {
    static const TClassInfo info = TClassBuilder<TTestEdit>("TTestEdit", &TWinControl::StaticClass)
                                       .Creatable()
                                       .Str("Text", &TTestEdit::Text, &TTestEdit::SetTextValue)
                                       .Build();
    return info;
}

inline std::vector<uint8_t> FormText(const std::string& text) { return std::vector<uint8_t>(text.begin(), text.end()); }

// The control's window rectangle in its parent's client coordinates.
inline RECT RectInParent(const TControl& c) {
    RECT r{};
    ::GetWindowRect(c.WindowHandle(), &r);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(c.WindowHandle()), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline std::string WindowText(HWND window) {
    wchar_t buffer[256] = {};
    ::GetWindowTextW(window, buffer, 256);
    std::string out;
    for (const wchar_t* p = buffer; *p; ++p) out += char(*p);  // ASCII texts only
    return out;
}

// Collects what reaches the application's error handler while it lives.
class TExceptionCatcher {
public:
    TExceptionCatcher() {
        Application->OnException = [this](TObject*, const std::exception& e) { messages.push_back(e.what()); };
    }
    ~TExceptionCatcher() { Application->OnException = nullptr; }
    TExceptionCatcher(const TExceptionCatcher&) = delete;
    TExceptionCatcher& operator=(const TExceptionCatcher&) = delete;

    std::vector<std::string> messages;
};
