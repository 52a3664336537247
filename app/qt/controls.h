// The widgets of the designs' labels, group boxes and picture box, and the text of any control.
#pragma once

#include <QColor>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "app/design.h"

namespace kelo::qt {

// A label: opaque button-face background, one line centred vertically (or wrapped from the
// top-left), an `&` drawn as it is, optionally engraved.
class DesignLabel final : public QLabel {
  Q_OBJECT

 public:
  DesignLabel(const ControlDesign& design, QWidget* parent);

 signals:
  // The left button went down over the label: position in the label, modifier keys (kCtrl...).
  void leftButtonPressed(int x, int y, int keys);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void drawWrapped(QPainter& painter, const QRect& bounds, const QString& shown) const;

  bool engraved_;
  bool wordWrap_;
};

// A group box drawn through the skin, its caption in its own colour. Its children are placed
// by the design, not by a layout.
class DesignGroupBox final : public QGroupBox {
  Q_OBJECT

 public:
  DesignGroupBox(const ControlDesign& design, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor captionColour_;
};

// The picture box of AboutWindow: the banner at its natural size from the top-left corner.
class BannerBox final : public QWidget {
  Q_OBJECT

 public:
  explicit BannerBox(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

// What a control shows as its text (a group box: its caption; a picture box: nothing).
QString shownText(const QWidget* control);
void showText(QWidget* control, const QString& text);

}  // namespace kelo::qt
