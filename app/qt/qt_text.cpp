// Texts and Qt strings through the project's GB18030 codec.
#include "app/qt/qt_text.h"

#include <string>

#include "encoding/gb18030.h"

namespace kelo::qt {

QString toQString(std::string_view gbk) {
  const std::u16string wide = utf16FromGb18030(gbk);
  return QString(reinterpret_cast<const QChar*>(wide.data()), static_cast<qsizetype>(wide.size()));
}

Text toText(const QString& unicode) {
  std::u16string_view wide(reinterpret_cast<const char16_t*>(unicode.utf16()),
                           static_cast<size_t>(unicode.size()));
  wide = wide.substr(0, wide.find(u'\0'));
  return gb18030FromUtf16(wide);
}

}  // namespace kelo::qt
