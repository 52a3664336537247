// The modal loop of a window shown over the others.
#include "app/win32/modal.h"

#include <utility>
#include <vector>

#include "app/win32/keyboard.h"
#include "app/win32/live_window.h"
#include "app/win32/program.h"
#include "app/win32/window_loader.h"

namespace kelo::win32 {
namespace {

struct ModalState {
  HWND window = nullptr;
  std::vector<std::pair<HWND, bool>> disabled;  // each other window and whether it was enabled

  void restore() {
    for (auto& [hwnd, wasEnabled] : disabled) {
      if (IsWindow(hwnd)) EnableWindow(hwnd, wasEnabled);
    }
    disabled.clear();
  }
};

// The innermost modal window first; a modal window may open another.
std::vector<ModalState*>& modalStack() {
  static std::vector<ModalState*> stack;
  return stack;
}

}  // namespace

void showModalWindow(const WindowDesign& design) {
  std::vector<HWND> others = liveWindowHandles();
  HWND owner = GetActiveWindow();
  if (!owner && !others.empty()) owner = others.front();

  ModalState state;
  state.window = loadWindow(design, owner);
  if (!state.window) fatalError(L"\u65e0\u6cd5\u521b\u5efa\u7a97\u53e3\u3002");  // 无法创建窗口。
  for (HWND other : others) {
    if (other == state.window) continue;
    state.disabled.emplace_back(other, EnableWindow(other, FALSE) == 0);
  }
  modalStack().push_back(&state);

  MSG msg;
  while (IsWindow(state.window)) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // leave the quit to the outer loop
      break;
    }
    if (got == -1) break;
    if (translateWindowKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }

  std::erase(modalStack(), &state);
  state.restore();
  if (owner && IsWindow(owner)) SetActiveWindow(owner);
}

void restoreBeforeModalCloses(HWND closing) {
  for (ModalState* state : modalStack()) {
    if (state->window == closing) state->restore();
  }
}

}  // namespace kelo::win32
