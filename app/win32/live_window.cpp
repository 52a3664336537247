// The registry of the program's live windows.
#include "app/win32/live_window.h"

#include <algorithm>

namespace kelo::win32 {
namespace {

std::vector<std::unique_ptr<LiveWindow>>& registry() {
  static std::vector<std::unique_ptr<LiveWindow>> windows;
  return windows;
}

}  // namespace

LiveWindow& addLiveWindow(const WindowDesign& design, HWND hwnd) {
  auto window = std::make_unique<LiveWindow>();
  window->design = &design;
  window->hwnd = hwnd;
  return *registry().emplace_back(std::move(window));
}

void removeLiveWindow(HWND hwnd) {
  auto& windows = registry();
  auto it = std::ranges::find(windows, hwnd, [](const auto& w) { return w->hwnd; });
  if (it == windows.end()) return;
  windows.erase(it);
  if (windows.empty()) PostQuitMessage(0);
}

LiveWindow* liveWindow(HWND topLevel) {
  for (auto& w : registry()) {
    if (w->hwnd == topLevel) return w.get();
  }
  return nullptr;
}

LiveWindow* liveWindow(WindowId id) {
  for (auto& w : registry()) {
    if (w->design->id == id) return w.get();
  }
  return nullptr;
}

std::vector<HWND> liveWindowHandles() {
  std::vector<HWND> handles;
  for (auto& w : registry()) handles.push_back(w->hwnd);
  return handles;
}

HWND controlHandle(ControlId id) {
  for (auto& w : registry()) {
    if (auto it = w->controls.find(id); it != w->controls.end()) return it->second;
  }
  return nullptr;
}

const ControlDesign* controlDesignOf(HWND control) {
  LiveWindow* window = liveWindow(GetAncestor(control, GA_ROOT));
  if (!window) return nullptr;
  return findControl(*window->design, static_cast<ControlId>(GetDlgCtrlID(control)));
}

HFONT controlFont(HWND control) {
  LiveWindow* window = liveWindow(GetAncestor(control, GA_ROOT));
  if (window) {
    auto it = window->fonts.find(static_cast<ControlId>(GetDlgCtrlID(control)));
    if (it != window->fonts.end()) return it->second.get();
  }
  return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace kelo::win32
