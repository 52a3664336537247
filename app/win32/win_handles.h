// Owners for Win32 handles: each handle has exactly one owner, which releases it.
#pragma once

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <type_traits>

namespace kelo::win32 {

struct GdiObjectDeleter {
  void operator()(HGDIOBJ h) const noexcept { DeleteObject(h); }
};
struct InternetHandleDeleter {
  void operator()(HINTERNET h) const noexcept { InternetCloseHandle(h); }
};
struct IconDeleter {
  void operator()(HICON h) const noexcept { DestroyIcon(h); }
};

using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, GdiObjectDeleter>;
using UniqueInternet = std::unique_ptr<void, InternetHandleDeleter>;

// Selects a GDI object into a DC for one scope and puts the old one back.
class SelectInDc {
 public:
  SelectInDc(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
  ~SelectInDc() { SelectObject(dc_, old_); }
  SelectInDc(const SelectInDc&) = delete;
  SelectInDc& operator=(const SelectInDc&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// BeginPaint/EndPaint for one WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd), dc_(BeginPaint(hwnd, &ps_)) {}
  ~PaintScope() { EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
  HDC dc_;
};

// GetWindowDC/ReleaseDC for drawing a window's frame; keeps the window it belongs to.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd) : hwnd_(hwnd), dc_(GetWindowDC(hwnd)) {}
  ~WindowDc() {
    if (dc_) ReleaseDC(hwnd_, dc_);
  }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC dc() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// An open clipboard, closed when the scope ends.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
  ~ClipboardScope() {
    if (open_) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  bool isOpen() const { return open_; }

 private:
  bool open_;
};

}  // namespace kelo::win32
