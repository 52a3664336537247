// Builds a window and its controls from a design.
#include "app/win32/window_loader.h"

#include <windows.h>
#include <commctrl.h>

#include "app/commands.h"
#include "app/win32/control_classes.h"
#include "app/win32/live_window.h"
#include "app/win32/program.h"
#include "app/win32/wide_text.h"

namespace kelo::win32 {
namespace {

UniqueFont createFont(const FontSpec& design) {
  // A negative height asks for the character height, not the cell height.
  return UniqueFont(CreateFontW(-design.height, 0, 0, 0, design.weight, design.italic, design.underline,
                                design.strikeOut, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                toWide(design.face).c_str()));
}

struct ClassAndStyle {
  const wchar_t* className;
  DWORD style;
  DWORD exStyle;
};

ClassAndStyle classFor(const ControlDesign& c) {
  const DWORD tab = c.tabIndex >= 0 ? WS_TABSTOP : 0;
  switch (c.type) {
    case ControlType::EditBox:
      return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | (c.readOnly ? ES_READONLY : 0) | tab,
              WS_EX_CLIENTEDGE};
    case ControlType::Button:
      // Owner-drawn so the skin can draw it; never a default button.
      return {L"BUTTON", BS_OWNERDRAW | tab, 0};
    case ControlType::Label:
      return {kLabelClass, 0, 0};
    case ControlType::GroupBox:
      return {kGroupBoxClass, WS_CLIPSIBLINGS, 0};
    case ControlType::PicBox:
      return {kPicBoxClass, 0, 0};
  }
  return {kLabelClass, 0, 0};
}

HWND createControl(LiveWindow& window, const ControlDesign& c) {
  HWND parent = window.hwnd;
  if (c.container != ControlId::None) {
    auto it = window.controls.find(c.container);
    if (it == window.controls.end()) return nullptr;
    parent = it->second;
  }
  ClassAndStyle cls = classFor(c);
  HWND hwnd = CreateWindowExW(cls.exStyle, cls.className, toWide(c.text).c_str(),
                              WS_CHILD | cls.style, c.x, c.y, c.width, c.height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                              programInstance(), nullptr);
  if (!hwnd) return nullptr;
  window.controls[c.id] = hwnd;

  HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (c.font) {
    UniqueFont own = createFont(*c.font);
    if (own) {
      font = own.get();
      window.fonts[c.id] = std::move(own);
    }
  }
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);

  if (c.type == ControlType::EditBox) {
    SendMessageW(hwnd, EM_SETLIMITTEXT, 0, 0);  // 0: as long as the system allows
    subclassEditBox(hwnd);
  } else if (c.type == ControlType::Button) {
    subclassButton(hwnd);
  }
  return hwnd;
}

}  // namespace

HWND loadWindow(const WindowDesign& design, HWND owner) {
  const DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
  const DWORD exStyle = design.taskbarButton ? WS_EX_APPWINDOW : 0;
  Point at = centredPosition(design, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
  HWND hwnd = CreateWindowExW(exStyle, kWindowClass, toWide(design.title).c_str(), style, at.x,
                              at.y, design.width, design.height, owner, nullptr,
                              programInstance(), nullptr);
  if (!hwnd) return nullptr;
  LiveWindow& window = addLiveWindow(design, hwnd);

  for (const ControlDesign& c : design.controls) {
    if (!createControl(window, c)) {
      DestroyWindow(hwnd);
      return nullptr;
    }
  }
  for (auto& [id, control] : window.controls) ShowWindow(control, SW_SHOWNA);

  ApplySkin(programSeam());  // the created event: every control exists, the window is hidden

  SetWindowPos(hwnd, nullptr, at.x, at.y, design.width, design.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(hwnd, SW_SHOW);
  UpdateWindow(hwnd);
  return hwnd;
}

}  // namespace kelo::win32
