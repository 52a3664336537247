// A test driver that Qt loads into the real program as a generic plugin
// (QT_QPA_GENERIC_PLUGINS=kelodriver:<fd>, QT_PLUGIN_PATH naming its folder). It answers one
// command per line on the inherited socket <fd>, so that scripts drive the program through its
// widgets and window-system events; the program itself has no test hook.
//
// Commands (ids are the controls' numbers, windows MainWindow or AboutWindow):
//   windows                       the open windows' names
//   text <id>                     the control's text, UTF-8 in hex ("-" when empty)
//   settext <id> <hex>            sets an edit box's text (UTF-8 in hex, "-" for empty)
//   click <id>                    a left click in its centre, through its window
//   press <id> <modifiers>        a left press and release, modifiers 1 Ctrl, 2 Shift, 4 Alt
//   key <window> <key> <mods>     a key (Qt::Key number) typed into the window
//   focus                         the id of the focused control ("-" when none)
//   rect <window>                 the window's outer rectangle: x y width height
//   clipboard                     the clipboard's text, UTF-8 in hex ("-" when empty)
//   sync                          answers once everything sent before has been handled
// Every answer is one line: "ok [value]" or "error <why>". Input is answered before it is
// delivered, so a click that opens a modal window does not hold up the script.
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGenericPlugin>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSocketNotifier>
#include <QTest>
#include <QWindow>

#include <unistd.h>

#include <cerrno>

namespace {

QString hexOf(const QString& text) {
  return text.isEmpty() ? QStringLiteral("-") : QString::fromLatin1(text.toUtf8().toHex());
}

QString fromHex(const QString& hex) {
  return hex == QLatin1String("-") ? QString() : QString::fromUtf8(QByteArray::fromHex(hex.toLatin1()));
}

Qt::KeyboardModifiers modifiersOf(int keys) {
  Qt::KeyboardModifiers modifiers;
  if (keys & 1) modifiers |= Qt::ControlModifier;
  if (keys & 2) modifiers |= Qt::ShiftModifier;
  if (keys & 4) modifiers |= Qt::AltModifier;
  return modifiers;
}

QWidget* window(const QString& name) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == name && w->isVisible()) return w;
  }
  return nullptr;
}

QWidget* control(const QString& id) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible()) continue;
    if (auto* c = w->findChild<QWidget*>(id)) return c;
  }
  return nullptr;
}

QString textOf(const QWidget* c) {
  if (const auto* edit = qobject_cast<const QLineEdit*>(c)) return edit->text();
  if (const auto* label = qobject_cast<const QLabel*>(c)) return label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(c)) return button->text();
  if (const auto* group = qobject_cast<const QGroupBox*>(c)) return group->title();
  return {};
}

class Driver : public QObject {
 public:
  explicit Driver(int fd) : fd_(fd), notifier_(fd, QSocketNotifier::Read) {
    connect(&notifier_, &QSocketNotifier::activated, this, &Driver::readCommands);
  }
  ~Driver() override { ::close(fd_); }

 private:
  void readCommands() {
    char chunk[4096];
    const ssize_t got = ::read(fd_, chunk, sizeof chunk);
    if (got <= 0) {
      if (got < 0 && errno == EINTR) return;
      notifier_.setEnabled(false);  // the script went away
      return;
    }
    pending_.append(chunk, got);
    for (qsizetype end; (end = pending_.indexOf('\n')) >= 0;) {
      const QString line = QString::fromUtf8(pending_.left(end)).trimmed();
      pending_.remove(0, end + 1);
      // Handled in order, from the event loop: also from a modal window's loop.
      QMetaObject::invokeMethod(this, [this, line] { handle(line); }, Qt::QueuedConnection);
    }
  }

  void answer(const QString& text) {
    QByteArray bytes = text.toUtf8() + '\n';
    for (qsizetype done = 0; done < bytes.size();) {
      const ssize_t n = ::write(fd_, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) return;
      done += n;
    }
  }

  void handle(const QString& line) {
    const QStringList args = line.split(' ', Qt::SkipEmptyParts);
    const QString command = args.value(0);
    if (command == "windows") {
      QStringList names;
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !w->objectName().isEmpty()) names << w->objectName();
      }
      names.sort();
      return answer("ok " + names.join(' '));
    }
    if (command == "sync") return answer("ok");
    if (command == "focus") {
      QWidget* focus = QApplication::focusWidget();
      return answer("ok " + (focus ? focus->objectName() : QStringLiteral("-")));
    }
    if (command == "clipboard") return answer("ok " + hexOf(QGuiApplication::clipboard()->text()));
    if (command == "rect") {
      QWidget* w = window(args.value(1));
      if (!w) return answer("error no window " + args.value(1));
      const QRect r = w->frameGeometry();
      return answer(QStringLiteral("ok %1 %2 %3 %4").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height()));
    }
    if (command == "key") {
      QWidget* w = window(args.value(1));
      if (!w || !w->windowHandle()) return answer("error no window " + args.value(1));
      answer("ok");
      QTest::keyClick(w->windowHandle(), static_cast<Qt::Key>(args.value(2).toInt()),
                      modifiersOf(args.value(3).toInt()));
      return;
    }
    QWidget* c = control(args.value(1));
    if (!c) return answer("error no control " + args.value(1));
    if (command == "text") return answer("ok " + hexOf(textOf(c)));
    if (command == "settext") {
      auto* edit = qobject_cast<QLineEdit*>(c);
      if (!edit) return answer("error not an edit box");
      edit->setText(fromHex(args.value(2)));
      return answer("ok");
    }
    if (command == "click" || command == "press") {
      QWindow* handle = c->window()->windowHandle();
      if (!handle) return answer("error no window handle");
      const QPoint at = c->mapTo(c->window(), c->rect().center());
      const Qt::KeyboardModifiers modifiers = modifiersOf(args.value(2).toInt());
      answer("ok");
      QTest::mouseClick(handle, Qt::LeftButton, modifiers, at);
      return;
    }
    answer("error unknown command " + command);
  }

  int fd_;
  QSocketNotifier notifier_;
  QByteArray pending_;
};

}  // namespace

class KeloDriverPlugin : public QGenericPlugin {
  Q_OBJECT
  Q_PLUGIN_METADATA(IID QGenericPluginFactoryInterface_iid FILE "driver_plugin.json")

 public:
  QObject* create(const QString& key, const QString& parameters) override {
    bool ok = false;
    const int fd = parameters.toInt(&ok);
    if (key != QLatin1String("kelodriver") || !ok || fd < 0) return nullptr;
    return new Driver(fd);  // Qt keeps the generic plugins' objects until the program ends
  }
};

#include "driver_plugin.moc"
