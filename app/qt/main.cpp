// The entry of the Linux program: start Qt, load MainWindow, run the event loop.
#include <QApplication>

#include <cstdlib>
#include <new>

#include "app/design.h"
#include "app/qt/application.h"
#include "app/qt/design_window.h"
#include "app/qt/qt_seam.h"

namespace {

[[noreturn]] void outOfMemory() {
  std::set_new_handler(nullptr);  // the box below must not come back here
  kelo::qt::showFatalError(QStringLiteral("内存不足。"));
  std::_Exit(-1);
}

}  // namespace

int main(int argc, char* argv[]) {
  // The program reads no arguments: Qt is given the program's name alone.
  int qtArgc = argc > 0 ? 1 : 0;
  char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
  QApplication app(qtArgc, qtArgv);
  kelo::qt::setUpApplication(app);
  std::set_new_handler(outOfMemory);

  kelo::qt::QtSeam seam;  // outlives every window; closes the HTTP client context at the end
  kelo::qt::DesignWindow mainWindow(kelo::mainWindowDesign(), seam);
  if (!mainWindow.isComplete()) {
    kelo::qt::showFatalError(QStringLiteral("无法创建主窗口。"));
    return -1;
  }
  mainWindow.show();
  return QApplication::exec();
}
