#pragma once
// Win32 handle types for headers, without <windows.h>. They are declared
// exactly as <windows.h> declares them (pointers to distinct incomplete
// structs), so the same names mean the same types in sources that include both.

struct HWND__;
struct HDC__;
struct HFONT__;
struct HBRUSH__;
struct HPEN__;
struct HBITMAP__;
struct HINSTANCE__;
struct HKEY__;
struct HMENU__;
struct HICON__;

using HWND = HWND__*;
using HDC = HDC__*;
using HFONT = HFONT__*;
using HBRUSH = HBRUSH__*;
using HPEN = HPEN__*;
using HBITMAP = HBITMAP__*;
using HINSTANCE = HINSTANCE__*;
using HKEY = HKEY__*;
using HMENU = HMENU__*;
using HICON = HICON__*;
