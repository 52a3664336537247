// Labels, group boxes, the picture box and the texts of controls.
#include "app/qt/controls.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QTextLayout>

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
  auto draw = [&](QPoint offset, const QColor& colour) {
    painter.setPen(colour);
    if (wordWrap_) {
      drawWrapped(painter, rect().translated(offset), shown);
    } else {
      painter.drawText(rect().translated(offset),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    }
  };
  if (engraved_) draw(QPoint(1, 1), QColor(255, 255, 255));
  draw(QPoint(0, 0), QColor(0, 0, 0));
}

void DesignLabel::drawWrapped(QPainter& painter, const QRect& bounds, const QString& shown) const {
  // The design's character height is also its line height, as in 宋体, whose character cell is
  // its em: the CJK faces standing in for it here have far taller lines, which would push the
  // About text's last lines out of its label.
  const QFont& face = font();
  const int advance = face.pixelSize() > 0 ? face.pixelSize() : QFontMetrics(face).lineSpacing();
  QTextOption option(Qt::AlignLeft);
  option.setWrapMode(QTextOption::WordWrap);
  int top = bounds.top();
  for (const QString& paragraph : shown.split(QLatin1Char('\n'))) {
    QTextLayout layout(paragraph, face);
    layout.setTextOption(option);
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
      line.setLineWidth(bounds.width());
      // Each line's own box centred on its row.
      line.setPosition(QPointF(0, top + (advance - line.height()) / 2));
      top += advance;
    }
    layout.endLayout();
    layout.draw(&painter, QPointF(bounds.left(), 0));
    if (top >= bounds.bottom()) break;
  }
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
    // A box written to shows its text from the beginning, the caret before the first character.
    edit->setCursorPosition(0);
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
