// Fonts of the designs, with Linux faces standing in for the Windows ones.
#include "app/qt/fonts.h"

#include <QApplication>
#include <QStringList>

#include "app/qt/qt_text.h"

namespace kelo::qt {

void installFontSubstitutes() {
  // 宋体 is a Song (Ming) face: Noto Serif CJK comes with every installation of ours and is
  // also what the Wine prefix gives the Windows program, so both programs look alike.
  const QStringList song{"SimSun", "Noto Serif CJK SC", "AR PL UMing CN", "Noto Sans CJK SC",
                         "WenQuanYi Zen Hei"};
  QFont::insertSubstitutions(QStringLiteral("宋体"), song);
  QFont::insertSubstitutions("SimSun", song.mid(1));
  // Tahoma is a narrow humanist sans; these have the same build and cover Latin and Cyrillic.
  QFont::insertSubstitutions("Tahoma", {"DejaVu Sans", "Noto Sans", "Liberation Sans"});
}

QFont designFont(const std::optional<FontSpec>& design) {
  if (!design) return QApplication::font();
  QFont font(toQString(design->face));
  font.setPixelSize(design->height);
  // Qt's weights are on the same 1-1000 scale as the designs' (400 normal, 700 bold).
  font.setWeight(static_cast<QFont::Weight>(design->weight));
  font.setItalic(design->italic);
  font.setUnderline(design->underline);
  font.setStrikeOut(design->strikeOut);
  return font;
}

}  // namespace kelo::qt
