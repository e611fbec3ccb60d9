#include "platform/win/PathEllipsis.h"

#include <vector>

#include "platform/win/Handle.h"
#include "platform/win/Win32.h"
#include "platform/win/WinControl.h"
#include "platform/win/WinText.h"

namespace {
constexpr size_t kMaxChars = 255;
// DT_MODIFYSTRING writes the ellipsis into the caller's text and may make it
// up to four characters longer than it was.
constexpr size_t kEllipsisRoom = 4;
}  // namespace

std::string EllipsizePath(const TWinControl& surface, std::string_view path, int maxWidth) {
    std::wstring text = Wide(path);
    if (text.size() > kMaxChars) {
        text.resize(kMaxChars);
        // Half a surrogate pair is no character.
        if (IS_HIGH_SURROGATE(text.back())) text.pop_back();
    }
    std::vector<wchar_t> buffer(text.begin(), text.end());
    buffer.resize(text.size() + kEllipsisRoom + 1, L'\0');

    const TWindowDC dc(surface.HandleAllocated() ? surface.WindowHandle() : nullptr);
    if (!dc) return Utf8(text);
    const TSelectObject font(dc.Get(), surface.Font()->Handle());
    RECT rect{0, 0, maxWidth, 0};
    ::DrawTextW(dc.Get(), buffer.data(), -1, &rect, DT_SINGLELINE | DT_CALCRECT | DT_PATH_ELLIPSIS | DT_MODIFYSTRING);
    return Utf8(buffer.data());
}
