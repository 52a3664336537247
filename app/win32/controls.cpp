// Labels, group boxes and the picture box, and the skin's subclasses of edit boxes and buttons.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string_view>

#include "app/commands.h"
#include "app/win32/banner.h"
#include "app/win32/control_classes.h"
#include "app/win32/live_window.h"
#include "app/win32/program.h"
#include "app/win32/skin.h"
#include "app/win32/wide_text.h"
#include "app/win32/win_handles.h"

namespace kelo::win32 {
namespace {

void fillButtonFace(HDC dc, const RECT& r) { FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE)); }

bool isWordByte(wchar_t c) { return c < 0x80 && c != L' '; }

// How many characters of `line` go on one row of the given width: as many as fit, but a Latin
// word that would be cut moves to the next row whole (unless it alone is wider than the row).
int rowLength(HDC dc, std::wstring_view line, int width) {
  int fit = 0;
  SIZE extent{};
  GetTextExtentExPointW(dc, line.data(), static_cast<int>(line.size()), width, &fit, nullptr,
                        &extent);
  fit = std::max(fit, 1);
  if (static_cast<size_t>(fit) >= line.size()) return static_cast<int>(line.size());
  if (isWordByte(line[fit - 1]) && isWordByte(line[fit])) {
    for (int i = fit - 1; i > 0; --i) {
      if (!isWordByte(line[i])) return i + 1;
    }
  }
  return fit;
}

// Wrapped text, breaking at its CR LF and wherever a row is full. The rows stand one character
// height apart, as 宋体's do (its cell is its em): the CJK faces that stand in for it where it is
// missing have far taller cells, which would push the last lines out of the label.
void drawWrapped(HDC dc, const RECT& bounds, std::wstring_view text, int pitch) {
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  const int width = bounds.right - bounds.left;
  int top = bounds.top;
  while (top < bounds.bottom) {
    const size_t end = text.find(L"\r\n");
    std::wstring_view paragraph = text.substr(0, end);
    do {
      const int n = paragraph.empty() ? 0 : rowLength(dc, paragraph, width);
      // Each row's cell centred on its row.
      ExtTextOutW(dc, bounds.left, top + (pitch - tm.tmHeight) / 2, ETO_CLIPPED, &bounds,
                  paragraph.data(), static_cast<UINT>(n), nullptr);
      top += pitch;
      paragraph.remove_prefix(static_cast<size_t>(n));
      while (!paragraph.empty() && paragraph.front() == L' ') paragraph.remove_prefix(1);
    } while (!paragraph.empty() && top < bounds.bottom);
    if (end == std::wstring_view::npos) break;
    text.remove_prefix(end + 2);
  }
}

void paintLabel(HWND hwnd, HDC dc) {
  RECT r{};
  GetClientRect(hwnd, &r);
  fillButtonFace(dc, r);
  const ControlDesign* design = controlDesignOf(hwnd);
  const std::wstring text = windowTextWide(hwnd);
  SelectInDc font(dc, controlFont(hwnd));
  SetBkMode(dc, TRANSPARENT);
  const bool wrapped = design && design->wordWrap;
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  const int pitch = design && design->font ? design->font->height : tm.tmHeight;
  auto draw = [&](RECT at, COLORREF colour) {
    SetTextColor(dc, colour);
    if (wrapped) {
      drawWrapped(dc, at, text, pitch);
    } else {
      DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &at,
                DT_LEFT | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
    }
  };
  if (design && design->engraved) {
    RECT shadow = r;
    OffsetRect(&shadow, 1, 1);
    draw(shadow, RGB(255, 255, 255));
  }
  draw(r, RGB(0, 0, 0));
}

int modifierKeys(WPARAM mouseKeys) {
  int keys = 0;
  if (mouseKeys & MK_CONTROL) keys |= kCtrl;
  if (mouseKeys & MK_SHIFT) keys |= kShift;
  if (GetKeyState(VK_MENU) < 0) keys |= kAlt;
  return keys;
}

