// MainWindow against its design: place, size, controls, texts, tab order, keyboard, read-only
// boxes, the skin's colours, the bytes of control texts.
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

#include "app/commands.h"
#include "app/qt/controls.h"
#include "app/qt/skin.h"
#include "qt_fixture.h"

using namespace kelo;
using namespace kelo::testing;
using enum kelo::ControlId;

namespace {

QColor pixelOf(const QImage& image, QPoint at) { return QColor(image.pixel(at)); }

QPoint windowPos(const QWidget* control, QPoint at) { return control->mapTo(control->window(), at); }

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensCentredAtItsFixedSizeWithFocusInTheAddressBox() {
    Program program;
    QVERIFY(program.isActive());
    qt::DesignWindow& w = program.main();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(w.frameGeometry().size(), QSize(537, 295));
    QCOMPARE(w.frameGeometry().topLeft(),
             screen.topLeft() + QPoint((screen.width() - 537) / 2, (screen.height() - 295) / 2));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kelo网盘下载助手 1.0"));
    QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(w.windowFlags() & Qt::WindowCloseButtonHint);
    QCOMPARE(w.windowType(), Qt::Window);
    // The program icon, with the small image of the .ico beside the 48-pixel picture.
    const QList<QSize> iconSizes = w.windowIcon().availableSizes();
    QVERIFY(iconSizes.contains(QSize(48, 48)) && iconSizes.contains(QSize(16, 16)));
    QCOMPARE(QApplication::focusWidget(), program.control(Main_EditBox1));
    for (ControlId box : {Main_EditBox1, Main_EditBox2, Main_EditBox3, Main_EditBox4, Main_EditBox6}) {
      QCOMPARE(program.seam().controlText(box), Text());
    }
  }

  void everyControlStandsAtItsPlaceWithItsTextAndSettings() {
    Program program;
    const WindowDesign& design = mainWindowDesign();
    for (const ControlDesign& c : design.controls) {
      const QWidget* widget = program.control(c.id);
      const QString id = QString::number(static_cast<int>(c.id));
      QVERIFY2(widget, qPrintable(id));
      const QWidget* container = c.container == None ? &program.main() : program.control(c.container);
      QVERIFY2(widget->parentWidget() == container, qPrintable(id));
      QCOMPARE(widget->geometry(), QRect(c.x, c.y, c.width, c.height));
      QCOMPARE(program.seam().controlText(c.id), Text(c.text));
      QCOMPARE(widget->focusPolicy(), c.tabIndex >= 0 ? Qt::StrongFocus : Qt::NoFocus);
      if (c.font) {
        QCOMPARE(widget->font().pixelSize(), c.font->height);
        QCOMPARE(widget->font().weight(), QFont::Normal);
      } else {
        QCOMPARE(widget->font(), QApplication::font());
      }
      switch (c.type) {
        case ControlType::EditBox: {
          const auto* edit = qobject_cast<const QLineEdit*>(widget);
          QVERIFY2(edit, qPrintable(id));
          QCOMPARE(edit->isReadOnly(), c.readOnly);
          QCOMPARE(edit->palette().color(QPalette::Text),
                   QColor(c.textColour->red, c.textColour->green, c.textColour->blue));
          QCOMPARE(edit->palette().color(QPalette::Base), QColor(255, 255, 255));
          QVERIFY(edit->maxLength() >= 1 << 30);
          break;
        }
        case ControlType::Button: {
          const auto* button = qobject_cast<const QPushButton*>(widget);
          QVERIFY2(button, qPrintable(id));
          QVERIFY(!button->isDefault() && !button->autoDefault());
          break;
        }
        case ControlType::Label:
          QVERIFY(qobject_cast<const qt::DesignLabel*>(widget));
          break;
        case ControlType::GroupBox:
          QVERIFY(qobject_cast<const QGroupBox*>(widget));
          break;
        case ControlType::PicBox:
          QFAIL("MainWindow has no picture box");
      }
    }
    QCOMPARE(program.control(Main_Label7)->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(program.control(Main_GroupBox2)->cursor().shape(), Qt::ArrowCursor);
  }

  void tabWalksTheTabOrderAndShiftTabWalksItBack() {
    Program program;
    QVERIFY(program.isActive());
    const std::vector<ControlId> order{Main_EditBox1, Main_Button1, Main_Button2, Main_EditBox2,
                                       Main_Button3,  Main_EditBox3, Main_Button4, Main_EditBox4,
                                       Main_EditBox6, Main_Button5};
    program.seam().setControlText(Main_EditBox2, "abc");
    for (size_t i = 1; i <= order.size(); ++i) {
      program.key(Qt::Key_Tab);
      QCOMPARE(QApplication::focusWidget(), program.control(order[i % order.size()]));
    }
    // A box reached by Tab has its whole text selected.
    while (QApplication::focusWidget() != program.control(Main_EditBox2)) program.key(Qt::Key_Tab);
    QCOMPARE(qobject_cast<QLineEdit*>(program.control(Main_EditBox2))->selectedText(), "abc");
    for (ControlId expected : {Main_Button2, Main_Button1, Main_EditBox1, Main_Button5}) {
      program.key(Qt::Key_Tab, Qt::ShiftModifier);
      QCOMPARE(QApplication::focusWidget(), program.control(expected));
    }
  }

  void enterArrowsAndF1PressNothingAndKeepTheFocus() {
    Program program;
    QVERIFY(program.isActive());
    // An analysis would overwrite this box, with addresses or, failing, with nothing.
    program.seam().setControlText(Main_EditBox2, "untouched");
    QTest::keyClicks(program.control(Main_EditBox1), "http://share.kelopan.example/s/abc123");
    for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_F1, Qt::Key_Down}) {
      program.key(key);
      QCOMPARE(QApplication::focusWidget(), program.control(Main_EditBox1));
    }
    QCOMPARE(program.seam().controlText(Main_EditBox2), Text("untouched"));

