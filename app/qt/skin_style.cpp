// The application style: push buttons and edit-box frames through the skin.
#include "app/qt/skin_style.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

#include "app/qt/skin.h"

namespace kelo::qt {
namespace {

skin::ButtonLook lookOf(const QStyleOption& option) {
  return {.pressed = (option.state & (QStyle::State_Sunken | QStyle::State_On)) != 0,
          .hot = (option.state & QStyle::State_MouseOver) != 0,
          .disabled = !(option.state & QStyle::State_Enabled)};
}

}  // namespace

// Fusion looks the same on every desktop, so the controls the skin leaves alone (scroll arrows
// of a context menu, the menu itself) do not depend on the desktop's own theme.
SkinStyle::SkinStyle() : QProxyStyle(QStyleFactory::create("Fusion")) {}

void SkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                              QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case PE_PanelLineEdit: {
      // The background is the box's own (white in the designs), in every state.
      painter->fillRect(option->rect, option->palette.color(QPalette::Active, QPalette::Base));
      const auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option);
      if (frame && frame->lineWidth > 0) skin::drawEditFrame(*painter, option->rect, option->palette);
      return;
    }
    case PE_FrameLineEdit:
      skin::drawEditFrame(*painter, option->rect, option->palette);
      return;
    case PE_PanelButtonCommand:
      skin::drawButtonPanel(*painter, option->rect, option->palette, lookOf(*option));
      return;
    case PE_FrameDefaultButton:
      return;  // no button is a default button
    default:
      QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
}

void SkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                            const QWidget* widget) const {
  const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
  if (element == CE_PushButton && button) {
    const skin::ButtonLook look = lookOf(*option);
    skin::drawButtonPanel(*painter, option->rect, option->palette, look);
    skin::drawButtonCaption(*painter, option->rect, button->text, option->palette, look);
    if (option->state & State_HasFocus) skin::drawFocusRect(*painter, option->rect);
    return;
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

QRect SkinStyle::subElementRect(SubElement element, const QStyleOption* option,
                                const QWidget* widget) const {
  if (element == SE_LineEditContents) {
    const int inset = skin::kEditFrameWidth;
    return option->rect.adjusted(inset, inset, -inset, -inset);
  }
  return QProxyStyle::subElementRect(element, option, widget);
}

int SkinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                           const QWidget* widget) const {
  if (metric == PM_DefaultFrameWidth && qobject_cast<const QLineEdit*>(widget)) {
    return skin::kEditFrameWidth;
  }
  return QProxyStyle::pixelMetric(metric, option, widget);
}

void SkinStyle::polish(QWidget* widget) {
  QProxyStyle::polish(widget);
  // The skin's hover look needs the pointer's entering and leaving.
  if (qobject_cast<QAbstractButton*>(widget)) widget->setAttribute(Qt::WA_Hover);
}

}  // namespace kelo::qt