LRESULT CALLBACK labelProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PaintScope paint(hwnd);
      paintLabel(hwnd, paint.dc());
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT fills the whole label
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, FALSE);
      return result;
    }
    case WM_SETCURSOR: {
      const ControlDesign* design = controlDesignOf(hwnd);
      if (design && design->pointer == Pointer::Hand && LOWORD(lParam) == HTCLIENT) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    }
    case WM_LBUTTONDOWN: {
      // The press itself opens the page; releasing the button elsewhere cancels nothing.
      if (const ControlDesign* design = controlDesignOf(hwnd)) {
        runControlCommand(programSeam(), *design, static_cast<short>(LOWORD(lParam)),
                          static_cast<short>(HIWORD(lParam)), modifierKeys(wParam));
      }
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK groupBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PaintScope paint(hwnd);
      RECT r{};
      GetClientRect(hwnd, &r);
      const ControlDesign* design = controlDesignOf(hwnd);
      skin::drawGroupBox(paint.dc(), r, windowTextWide(hwnd), controlFont(hwnd),
                         design && design->textColour ? *design->textColour : Rgb{0, 0, 0});
      return 0;
    }
    case WM_ERASEBKGND: {
      RECT r{};
      GetClientRect(hwnd, &r);
      fillButtonFace(reinterpret_cast<HDC>(wParam), r);
      return 1;
    }
    case WM_SETTEXT: {
      LRESULT result = DefWindowProcW(hwnd, msg, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    // The controls inside a group box are its children: their notifications belong to the window.
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return SendMessageW(GetAncestor(hwnd, GA_ROOT), msg, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK picBoxProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      PaintScope paint(hwnd);
      RECT r{};
      GetClientRect(hwnd, &r);
      fillButtonFace(paint.dc(), r);
      drawBanner(paint.dc(), 0, 0);
      return 0;
    }
    case WM_ERASEBKGND:
      return 1;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK editSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
  LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
  if (msg == WM_NCPAINT) skin::drawEditFrame(hwnd);
  return result;
}

// Owner-drawn buttons keep whether the pointer is over them, for the skin's hover look.
constexpr wchar_t kHotProperty[] = L"KeloHot";

LRESULT CALLBACK buttonSubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
  switch (msg) {
    case WM_MOUSEMOVE:
      if (!GetPropW(hwnd, kHotProperty)) {
        SetPropW(hwnd, kHotProperty, reinterpret_cast<HANDLE>(1));
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      RemovePropW(hwnd, kHotProperty);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case WM_NCDESTROY:
      RemovePropW(hwnd, kHotProperty);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool registerClass(HINSTANCE instance, const wchar_t* name, WNDPROC proc, LPCWSTR cursor,
                   UINT style = 0) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = style;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, cursor);
  // The system colour index + 1 makes the system look the colour up whenever it paints.
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = name;
  if (proc == topWindowProc) {
    wc.hIcon = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, 32, 32, 0));
    wc.hIconSm = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON, 16, 16, 0));
  }
  return RegisterClassExW(&wc) != 0;
}

}  // namespace

bool registerWindowClasses(HINSTANCE instance) {
  return registerClass(instance, kWindowClass, topWindowProc, IDC_ARROW) &&
         registerClass(instance, kLabelClass, labelProc, IDC_ARROW) &&
         registerClass(instance, kGroupBoxClass, groupBoxProc, IDC_ARROW) &&
         registerClass(instance, kPicBoxClass, picBoxProc, IDC_ARROW);
}

void subclassEditBox(HWND edit) { SetWindowSubclass(edit, editSubclassProc, 1, 0); }

void subclassButton(HWND button) { SetWindowSubclass(button, buttonSubclassProc, 1, 0); }

bool isButtonHot(HWND button) { return GetPropW(button, kHotProperty) != nullptr; }

}  // namespace kelo::win32
