// The application style: Fusion underneath, with the skin drawing push buttons and edit-box
// frames (group boxes draw themselves through the skin, see controls).
#pragma once

#include <QProxyStyle>

namespace kelo::qt {

class SkinStyle final : public QProxyStyle {
 public:
  SkinStyle();

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  QRect subElementRect(SubElement element, const QStyleOption* option,
                       const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
  void polish(QWidget* widget) override;
  using QProxyStyle::polish;
};

}  // namespace kelo::qt
