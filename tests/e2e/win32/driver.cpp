// Drives the Windows program from outside for the end-to-end tests, through window messages.
// Reads one command per line on stdin and answers one line on stdout ("ok ..." or "err ...").
// Texts cross the pipe as hex of their GB18030 bytes, so no code page stands in between.
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "encoding/gb18030.h"

namespace {

constexpr wchar_t kWindowClass[] = L"KeloWindow";

std::string hex(std::string_view bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 15];
  }
  return out.empty() ? "-" : out;
}

std::string unhex(const std::string& text) {
  if (text == "-") return {};
  std::string out;
  for (size_t i = 0; i + 1 < text.size(); i += 2) {
    out += static_cast<char>(std::stoi(text.substr(i, 2), nullptr, 16));
  }
  return out;
}

std::wstring wide(std::string_view gbk) {
  std::u16string u = kelo::utf16FromGb18030(gbk);
  return std::wstring(u.begin(), u.end());
}

std::string gbk(std::wstring_view w) { return kelo::gb18030FromUtf16(std::u16string(w.begin(), w.end())); }

std::wstring textOf(HWND hwnd) {
  // WM_GETTEXT crosses processes; GetWindowText would not read another process's controls.
  auto length = SendMessageW(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  auto got = SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

struct Found {
  std::vector<HWND> windows;
};

BOOL CALLBACK collectTopLevel(HWND hwnd, LPARAM param) {
  wchar_t cls[64]{};
  GetClassNameW(hwnd, cls, 64);
  if (lstrcmpW(cls, kWindowClass) == 0) reinterpret_cast<Found*>(param)->windows.push_back(hwnd);
  return TRUE;
}

// "main": the program's window without an owner; "about": the one with an owner.
HWND findWindow(const std::string& which) {
  Found found;
  EnumWindows(collectTopLevel, reinterpret_cast<LPARAM>(&found));
  for (HWND hwnd : found.windows) {
    bool owned = GetWindow(hwnd, GW_OWNER) != nullptr;
    if ((which == "main" && !owned) || (which == "about" && owned)) return hwnd;
  }
  return nullptr;
}

struct ChildSearch {
  int id;
  HWND found;
};

BOOL CALLBACK findChild(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (GetDlgCtrlID(hwnd) == search->id) {
    search->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND findControl(int id) {
  for (const char* which : {"main", "about"}) {
    HWND top = findWindow(which);
    if (!top) continue;
    ChildSearch search{id, nullptr};
    EnumChildWindows(top, findChild, reinterpret_cast<LPARAM>(&search));
    if (search.found) return search.found;
  }
  return nullptr;
}

DWORD programThread() {
  HWND main = findWindow("main");
  return main ? GetWindowThreadProcessId(main, nullptr) : 0;
}

std::string rectText(const RECT& r) {
  std::ostringstream out;
  out << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom;
  return out.str();
}

// Sets the key state of the program's input queue (Shift, Ctrl, Alt held or not), which the
// program reads with GetKeyState when it handles the next key or mouse message.
void setHeldKeys(int keys) {
  DWORD target = programThread();
  DWORD self = GetCurrentThreadId();
  if (!target || !AttachThreadInput(self, target, TRUE)) return;
  BYTE state[256]{};
  GetKeyboardState(state);
  auto set = [&](int vk, bool down) { state[vk] = down ? 0x80 : 0; };
  set(VK_CONTROL, keys & 1);
  set(VK_LCONTROL, keys & 1);
  set(VK_SHIFT, keys & 2);
  set(VK_LSHIFT, keys & 2);
  set(VK_MENU, keys & 4);
  set(VK_LMENU, keys & 4);
  SetKeyboardState(state);
  AttachThreadInput(self, target, FALSE);
}

HWND focusedControl() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  if (!GetGUIThreadInfo(programThread(), &info)) return nullptr;
  return info.hwndFocus;
}

std::string clipboardText() {
  for (int attempt = 0; attempt < 50; ++attempt) {
    if (OpenClipboard(nullptr)) {
      std::string text = "none";
      if (HANDLE data = GetClipboardData(CF_TEXT)) {
        if (auto* bytes = static_cast<const char*>(GlobalLock(data))) {
          text = hex(bytes);
          GlobalUnlock(data);
        }
      }
      CloseClipboard();
      return text;
    }
    Sleep(20);
  }
  return "busy";
}

std::string run(const std::string& line) {
  std::istringstream in(line);
  std::string cmd;
  in >> cmd;
  if (cmd == "wait") {  // wait <main|about> <ms>: until the window exists and is visible
    std::string which;
    int ms = 10000;
    in >> which >> ms;
    for (int waited = 0; waited <= ms; waited += 50) {
      HWND hwnd = findWindow(which);
      if (hwnd && IsWindowVisible(hwnd)) return "ok";
      Sleep(50);
    }
    return "err timeout";
  }
  if (cmd == "gone") {  // gone <main|about> <ms>: until the window no longer exists
    std::string which;
    int ms = 10000;
    in >> which >> ms;
    for (int waited = 0; waited <= ms; waited += 50) {
      if (!findWindow(which)) return "ok";
      Sleep(50);
    }
    return "err timeout";
  }
  if (cmd == "screen") {
    std::ostringstream out;
    out << "ok " << GetSystemMetrics(SM_CXSCREEN) << ' ' << GetSystemMetrics(SM_CYSCREEN);
    return out.str();
  }
  if (cmd == "rect" || cmd == "title" || cmd == "enabled" || cmd == "close" || cmd == "move" ||
      cmd == "style" || cmd == "owner" || cmd == "client") {
    std::string which;
    in >> which;
    HWND hwnd = findWindow(which);
    if (!hwnd) return "err no window";
    if (cmd == "rect") {
      RECT r{};
      GetWindowRect(hwnd, &r);
      return "ok " + rectText(r);
    }
    if (cmd == "client") {
      RECT r{};
      GetClientRect(hwnd, &r);
      POINT origin{0, 0};
      ClientToScreen(hwnd, &origin);
      OffsetRect(&r, origin.x, origin.y);
      return "ok " + rectText(r);
    }
    if (cmd == "title") return "ok " + hex(gbk(textOf(hwnd)));
    if (cmd == "enabled") return IsWindowEnabled(hwnd) ? "ok 1" : "ok 0";
    if (cmd == "owner") return GetWindow(hwnd, GW_OWNER) ? "ok 1" : "ok 0";
    if (cmd == "style") {
      std::ostringstream out;
      out << "ok " << std::hex << GetWindowLongPtrW(hwnd, GWL_STYLE) << ' '
          << GetWindowLongPtrW(hwnd, GWL_EXSTYLE);
      return out.str();
    }
    if (cmd == "close") {
      PostMessageW(hwnd, WM_CLOSE, 0, 0);
      return "ok";
    }
    int x = 0, y = 0;
    in >> x >> y;
    SetWindowPos(hwnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return "ok";
  }
  if (cmd == "text" || cmd == "settext" || cmd == "click" || cmd == "post-click" ||
      cmd == "ctlrect" || cmd == "ctlstyle" || cmd == "press" || cmd == "focus-to" ||
      cmd == "class" || cmd == "type") {
    int id = 0;
    in >> id;
    HWND control = findControl(id);
    if (!control) return "err no control";
    if (cmd == "text") return "ok " + hex(gbk(textOf(control)));
    if (cmd == "class") {
      wchar_t cls[64]{};
      GetClassNameW(control, cls, 64);
      return "ok " + gbk(cls);
    }
    if (cmd == "settext") {
      std::string bytes;
      in >> bytes;
      std::wstring w = wide(unhex(bytes));
      SendMessageW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(w.c_str()));
      return "ok";
    }
    if (cmd == "type") {  // type <id> <hex>: characters posted as if typed into the focused box
      std::string bytes;
      in >> bytes;
      for (wchar_t c : wide(unhex(bytes))) PostMessageW(control, WM_CHAR, c, 1);
      return "ok";
    }
    if (cmd == "click") {  // waits until the program has handled the click
      DWORD_PTR result = 0;
      if (!SendMessageTimeoutW(control, BM_CLICK, 0, 0, SMTO_NORMAL, 60000, &result)) {
        return "err timeout";
      }
      return "ok";
    }
    if (cmd == "post-click") {
      PostMessageW(control, BM_CLICK, 0, 0);
      return "ok";
    }
    if (cmd == "press") {  // press <id> <keys> <x> <y>: the left button pressed and released
      int keys = 0, x = 2, y = 2;
      in >> keys >> x >> y;
      setHeldKeys(keys);
      WPARAM mk = MK_LBUTTON | ((keys & 1) ? MK_CONTROL : 0) | ((keys & 2) ? MK_SHIFT : 0);
      PostMessageW(control, WM_LBUTTONDOWN, mk, MAKELPARAM(x, y));
      PostMessageW(control, WM_LBUTTONUP, mk & ~MK_LBUTTON, MAKELPARAM(x, y));
      return "ok";
    }
    if (cmd == "focus-to") {
      DWORD target = programThread();
      AttachThreadInput(GetCurrentThreadId(), target, TRUE);
      SetFocus(control);
      AttachThreadInput(GetCurrentThreadId(), target, FALSE);
      return "ok";
    }
    if (cmd == "ctlstyle") {
      std::ostringstream out;
      out << "ok " << std::hex << GetWindowLongPtrW(control, GWL_STYLE) << ' '
          << GetWindowLongPtrW(control, GWL_EXSTYLE);
      return out.str();
    }
    RECT r{};
    GetWindowRect(control, &r);
    return "ok " + rectText(r);
  }
  if (cmd == "focus") {
    HWND focus = focusedControl();
    if (!focus) return "ok 0";
    return "ok " + std::to_string(GetDlgCtrlID(focus));
  }
  if (cmd == "key") {  // key <vk> <keys>: a key pressed in the focused control
    int vk = 0, keys = 0;
    in >> vk >> keys;
    HWND focus = focusedControl();
    if (!focus) return "err no focus";
    setHeldKeys(keys);
    PostMessageW(focus, WM_KEYDOWN, static_cast<WPARAM>(vk), 1);
    PostMessageW(focus, WM_KEYUP, static_cast<WPARAM>(vk), 0xC0000001);
    return "ok";
  }
  if (cmd == "sync") {  // returns once the program has handled everything posted before
    HWND main = findWindow("main");
    if (!main) return "err no window";
    DWORD_PTR result = 0;
    for (int i = 0; i < 3; ++i) {
      if (!SendMessageTimeoutW(main, WM_NULL, 0, 0, SMTO_NORMAL, 60000, &result)) return "err timeout";
    }
    return "ok";
  }
  if (cmd == "clipboard") return "ok " + clipboardText();
  if (cmd == "set-clipboard") {
    std::string bytes;
    in >> bytes;
    std::string text = unhex(bytes);
    if (!OpenClipboard(nullptr)) return "err busy";
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    char* p = static_cast<char*>(GlobalLock(block));
    memcpy(p, text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    SetClipboardData(CF_TEXT, block);
    CloseClipboard();
    return "ok";
  }
  if (cmd == "msgbox") {  // msgbox <ms>: the title of a message box, once one is open
    int ms = 10000;
    in >> ms;
    for (int waited = 0; waited <= ms; waited += 50) {
      if (HWND box = FindWindowW(L"#32770", nullptr)) return "ok " + hex(gbk(textOf(box)));
      Sleep(50);
    }
    return "ok -";
  }
  if (cmd == "msgbox-ok") {  // presses OK in the open message box
    HWND box = FindWindowW(L"#32770", nullptr);
    if (!box) return "err no box";
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return "ok";
  }
  if (cmd == "quit") return "bye";
  return "err unknown command";
}

}  // namespace

int main() {
  std::string line;
  std::cout.setf(std::ios::unitbuf);
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::string answer = run(line);
    std::cout << answer << '\n';
    if (answer == "bye") break;
  }
  return 0;
}
