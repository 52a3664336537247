// Lookups over the window designs: controls by id, the tab order, the start position.
#include <algorithm>
#include <vector>

#include "app/design.h"

namespace kelo {
namespace {

std::vector<ControlId> tabStopsOf(const WindowDesign& window) {
  std::vector<const ControlDesign*> stops;
  for (const ControlDesign& c : window.controls) {
    if (c.tabIndex >= 0) stops.push_back(&c);
  }
  std::ranges::sort(stops, {}, &ControlDesign::tabIndex);
  std::vector<ControlId> ids;
  for (const ControlDesign* c : stops) ids.push_back(c->id);
  return ids;
}

}  // namespace

const WindowDesign& windowDesign(WindowId id) {
  return id == WindowId::About ? aboutWindowDesign() : mainWindowDesign();
}

const ControlDesign* findControl(const WindowDesign& window, ControlId id) {
  auto it = std::ranges::find(window.controls, id, &ControlDesign::id);
  return it == window.controls.end() ? nullptr : &*it;
}

std::span<const ControlId> tabOrder(const WindowDesign& window) {
  static const std::vector<ControlId> main = tabStopsOf(mainWindowDesign());
  static const std::vector<ControlId> about = tabStopsOf(aboutWindowDesign());
  return window.id == WindowId::About ? about : main;
}

ControlId nextTabStop(const WindowDesign& window, ControlId current, bool backwards) {
  std::span<const ControlId> order = tabOrder(window);
  if (order.empty()) return ControlId::None;
  auto it = std::ranges::find(order, current);
  if (it == order.end()) return order.front();
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  std::ptrdiff_t i = it - order.begin();
  i = backwards ? (i + n - 1) % n : (i + 1) % n;
  return order[static_cast<std::size_t>(i)];
}

Point centredPosition(const WindowDesign& window, int screenWidth, int screenHeight) {
  // Integer division truncates toward zero, also for a screen smaller than the window.
  return {(screenWidth - window.width) / 2, (screenHeight - window.height) / 2};
}

}  // namespace kelo