    // On a button neither Enter (no default button) nor an arrow key does anything.
    program.control(Main_Button5)->setFocus(Qt::OtherFocusReason);
    const bool opened = whileAboutOpen(
        [&] {
          for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Left, Qt::Key_Right,
                              Qt::Key_Up, Qt::Key_Down}) {
            program.key(key);
            QCOMPARE(QApplication::focusWidget(), program.control(Main_Button5));
          }
        },
        [](qt::DesignWindow&) {});
    QVERIFY(!opened);
  }

  void escapeClosesTheWindowOnlyWithoutModifiers() {
    Program program;
    QVERIFY(program.isActive());
    for (Qt::KeyboardModifier modifier : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
      program.key(Qt::Key_Escape, modifier);
      QVERIFY(program.main().isVisible());
    }
    QSignalSpy closed(&program.main(), &qt::DesignWindow::closed);
    program.key(Qt::Key_Escape);
    QCOMPARE(closed.count(), 1);
    QVERIFY(!program.main().isVisible());
    QVERIFY(program.main().isClosed());
  }

  void resultBoxesTakeNoTypingButCopy() {
    Program program;
    QVERIFY(program.isActive());
    const Text address = "http://cu-dl.kelopan.com.example/files/x/a.zip";
    for (ControlId box : {Main_EditBox2, Main_EditBox3, Main_EditBox4, Main_EditBox6}) {
      program.seam().setControlText(box, address);
      program.control(box)->setFocus(Qt::TabFocusReason);
      QTest::keyClicks(program.control(box), "typed");
      program.key(Qt::Key_Backspace);
      program.key(Qt::Key_Delete);
      QCOMPARE(program.seam().controlText(box), address);
      QGuiApplication::clipboard()->setText("before");
      program.key(Qt::Key_A, Qt::ControlModifier);
      program.key(Qt::Key_C, Qt::ControlModifier);
      QCOMPARE(QGuiApplication::clipboard()->text(), QString::fromLatin1(address));
    }
  }

  void theSkinDrawsInTheBlueScheme() {
    Program program;
    QVERIFY(program.isActive());
    QCOMPARE(qt::skin::scheme(), 1);
    const QImage shot = program.main().grab().toImage();
    const QColor frame(123, 158, 189);
    // Edit box: the scheme's frame outside, white inside it.
    for (ControlId box : {Main_EditBox1, Main_EditBox2, Main_EditBox6}) {
      const QWidget* edit = program.control(box);
      QCOMPARE(pixelOf(shot, windowPos(edit, {0, 0})), frame);
      QCOMPARE(pixelOf(shot, windowPos(edit, {edit->width() - 1, edit->height() / 2})), frame);
      QCOMPARE(pixelOf(shot, windowPos(edit, {1, 1})), QColor(255, 255, 255));
    }
    // Group box: the frame's left edge in the scheme's colour.
    const QWidget* group = program.control(Main_GroupBox2);
    QCOMPARE(pixelOf(shot, windowPos(group, {0, group->height() / 2})), frame);
    // Button: dark blue border with its corners left out, white at the top of the face.
    const QWidget* button = program.control(Main_Button3);
    const QColor face = program.main().palette().color(QPalette::Button);
    QCOMPARE(pixelOf(shot, windowPos(button, {0, 0})), face);
    QCOMPARE(pixelOf(shot, windowPos(button, {1, 0})), QColor(0, 60, 116));
    QCOMPARE(pixelOf(shot, windowPos(button, {0, 1})), QColor(0, 60, 116));
    QCOMPARE(pixelOf(shot, windowPos(button, {5, 1})), QColor(255, 255, 255));
    // The group caption in its own colour: some pixel of it is close to (0, 96, 192).
    bool blueCaption = false;
    for (int x = 9; x < 60 && !blueCaption; ++x) {
      for (int y = 0; y < 12 && !blueCaption; ++y) {
        const QColor c = pixelOf(shot, windowPos(group, {x, y}));
        blueCaption = c.red() < 40 && c.blue() > 150 && c.green() > 60 && c.green() < 130;
      }
    }
    QVERIFY(blueCaption);

    program.seam().setSkinScheme(0);  // off: the frame is no longer the scheme's
    const QImage plain = program.main().grab().toImage();
    QVERIFY(pixelOf(plain, windowPos(program.control(Main_EditBox1), {0, 0})) != frame);
    program.seam().setSkinScheme(1);
  }

  void captionLabelsAreEngraved() {
    Program program;
    const int face = program.main().palette().color(QPalette::Button).lightness();
    auto lighterThanFace = [&](QColor c) { return c.lightness() > face + 4; };
    for (ControlId id : {Main_Label1, Main_Label2, Main_Label6}) {
      const QImage label = program.control(id)->grab().toImage();
      // The white copy one pixel right of and below the black text: pixels lighter than the
      // background occur, and most of them lie right below a dark pixel of the text.
      int light = 0, dark = 0, lightBelowDark = 0;
      for (int y = 1; y < label.height(); ++y) {
        for (int x = 1; x < label.width(); ++x) {
          const QColor c = pixelOf(label, {x, y});
          if (lighterThanFace(c)) {
            ++light;
            if (QColor(label.pixel(x - 1, y - 1)).lightness() < face - 40) ++lightBelowDark;
          }
          if (c.lightness() < face - 120) ++dark;
        }
      }
      QVERIFY2(light > 10 && dark > 10, qPrintable(QString::number(static_cast<int>(id))));
      QVERIFY(lightBelowDark > light / 2);
    }
    // 标签7 is plain: nothing lighter than its background.
    const QImage link = program.control(Main_Label7)->grab().toImage();
    for (int y = 0; y < link.height(); ++y) {
      for (int x = 0; x < link.width(); ++x) QVERIFY(!lighterThanFace(pixelOf(link, {x, y})));
    }
  }

  void controlTextsKeepTheirBytesWhileShown() {
    Program program;
    auto* edit = qobject_cast<QLineEdit*>(program.control(Main_EditBox2));
    // GBK shows as Unicode in the widget and reads back as the same bytes.
    program.seam().setControlText(Main_EditBox2, gbk("中文.zip"));
    QCOMPARE(edit->text(), QStringLiteral("中文.zip"));
    QCOMPARE(program.seam().controlText(Main_EditBox2), gbk("中文.zip"));
    // Bytes that are no GB18030 text cannot survive the trip to Unicode and back; while the box
    // still shows what they became, reading gives the bytes written.
    const Text broken = "a\x81" "b\xff";
    program.seam().setControlText(Main_EditBox2, broken);
    QCOMPARE(program.seam().controlText(Main_EditBox2), broken);
    // Once the box shows something else, its own text counts.
    edit->setText(QStringLiteral("新"));
    QCOMPARE(program.seam().controlText(Main_EditBox2), gbk("新"));
    // What the user typed into the address box reads as GBK; a U+0000 ends the text.
    edit = qobject_cast<QLineEdit*>(program.control(Main_EditBox1));
    edit->setText(QStringLiteral("提取码") + QChar(0) + QStringLiteral("x"));
    QCOMPARE(program.seam().controlText(Main_EditBox1), gbk("提取码"));
  }

  void aWindowWhoseControlHasNoContainerIsIncomplete() {
    setUpOnce();
    const ControlDesign controls[] = {
        {.id = Main_EditBox1, .type = ControlType::EditBox, .container = Main_GroupBox1,
         .width = 10, .height = 10},
    };
    const WindowDesign design{.id = WindowId::Main, .title = "x", .width = 100, .height = 100,
                              .taskbarButton = true, .controls = controls};
    qt::QtSeam seam;
    qt::DesignWindow window(design, seam);
    QVERIFY(!window.isComplete());
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
