// The window procedure of MainWindow and AboutWindow: control events to commands, colours,
// owner-drawn buttons, the focus across activations, and the end of the program.
#include "app/commands.h"
#include "app/win32/control_classes.h"
#include "app/win32/live_window.h"
#include "app/win32/modal.h"
#include "app/win32/program.h"
#include "app/win32/skin.h"
#include "app/win32/wide_text.h"

namespace kelo::win32 {
namespace {

LRESULT editColours(HWND control, HDC dc) {
  const ControlDesign* design = controlDesignOf(control);
  Rgb text = design && design->textColour ? *design->textColour : Rgb{0, 0, 0};
  SetTextColor(dc, RGB(text.red, text.green, text.blue));
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

void restoreFocus(LiveWindow& window) {
  HWND target = window.lastFocus;
  if (!target || !IsWindow(target)) {
    std::span<const ControlId> order = tabOrder(*window.design);
    target = nullptr;
    if (!order.empty()) {
      if (auto it = window.controls.find(order.front()); it != window.controls.end()) {
        target = it->second;
      }
    }
  }
  SetFocus(target ? target : window.hwnd);
}

}  // namespace

LRESULT CALLBACK topWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND: {
      const UINT code = HIWORD(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      // An owner-drawn button reports the second click of a double click as a double click.
      if (control && (code == BN_CLICKED || code == BN_DOUBLECLICKED)) {
        const ControlDesign* design = controlDesignOf(control);
        if (design && design->type == ControlType::Button) runControlCommand(programSeam(), *design);
        return 0;
      }
      break;
    }
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_BUTTON) break;
      skin::drawButton(*item, windowTextWide(item->hwndItem), controlFont(item->hwndItem),
                       isButtonHot(item->hwndItem));
      return TRUE;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HWND control = reinterpret_cast<HWND>(lParam);
      const ControlDesign* design = controlDesignOf(control);
      if (design && design->type == ControlType::EditBox) {
        return editColours(control, reinterpret_cast<HDC>(wParam));
      }
      break;
    }
    case WM_ACTIVATE: {
      LiveWindow* window = liveWindow(hwnd);
      if (!window) break;
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && GetAncestor(focus, GA_ROOT) == hwnd && focus != hwnd) window->lastFocus = focus;
      } else {
        restoreFocus(*window);
      }
      return 0;
    }
    case WM_CLOSE:
      restoreBeforeModalCloses(hwnd);
      DestroyWindow(hwnd);
      return 0;
    case WM_DESTROY:
      removeLiveWindow(hwnd);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace kelo::win32
