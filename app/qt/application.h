// What the Linux program sets up once for all its windows: fonts, the skinned style, the icon.
#pragma once

#include <QString>

class QApplication;

namespace kelo::qt {

void setUpApplication(QApplication& app);

// The fatal error box, titled "错误".
void showFatalError(const QString& message);

}  // namespace kelo::qt
