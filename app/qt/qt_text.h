// Texts (GBK bytes) and Qt's Unicode strings, converted by the project's own codec at the
// widget boundary.
#pragma once

#include <QString>

#include <string_view>

#include "analysis/text.h"

namespace kelo::qt {

QString toQString(std::string_view gbk);

// A Text never holds the byte 0, so the conversion stops at the first U+0000, where a control's
// text ends for a C string too.
Text toText(const QString& unicode);

}  // namespace kelo::qt
