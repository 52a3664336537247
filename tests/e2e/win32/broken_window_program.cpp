// The Windows program run with a main window that cannot be created (a control inside a group
// box that does not exist), for the end-to-end test of the fatal error box.
#include <windows.h>

#include <array>

#include "app/design.h"
#include "app/win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  using namespace kelo;
  static const std::array controls{
      ControlDesign{.id = ControlId::Main_EditBox1, .type = ControlType::EditBox,
                    .container = ControlId::Main_GroupBox1, .x = 10, .y = 10, .width = 100,
                    .height = 25, .tabIndex = 0},
  };
  static const WindowDesign broken{.id = WindowId::Main, .title = "broken", .width = 300,
                                   .height = 200, .taskbarButton = true, .controls = controls};
  return win32::run(instance, broken);
}
