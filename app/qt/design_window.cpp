// Builds a window and its controls from a design and maps their events to the commands.
#include "app/qt/design_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

#include <limits>

#include "app/commands.h"
#include "app/qt/controls.h"
#include "app/qt/fonts.h"
#include "app/qt/qt_text.h"

namespace kelo::qt {
namespace {

QColor colourOf(const std::optional<Rgb>& rgb) {
  return rgb ? QColor(rgb->red, rgb->green, rgb->blue) : QColor(0, 0, 0);
}

Qt::WindowFlags flagsFor(const WindowDesign& design, QWidget* owner) {
  // A caption with the system menu and the close box only: no minimise or maximise box.
  const Qt::WindowFlags caption = Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                  Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
  // An owned dialog gets no task-bar button of its own.
  return ((design.taskbarButton || !owner) ? Qt::Window : Qt::Dialog) | caption;
}

// Centred on the screen, the frame included, whatever the owner's position.
QPoint startPosition(const WindowDesign& design) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const QRect area = screen ? screen->geometry() : QRect();
  const Point at = centredPosition(design, area.width(), area.height());
  return area.topLeft() + QPoint(at.x, at.y);
}

QLineEdit* createEditBox(const ControlDesign& c, QWidget* parent) {
  auto* edit = new QLineEdit(parent);  // owned by its container
  edit->setReadOnly(c.readOnly);
  edit->setMaxLength(std::numeric_limits<int>::max());  // no limit of its own
  edit->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  const QColor text = colourOf(c.textColour);
  QPalette palette = edit->palette();
  palette.setColor(QPalette::Base, QColor(255, 255, 255));
  palette.setColor(QPalette::Text, text);  // also in the read-only boxes
  // The selection stays invisible while the window is inactive: Qt keeps it then, where a
  // Windows box without the focus hides it.
  palette.setColor(QPalette::Inactive, QPalette::Highlight, QColor(255, 255, 255));
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, text);
  edit->setPalette(palette);
  return edit;
}

}  // namespace

DesignWindow::DesignWindow(const WindowDesign& design, Seam& seam, QWidget* owner)
    : QWidget(owner, flagsFor(design, owner)), design_(design), seam_(seam) {
  setObjectName(design.id == WindowId::About ? QStringLiteral("AboutWindow")
                                             : QStringLiteral("MainWindow"));
  setWindowTitle(toQString(design.title));
  // The outer size is the design's; until the window manager tells the frame, the frame is
  // taken as none (as it is without a window manager).
  setFixedSize(design.width, design.height);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  // Closing AboutWindow ends nothing; closing MainWindow ends the program.
  setAttribute(Qt::WA_QuitOnClose, design.taskbarButton);

  for (const ControlDesign& c : design.controls) {
    if (!createControl(c)) {
      complete_ = false;
      return;
    }
  }

  const std::span<const ControlId> order = tabOrder(design);
  for (size_t i = 1; i < order.size(); ++i) {
    setTabOrder(controls_.at(order[i - 1]), controls_.at(order[i]));
  }
  // At the first activation the focus goes to the first tab stop.
  if (!order.empty()) controls_.at(order.front())->setFocus(Qt::OtherFocusReason);

  ApplySkin(seam_);  // the created event: every control exists, the window is hidden
  move(startPosition(design));
}

QWidget* DesignWindow::control(ControlId id) const {
  auto it = controls_.find(id);
  return it == controls_.end() ? nullptr : it->second;
}

QWidget* DesignWindow::createControl(const ControlDesign& c) {
  QWidget* parent = this;
  if (c.container != ControlId::None) {
    parent = control(c.container);
    if (!parent) return nullptr;
  }

  QWidget* widget = nullptr;  // each owned by its container
  switch (c.type) {
    case ControlType::EditBox:
      widget = createEditBox(c, parent);
      break;
    case ControlType::Button: {
      auto* button = new QPushButton(parent);
      // None of them is a default button: Enter presses nothing.
      button->setAutoDefault(false);
      button->setDefault(false);
      connect(button, &QPushButton::clicked, this, [this, &c] { runControlCommand(seam_, c); });
      // Arrow keys would move the focus from a push button.
      button->installEventFilter(this);
      widget = button;
      break;
    }
    case ControlType::Label: {
      auto* label = new DesignLabel(c, parent);
      if (c.command != Command::None) {
        connect(label, &DesignLabel::leftButtonPressed, this,
                [this, &c](int x, int y, int keys) { runControlCommand(seam_, c, x, y, keys); });
      }
      widget = label;
      break;
    }
    case ControlType::GroupBox:
      widget = new DesignGroupBox(c, parent);
      break;
    case ControlType::PicBox:
      widget = new BannerBox(parent);
      break;
  }

  widget->setObjectName(QString::number(static_cast<int>(c.id)));
  widget->setGeometry(c.x, c.y, c.width, c.height);
  if (c.font) widget->setFont(designFont(c.font));
  widget->setFocusPolicy(c.tabIndex >= 0 ? Qt::StrongFocus : Qt::NoFocus);
  if (c.pointer == Pointer::Hand) widget->setCursor(Qt::PointingHandCursor);
  if (c.pointer == Pointer::Arrow) widget->setCursor(Qt::ArrowCursor);
  showText(widget, toQString(c.text));
  controls_[c.id] = widget;
  return widget;
}

bool DesignWindow::event(QEvent* event) {
  const bool result = QWidget::event(event);
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::WindowActivate:
      fitOuterSize();
      break;
    default:
      break;
  }
  return result;
}

void DesignWindow::fitOuterSize() {
  // The frame is known once a window manager has framed the window: then the client area
  // shrinks so that the outer size is the design's, and the frame goes to the centred place.
  if (fitted_ || !windowHandle()) return;
  const QMargins frame = windowHandle()->frameMargins();
  if (frame.isNull()) return;
  fitted_ = true;
  setFixedSize(design_.width - frame.left() - frame.right(),
               design_.height - frame.top() - frame.bottom());
  move(startPosition(design_));
}

bool DesignWindow::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    switch (static_cast<QKeyEvent*>(event)->key()) {
      case Qt::Key_Left:
      case Qt::Key_Right:
      case Qt::Key_Up:
      case Qt::Key_Down:
        return true;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool DesignWindow::focusNextPrevChild(bool next) {
  // Tab and Shift+Tab from any control end here: the design's tab order, wrapping.
  ControlId current = ControlId::None;
  for (const auto& [id, widget] : controls_) {
    if (widget == focusWidget()) current = id;
  }
  QWidget* target = control(nextTabStop(design_, current, !next));
  if (!target) return false;
  // A box reached by Tab shows its whole text selected, as in a dialog.
  target->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
  return true;
}

void DesignWindow::keyPressEvent(QKeyEvent* event) {
  // Only keys the focused control did not take arrive here.
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  switch (event->key()) {
    case Qt::Key_Escape:
      if (modifiers == Qt::NoModifier) close();  // as the close box would
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F1:
      return;  // no default button, no help
    default:
      QWidget::keyPressEvent(event);
  }
}

void DesignWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  if (!event->isAccepted()) return;
  closed_ = true;
  emit closed();
}

}  // namespace kelo::qt
