// AboutWindow shown modally over MainWindow, and the home-page link.
#include <QClipboard>
#include <QDesktopServices>
#include <QLabel>
#include <QScreen>
#include <QtTest>

#include "app/build_config.h"
#include "app/qt/banner.h"
#include "qt_fixture.h"

using namespace kelo;
using namespace kelo::testing;
using enum kelo::ControlId;

// Catches the addresses the program asks the desktop to open.
class UrlCatcher : public QObject {
  Q_OBJECT

 public:
  QList<QUrl> opened;

 public slots:
  void open(const QUrl& url) { opened.append(url); }
};

class AboutTest : public QObject {
  Q_OBJECT

 private slots:
  void aboutOpensModallyCentredOnTheScreenWithItsContent() {
    Program program;
    QVERIFY(program.isActive());
    program.main().move(10, 20);  // not where the About window goes
    const QRect screen = QGuiApplication::primaryScreen()->geometry();

    const bool opened = whileAboutOpen([&] { program.click(Main_Button5); }, [&](qt::DesignWindow& about) {
      QCOMPARE(QApplication::activeModalWidget(), &about);
      QCOMPARE(about.windowModality(), Qt::ApplicationModal);
      // Owned by MainWindow: no task-bar button of its own.
      QCOMPARE(about.windowType(), Qt::Dialog);
      QCOMPARE(about.parentWidget(), &program.main());
      QCOMPARE(about.windowTitle(), QStringLiteral("关于"));
      QCOMPARE(about.frameGeometry(),
               QRect(screen.topLeft() + QPoint((screen.width() - 322) / 2, (screen.height() - 250) / 2),
                     QSize(322, 250)));
      QCOMPARE(about.minimumSize(), about.maximumSize());
      for (const ControlDesign& c : aboutWindowDesign().controls) {
        QWidget* control = about.control(c.id);
        QVERIFY(control);
        QCOMPARE(control->geometry(), QRect(c.x, c.y, c.width, c.height));
        QCOMPARE(control->focusPolicy(), Qt::NoFocus);
        QCOMPARE(program.seam().controlText(c.id), Text(c.text));
      }
      const QString text = qobject_cast<QLabel*>(about.control(About_Label1))->text();
      QCOMPARE(text.split("\r\n").size(), 8);
      QVERIFY(text.startsWith(QStringLiteral("程序：Kelo网盘下载助手\r\n版本：1.0\r\n作者：")));
      QVERIFY(text.endsWith(QStringLiteral("感谢伟大的祖国，祝祖国生日快乐，繁荣富强！")));
      // Rows as tall as the characters, as in 宋体: the eighth line is drawn in the label's
      // last twelve rows of pixels, and nothing below it.
      const QImage label = about.control(About_Label1)->grab().toImage();
      auto inkIn = [&](int top, int bottom) {
        int ink = 0;
        for (int y = top; y < bottom; ++y) {
          for (int x = 0; x < label.width(); ++x) ink += label.pixelColor(x, y).lightness() < 100;
        }
        return ink;
      };
      QVERIFY(inkIn(84, 96) > 20);
      QCOMPARE(inkIn(97, label.height()), 0);

      // The banner at its natural size from the top-left, opaque; the box's own background
      // right of and below it.
      const QImage banner = qt::bannerImage();
      QCOMPARE(banner.size(), QSize(290, 90));
      const QImage shot = about.control(About_PicBox1)->grab().toImage();
      for (QPoint at : {QPoint(0, 0), QPoint(145, 45), QPoint(289, 89), QPoint(17, 71)}) {
        QCOMPARE(shot.pixelColor(at), banner.pixelColor(at));
        QCOMPARE(banner.pixelColor(at).alpha(), 255);
      }
      const QColor face = about.palette().color(QPalette::Button);
      QCOMPARE(shot.pixelColor(295, 50), face);
      QCOMPARE(shot.pixelColor(100, 95), face);

      // MainWindow takes no input meanwhile.
      program.seam().setControlText(Main_EditBox2, "x");
      QGuiApplication::clipboard()->setText("before");
      program.click(Main_Button2);
      QTest::keyClick(program.main().windowHandle(), Qt::Key_Escape);
      QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
      QVERIFY(program.main().isVisible());

      // Escape closes AboutWindow, not the program.
      QTest::keyClick(about.windowHandle(), Qt::Key_Escape);
      QVERIFY(about.isClosed());
    });
    QVERIFY(opened);
    QVERIFY(!qt::liveWindow(WindowId::About));
    QVERIFY(program.main().isVisible());
    QVERIFY(QTest::qWaitForWindowActive(&program.main()));
    // MainWindow works again, with the focus where it was.
    QCOMPARE(QApplication::focusWidget(), program.control(Main_Button5));
    program.click(Main_Button2);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("x"));
    // A second About window opens as the first did.
    QVERIFY(whileAboutOpen([&] { program.click(Main_Button5); }, [](qt::DesignWindow&) {}));
  }

  void theHomePageLabelOpensThePageOnAnyLeftPress() {
    Program program;
    QVERIFY(program.isActive());
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    QWidget* label = program.control(Main_Label7);
    const Qt::KeyboardModifiers modifiers[] = {
        Qt::NoModifier, Qt::ControlModifier, Qt::ShiftModifier, Qt::AltModifier,
        Qt::ControlModifier | Qt::ShiftModifier | Qt::AltModifier};
    for (Qt::KeyboardModifiers held : modifiers) {
      // The press alone opens the page; the button is released well away from the label.
      QTest::mousePress(label, Qt::LeftButton, held, QPoint(3, 5));
      QTest::mouseRelease(&program.main(), Qt::LeftButton, held, QPoint(5, 5));
    }
    QTest::mouseClick(label, Qt::RightButton, {}, QPoint(3, 5));
    QTest::mouseClick(label, Qt::MiddleButton, {}, QPoint(3, 5));
    QDesktopServices::unsetUrlHandler("http");
    QCOMPARE(catcher.opened.size(), 5);
    for (const QUrl& url : catcher.opened) QCOMPARE(url, QUrl(QString::fromLatin1(config::kHomePage)));
    QVERIFY(qobject_cast<QLabel*>(label)->text().endsWith(QString::fromLatin1(config::kHomePage)));
  }
};

QTEST_MAIN(AboutTest)
#include "about_test.moc"
