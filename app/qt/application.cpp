// The Linux program's one-time setup and its fatal error box.
#include "app/qt/application.h"

#include <QApplication>
#include <QIcon>
#include <QMessageBox>

#include "app/qt/fonts.h"
#include "app/qt/skin_style.h"

namespace kelo::qt {

void setUpApplication(QApplication& app) {
  installFontSubstitutes();
  QApplication::setStyle(new SkinStyle);  // the application owns its style
  // Every window without an icon of its own shows the program's: the four images of the
  // Windows icon where an .ico reader is installed, the 48-pixel picture in any case.
  QIcon icon;
  icon.addFile(QStringLiteral(":/kelo/kelo.ico"));
  icon.addFile(QStringLiteral(":/kelo/kelo.png"));
  app.setWindowIcon(icon);
  // Desktop shells match the window to resources/kelo.desktop by this name.
  QApplication::setDesktopFileName(QStringLiteral("kelo"));
}

void showFatalError(const QString& message) {
  QMessageBox::critical(nullptr, QStringLiteral("错误"), message);
}

}  // namespace kelo::qt
