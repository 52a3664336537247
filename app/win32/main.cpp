// The entry of the Windows program.
#include <windows.h>

#include "app/design.h"
#include "app/win32/program.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return kelo::win32::run(instance, kelo::mainWindowDesign());
}
