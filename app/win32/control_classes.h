// The window classes of the program: top-level windows, labels, group boxes, the picture box,
// and the subclassing of the system's edit boxes and buttons for the skin.
#pragma once

#include <windows.h>

namespace kelo::win32 {

inline constexpr wchar_t kWindowClass[] = L"KeloWindow";
inline constexpr wchar_t kLabelClass[] = L"KeloLabel";
inline constexpr wchar_t kGroupBoxClass[] = L"KeloGroupBox";
inline constexpr wchar_t kPicBoxClass[] = L"KeloPicBox";

// Registers the classes once; false when one cannot be registered.
bool registerWindowClasses(HINSTANCE instance);

LRESULT CALLBACK topWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Subclasses installed on the system's controls when they are created.
void subclassEditBox(HWND edit);
void subclassButton(HWND button);
// Whether the pointer is over an owner-drawn button now.
bool isButtonHot(HWND button);

}  // namespace kelo::win32
