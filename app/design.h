// Window designs as data: every control's type, container, place, text, font, colours, flags,
// tab order and event binding. Both front ends build their windows from these records.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "app/control_id.h"

namespace kelo {

struct Rgb {
  std::uint8_t red, green, blue;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A font of a control's own. The height is the character height in pixels (the em, not the cell).
struct FontSpec {
  std::string_view face;  // GBK bytes
  int height;
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
};

enum class ControlType { EditBox, Button, Label, GroupBox, PicBox };

// What a control's event runs: the click of a button, the left-button press of a label.
enum class Command { None, Analyze, CopyAddress, ShowAbout, OpenHomePage };

enum class Pointer { Default, Arrow, Hand };

struct ControlDesign {
  ControlId id = ControlId::None;
  ControlType type = ControlType::Label;
  ControlId container = ControlId::None;  // None: the window itself
  int x = 0, y = 0, width = 0, height = 0;
  std::string_view text = {};              // GBK bytes
  std::optional<FontSpec> font = {};       // none: the system's default GUI font
  std::optional<Rgb> textColour = {};      // none: black
  bool readOnly = false;              // EditBox
  bool engraved = false;              // Label: white copy one pixel right and down, then black
  bool wordWrap = false;              // Label: several lines, breaking at CR LF and at the width
  Pointer pointer = Pointer::Default;
  int tabIndex = -1;                  // -1: not a tab stop
  Command command = Command::None;
  ControlId commandTarget = ControlId::None;  // the box a copy command copies
};

struct WindowDesign {
  WindowId id;
  std::string_view title;  // GBK bytes
  int width, height;       // outer size, frame and caption included
  bool taskbarButton;
  std::span<const ControlDesign> controls;
};

const WindowDesign& mainWindowDesign();
const WindowDesign& aboutWindowDesign();
const WindowDesign& windowDesign(WindowId id);

// The record of a control, or nullptr when the window has no such control.
const ControlDesign* findControl(const WindowDesign& window, ControlId id);

// The tab stops of a window in tab order.
std::span<const ControlId> tabOrder(const WindowDesign& window);

// The control that follows `current` in tab order (backwards when `backwards`), wrapping; the
// first tab stop when `current` is not a tab stop. ControlId::None when there is no tab stop.
ControlId nextTabStop(const WindowDesign& window, ControlId current, bool backwards);

// Where a window of the design starts: centred on a screen of the given size.
struct Point {
  int x, y;
};
Point centredPosition(const WindowDesign& window, int screenWidth, int screenHeight);

}  // namespace kelo
