// The control skin's colour schemes and drawing. Lines are filled rectangles, not pens, so that
// every pixel lands where the Windows program puts it.
#include "app/qt/skin.h"

#include <QPainter>

#include "app/skin_scheme.h"

namespace kelo::qt::skin {
namespace {

int g_scheme = 0;  // 0: off

const SkinScheme& current() { return *skinScheme(g_scheme); }

QColor toQColor(Rgb c) { return QColor(c.red, c.green, c.blue); }

void frameRect(QPainter& p, const QRect& r, const QColor& colour) {
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), colour);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), colour);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), colour);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), colour);
}

// A frame with its four corner pixels left out, which reads as rounded at this size.
void roundedFrame(QPainter& p, const QRect& r, const QColor& colour) {
  p.fillRect(QRect(r.left() + 1, r.top(), r.width() - 2, 1), colour);
  p.fillRect(QRect(r.left() + 1, r.bottom(), r.width() - 2, 1), colour);
  p.fillRect(QRect(r.left(), r.top() + 1, 1, r.height() - 2), colour);
  p.fillRect(QRect(r.right(), r.top() + 1, 1, r.height() - 2), colour);
}

// Top and left in one colour, bottom and right in another: one ring of a 3-D edge.
void edgeRing(QPainter& p, const QRect& r, const QColor& topLeft, const QColor& bottomRight) {
  p.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
}

void verticalGradient(QPainter& p, const QRect& r, Rgb top, Rgb bottom) {
  const int h = r.height();
  for (int y = 0; y < h; ++y) {
    p.fillRect(QRect(r.left(), r.top() + y, r.width(), 1),
               toQColor(mixColours(top, bottom, y, h - 1)));
  }
}

}  // namespace

void setScheme(int scheme) { g_scheme = skinScheme(scheme) ? scheme : 0; }

int scheme() { return g_scheme; }

bool isOn() { return g_scheme != 0; }

void drawButtonPanel(QPainter& p, const QRect& r, const QPalette& palette, ButtonLook look) {
  p.fillRect(r, palette.color(QPalette::Button));
  if (isOn()) {
    const SkinScheme& s = current();
    verticalGradient(p, r.adjusted(1, 1, -1, -1), look.pressed ? s.pressedTop : s.buttonTop,
                     look.pressed ? s.pressedBottom : s.buttonBottom);
    roundedFrame(p, r, look.disabled ? palette.color(QPalette::Disabled, QPalette::ButtonText)
                                     : toQColor(s.buttonBorder));
    if (look.hot && !look.pressed && !look.disabled) {
      frameRect(p, r.adjusted(1, 1, -1, -1), toQColor(s.hotBorder));
    }
    return;
  }
  // A classic raised (or, pressed, sunken) push button.
  if (look.pressed) {
    frameRect(p, r, palette.color(QPalette::Shadow));
    frameRect(p, r.adjusted(1, 1, -1, -1), palette.color(QPalette::Dark));
  } else {
    edgeRing(p, r, palette.color(QPalette::Light), palette.color(QPalette::Shadow));
    edgeRing(p, r.adjusted(1, 1, -1, -1), palette.color(QPalette::Midlight),
             palette.color(QPalette::Dark));
  }
}

void drawButtonCaption(QPainter& p, const QRect& bounds, const QString& caption,
                       const QPalette& palette, ButtonLook look) {
  QRect text = bounds.adjusted(3, 2, -3, -2);
  if (look.pressed) text.translate(1, 1);
  p.setPen(palette.color(look.disabled ? QPalette::Disabled : QPalette::Active,
                         QPalette::ButtonText));
  p.drawText(text, Qt::AlignCenter | Qt::TextWordWrap, caption);
}

void drawFocusRect(QPainter& p, const QRect& bounds) {
  // Every other pixel, as the system's focus rectangle.
  const QRect r = bounds.adjusted(3, 3, -3, -3);
  const QColor colour = Qt::black;
  for (int x = r.left(); x <= r.right(); x += 2) {
    p.fillRect(QRect(x, r.top(), 1, 1), colour);
    p.fillRect(QRect(x, r.bottom(), 1, 1), colour);
  }
  for (int y = r.top(); y <= r.bottom(); y += 2) {
    p.fillRect(QRect(r.left(), y, 1, 1), colour);
    p.fillRect(QRect(r.right(), y, 1, 1), colour);
  }
}

void drawGroupBox(QPainter& p, const QRect& bounds, const QString& caption, const QFont& font,
                  const QColor& captionColour, const QPalette& palette) {
  const QColor face = palette.color(QPalette::Button);
  p.fillRect(bounds, face);
  p.setFont(font);
  const QFontMetrics metrics(font);
  const int lineHeight = metrics.height();

  // The frame runs through the middle of the caption's line, as a group box's does.
  const QRect frame = bounds.adjusted(0, lineHeight / 2, 0, 0);
  if (isOn()) {
    roundedFrame(p, frame, toQColor(current().frame));
  } else {
    // Etched: a shadow ring with a light ring one pixel inside.
    frameRect(p, frame.adjusted(0, 0, -1, -1), palette.color(QPalette::Dark));
    edgeRing(p, frame.adjusted(1, 1, 0, 0), palette.color(QPalette::Light),
             palette.color(QPalette::Light));
  }

  if (!caption.isEmpty()) {
    const int width = metrics.horizontalAdvance(caption);
    p.fillRect(QRect(bounds.left() + 7, bounds.top(), width + 4, lineHeight), face);
    p.setPen(captionColour);
    p.drawText(QRect(bounds.left() + 9, bounds.top(), bounds.width() - 17, lineHeight),
               Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, caption);
  }
}

void drawEditFrame(QPainter& p, const QRect& r, const QPalette& palette) {
  if (isOn()) {
    frameRect(p, r, toQColor(current().frame));
    frameRect(p, r.adjusted(1, 1, -1, -1), QColor(255, 255, 255));
    return;
  }
  edgeRing(p, r, palette.color(QPalette::Dark), palette.color(QPalette::Light));
  edgeRing(p, r.adjusted(1, 1, -1, -1), palette.color(QPalette::Shadow),
           palette.color(QPalette::Midlight));
}

}  // namespace kelo::qt::skin
