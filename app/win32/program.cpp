// The program's run: start the toolkit, load MainWindow, run the message loop, end; and the
// fatal error box.
#include <windows.h>
#include <commctrl.h>

#include <new>

#include "app/win32/control_classes.h"
#include "app/win32/keyboard.h"
#include "app/win32/program.h"
#include "app/win32/win32_seam.h"
#include "app/win32/window_loader.h"
#include "app/win32/wininet_client.h"

namespace kelo::win32 {
namespace {

HINSTANCE g_instance = nullptr;
Seam* g_seam = nullptr;

[[noreturn]] void outOfMemory() {
  std::set_new_handler(nullptr);  // the box below must not come back here
  fatalError(L"\u5185\u5b58\u4e0d\u8db3\u3002");  // 内存不足。
}

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

void fatalError(const wchar_t* message) {
  // A quit already posted (a window destroyed half-built) would close the box unseen.
  MSG pending;
  while (PeekMessageW(&pending, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
  }
  // Wide literals: nothing is allocated on the way, memory may be what ran out.
  MessageBoxW(nullptr, message, L"\u9519\u8bef", MB_OK | MB_ICONERROR | MB_TASKMODAL);  // 错误
  ExitProcess(static_cast<UINT>(-1));
}

HINSTANCE programInstance() { return g_instance; }
Seam& programSeam() { return *g_seam; }

int run(HINSTANCE instance, const WindowDesign& mainWindow) {
  g_instance = instance;
  std::set_new_handler(outOfMemory);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);

  Win32Seam seam;
  g_seam = &seam;
  if (!registerWindowClasses(instance) || !loadWindow(mainWindow, nullptr)) {
    fatalError(L"\u65e0\u6cd5\u521b\u5efa\u4e3b\u7a97\u53e3\u3002");  // 无法创建主窗口。
  }
  int code = runMessageLoop();
  closeInternetSession();
  g_seam = nullptr;
  return code;
}

}  // namespace kelo::win32

