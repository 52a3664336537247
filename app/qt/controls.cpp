// Labels, group boxes, the picture box and the texts of controls.
#include "app/qt/controls.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "app/commands.h"
#include "app/qt/banner.h"
#include "app/qt/fonts.h"
#include "app/qt/skin.h"

namespace kelo::qt {
namespace {

int modifierKeys(Qt::KeyboardModifiers modifiers) {
  int keys = 0;
  if (modifiers & Qt::ControlModifier) keys |= kCtrl;
  if (modifiers & Qt::ShiftModifier) keys |= kShift;
  if (modifiers & Qt::AltModifier) keys |= kAlt;
  return keys;
}

}  // namespace

DesignLabel::DesignLabel(const ControlDesign& design, QWidget* parent)
    : QLabel(parent), engraved_(design.engraved), wordWrap_(design.wordWrap) {
  setTextFormat(Qt::PlainText);
  setWordWrap(design.wordWrap);
}

void DesignLabel::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  painter.setFont(font());
  // Lines end in CR LF in the designs; Qt breaks lines at LF alone.
  QString shown = text();
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  const int flags = Qt::AlignLeft | (wordWrap_ ? (Qt::AlignTop | Qt::TextWordWrap)
                                               : (Qt::AlignVCenter | Qt::TextSingleLine));
  if (engraved_) {
    painter.setPen(QColor(255, 255, 255));
    painter.drawText(rect().translated(1, 1), flags, shown);
  }
  painter.setPen(QColor(0, 0, 0));
  painter.drawText(rect(), flags, shown);
}

void DesignLabel::mousePressEvent(QMouseEvent* event) {
  // The press itself runs the command; releasing the button elsewhere cancels nothing.
  if (event->button() == Qt::LeftButton) {
    const QPoint at = event->position().toPoint();
    emit leftButtonPressed(at.x(), at.y(), modifierKeys(event->modifiers()));
  }
  QLabel::mousePressEvent(event);
}

DesignGroupBox::DesignGroupBox(const ControlDesign& design, QWidget* parent)
    : QGroupBox(parent), captionColour_(design.textColour
                                            ? QColor(design.textColour->red,
                                                     design.textColour->green,
                                                     design.textColour->blue)
                                            : QColor(0, 0, 0)) {
  setFocusPolicy(Qt::NoFocus);
}

void DesignGroupBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  skin::drawGroupBox(painter, rect(), title(), font(), captionColour_, palette());
}

BannerBox::BannerBox(QWidget* parent) : QWidget(parent) {}

void BannerBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Button));
  // Opaque: a one-frame picture shows its transparent entry in that entry's own colour.
  painter.setCompositionMode(QPainter::CompositionMode_Source);
  painter.drawImage(QPoint(0, 0), bannerImage());
}

QString shownText(const QWidget* control) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(control)) return edit->text();
  if (const auto* label = qobject_cast<const QLabel*>(control)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(control)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(control)) return group->title();
  return {};
}

void showText(QWidget* control, const QString& text) {
  if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(text);
  }
  control->update();
}

}  // namespace kelo::qt
