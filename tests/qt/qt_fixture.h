// What the Linux program's tests share: the application set up as the program sets it up, a
// fresh MainWindow per test, control lookup, GBK literals, the stand-in's request records.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/design.h"
#include "app/qt/application.h"
#include "app/qt/design_window.h"
#include "app/qt/qt_seam.h"
#include "encoding/gb18030.h"

namespace kelo::testing {

inline std::string gbk(std::string_view utf8) { return gb18030FromUtf8(utf8); }

// Sets the application up once, as main() does.
inline void setUpOnce() {
  static bool done = false;
  if (done) return;
  done = true;
  qt::setUpApplication(*qApp);
}

// A program without its event loop: the seam and MainWindow, shown and active.
class Program {
 public:
  Program() {
    setUpOnce();
    main_ = std::make_unique<qt::DesignWindow>(mainWindowDesign(), seam_);
    main_->show();
    ok_ = QTest::qWaitForWindowActive(main_.get());
  }
  ~Program() {
    // A test that failed inside the modal loop may leave AboutWindow open.
    if (qt::DesignWindow* about = qt::liveWindow(WindowId::About)) about->close();
  }

  bool isActive() const { return ok_; }
  qt::QtSeam& seam() { return seam_; }
  qt::DesignWindow& main() { return *main_; }
  QWidget* control(ControlId id) const { return main_->control(id); }

  // Where a control's centre lies in its window's coordinates, for input sent to the window.
  static QPoint centreInWindow(const QWidget* control) {
    return control->mapTo(control->window(), control->rect().center());
  }
  void click(ControlId id) {
    QWidget* c = control(id);
    QTest::mouseClick(c->window()->windowHandle(), Qt::LeftButton, {}, centreInWindow(c));
  }
  void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
    QTest::keyClick(main_->windowHandle(), key, modifiers);
  }

 private:
  qt::QtSeam seam_;
  std::unique_ptr<qt::DesignWindow> main_;
  bool ok_ = false;
};

// Runs `action`, which opens AboutWindow and returns only once it is closed; `whileOpen` runs
// inside the modal loop when the window is shown. The window is closed afterwards if it is
// still open, and after 20 s in any case, so that no test can hang in the loop. Gives whether
// the window opened.
inline bool whileAboutOpen(const std::function<void()>& action,
                           const std::function<void(qt::DesignWindow&)>& whileOpen) {
  bool opened = false;
  QTimer poll;
  poll.setInterval(10);
  QObject::connect(&poll, &QTimer::timeout, [&] {
    qt::DesignWindow* about = qt::liveWindow(WindowId::About);
    if (!about || !about->isVisible() || opened) return;
    opened = true;
    poll.stop();
    if (QTest::qWaitForWindowExposed(about)) whileOpen(*about);
    if (qt::DesignWindow* still = qt::liveWindow(WindowId::About)) still->close();
  });
  QTimer watchdog;
  watchdog.setSingleShot(true);
  QObject::connect(&watchdog, &QTimer::timeout, [] {
    if (qt::DesignWindow* about = qt::liveWindow(WindowId::About)) about->close();
  });
  poll.start();
  watchdog.start(20000);
  action();
  return opened;
}

// The requests the stand-in service recorded, oldest first, from the directory the test runner
// named in KELO_QT_RECORD_DIR; empty when it named none.
inline QString recordDir() { return qEnvironmentVariable("KELO_QT_RECORD_DIR"); }

inline std::vector<std::string> recordedRequests() {
  std::vector<std::string> requests;
  if (recordDir().isEmpty()) return requests;
  const QDir dir(recordDir());
  for (const QString& name : dir.entryList({"*.req"}, QDir::Files, QDir::Name)) {
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::ReadOnly)) requests.push_back(file.readAll().toStdString());
  }
  return requests;
}

inline void clearRecordedRequests() {
  if (recordDir().isEmpty()) return;
  QDir dir(recordDir());
  for (const QString& name : dir.entryList({"*.req"}, QDir::Files)) dir.remove(name);
}

}  // namespace kelo::testing
