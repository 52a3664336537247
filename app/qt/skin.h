// The control skin: its colour schemes and how it draws push buttons, group boxes and edit-box
// frames. One setting for the whole user-interface thread, for the windows that exist and those
// created later; with the skin off the same controls get a classic three-dimensional look.
#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QRect>
#include <QString>

class QPainter;

namespace kelo::qt::skin {

// 1, 2 or 3: that colour scheme; anything else: the skin off.
void setScheme(int scheme);
int scheme();
bool isOn();

struct ButtonLook {
  bool pressed = false;
  bool hot = false;  // the pointer is over it
  bool disabled = false;
};

// A push button's face and border (not its caption), over the button-face colour.
void drawButtonPanel(QPainter& painter, const QRect& bounds, const QPalette& palette,
                     ButtonLook look);

// A push button's caption: centred both ways, wrapped when too wide, shifted when pressed.
void drawButtonCaption(QPainter& painter, const QRect& bounds, const QString& caption,
                       const QPalette& palette, ButtonLook look);

// The dotted focus rectangle inside a focused button.
void drawFocusRect(QPainter& painter, const QRect& bounds);

// A group box: background, the frame through the middle of the caption's line, the caption.
void drawGroupBox(QPainter& painter, const QRect& bounds, const QString& caption,
                  const QFont& font, const QColor& captionColour, const QPalette& palette);

// An edit box's two-pixel border: the scheme's frame with the skin on, sunken without it.
void drawEditFrame(QPainter& painter, const QRect& bounds, const QPalette& palette);
inline constexpr int kEditFrameWidth = 2;

}  // namespace kelo::qt::skin
