// Tab order, Escape, Enter and F1 in the program's windows.
#include "app/win32/keyboard.h"

#include "app/win32/live_window.h"

namespace kelo::win32 {
namespace {

bool held(int key) { return GetKeyState(key) < 0; }

void moveFocus(LiveWindow& window, bool backwards) {
  ControlId current = ControlId::None;
  if (HWND focus = GetFocus(); focus && GetAncestor(focus, GA_ROOT) == window.hwnd) {
    current = static_cast<ControlId>(GetDlgCtrlID(focus));
  }
  ControlId next = nextTabStop(*window.design, current, backwards);
  if (auto it = window.controls.find(next); it != window.controls.end()) {
    SetFocus(it->second);
    // An edit box reached by Tab shows its whole text selected, as in a dialog.
    wchar_t cls[8]{};
    GetClassNameW(it->second, cls, 8);
    if (lstrcmpiW(cls, L"EDIT") == 0) SendMessageW(it->second, EM_SETSEL, 0, -1);
  }
}

}  // namespace

bool translateWindowKey(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR) return false;
  if (!msg.hwnd) return false;
  LiveWindow* window = liveWindow(GetAncestor(msg.hwnd, GA_ROOT));
  if (!window) return false;

  const auto key = static_cast<UINT>(msg.wParam);
  if (msg.message == WM_CHAR) {
    // The characters of the keys handled below would only beep in an edit box.
    return key == L'\t' || key == L'\r' || key == L'\n' || key == 0x1B;
  }
  switch (key) {
    case VK_TAB:
      if (held(VK_CONTROL) || held(VK_MENU)) return false;
      moveFocus(*window, held(VK_SHIFT));
      return true;
    case VK_ESCAPE:
      if (held(VK_CONTROL) || held(VK_MENU) || held(VK_SHIFT)) return true;
      PostMessageW(window->hwnd, WM_SYSCOMMAND, SC_CLOSE, 0);  // as the close box would
      return true;
    case VK_RETURN:
    case VK_F1:
      return true;
    default:
      return false;
  }
}

}  // namespace kelo::win32
