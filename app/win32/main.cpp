// The entry of the Windows program: start the toolkit, load MainWindow, run the message loop.
#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <new>

#include "app/design.h"
#include "app/win32/control_classes.h"
#include "app/win32/keyboard.h"
#include "app/win32/program.h"
#include "app/win32/wide_text.h"
#include "app/win32/win32_seam.h"
#include "app/win32/window_loader.h"
#include "app/win32/wininet_client.h"

namespace kelo::win32 {
namespace {

HINSTANCE g_instance = nullptr;
Seam* g_seam = nullptr;

[[noreturn]] void fatalError(const char* gbkMessage) {
  MessageBoxW(nullptr, toWide(gbkMessage).c_str(), toWide("\xb4\xed\xce\xf3").c_str(),  // 错误
              MB_OK | MB_ICONERROR | MB_TASKMODAL);
  ExitProcess(static_cast<UINT>(-1));
}

[[noreturn]] void outOfMemory() { fatalError("\xc4\xda\xb4\xe6\xb2\xbb\xd7\xe3\xa1\xa3"); }  // 内存不足。

int runMessageLoop() {
  MSG msg;
  BOOL got;
  while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    if (translateWindowKey(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

}  // namespace

HINSTANCE programInstance() { return g_instance; }
Seam& programSeam() { return *g_seam; }

int run(HINSTANCE instance) {
  g_instance = instance;
  std::set_new_handler(outOfMemory);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  Win32Seam seam;
  g_seam = &seam;
  if (!registerWindowClasses(instance) || !loadWindow(mainWindowDesign(), nullptr)) {
    fatalError("\xce\xde\xb7\xa8\xb4\xb4\xbd\xa8\xd6\xf7\xb4\xb0\xbf\xda\xa1\xa3");  // 无法创建主窗口。
  }
  int code = runMessageLoop();
  closeInternetSession();
  g_seam = nullptr;
  return code;
}

}  // namespace kelo::win32

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return kelo::win32::run(instance);
}
