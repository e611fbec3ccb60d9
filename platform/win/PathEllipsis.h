#pragma once
// Shortening a path for display: the system replaces a middle part of it by
// an ellipsis so that the rest fits a given width.

#include <string>
#include <string_view>

class TWinControl;

// At most the first 255 characters of `path`, shortened with an ellipsis in
// the middle to fit `maxWidth` pixels in one line, measured with the
// control's current font on its drawing surface (the screen's when the
// control has no window yet).
std::string EllipsizePath(const TWinControl& surface, std::string_view path, int maxWidth);
