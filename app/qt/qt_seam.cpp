// The seam of the Linux program.
#include "app/qt/qt_seam.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QEventLoop>
#include <QUrl>

#include "app/qt/controls.h"
#include "app/qt/design_window.h"
#include "app/qt/qt_text.h"
#include "app/qt/skin.h"

namespace kelo::qt {

DesignWindow* liveWindow(WindowId id) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<DesignWindow*>(widget);
    if (window && !window->isClosed() && window->design().id == id) return window;
  }
  return nullptr;
}

QWidget* liveControl(ControlId id) {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<DesignWindow*>(widget);
    if (!window || window->isClosed()) continue;
    if (QWidget* control = window->control(id)) return control;
  }
  return nullptr;
}

Text QtSeam::controlText(ControlId id) {
  QWidget* control = liveControl(id);
  if (!control) return {};
  const QString shown = shownText(control);
  if (std::optional<Text> bytes = written_.recall(id, control, shown)) return *std::move(bytes);
  return toText(shown);
}

void QtSeam::setControlText(ControlId id, std::string_view text) {
  QWidget* control = liveControl(id);
  if (!control) return;
  const QString unicode = toQString(text);
  showText(control, unicode);
  written_.wrote(id, control, text, unicode, shownText(control));
}

ByteBuffer QtSeam::httpReadFile(std::string_view url) { return http_.get(url); }

bool QtSeam::setClipboardText(std::string_view text) {
  // The Linux clipboard holds Unicode: the box's bytes go on it converted, and a program that
  // pastes gets them in its own encoding. Setting it replaces everything it held.
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return false;
  clipboard->setText(toQString(text), QClipboard::Clipboard);
  return true;
}

void QtSeam::shellOpen(std::string_view address) {
  // The desktop's opener hands a web address to the default browser; a failure is silent.
  (void)QDesktopServices::openUrl(QUrl(toQString(address), QUrl::TolerantMode));
}

void QtSeam::setSkinScheme(int scheme) {
  skin::setScheme(scheme);
  for (QWidget* widget : QApplication::allWidgets()) widget->update();
}

void QtSeam::showModal(WindowId id) {
  QWidget* owner = QApplication::activeWindow();
  if (!owner) owner = liveWindow(WindowId::Main);

  DesignWindow window(windowDesign(id), *this, owner);
  if (!window.isComplete()) return;
  // Every other window of the program takes no input until this one is closed.
  window.setWindowModality(Qt::ApplicationModal);
  QEventLoop loop;
  QObject::connect(&window, &DesignWindow::closed, &loop, &QEventLoop::quit);
  window.show();
  loop.exec();
  window.hide();
  if (owner) owner->activateWindow();
}

}  // namespace kelo::qt
