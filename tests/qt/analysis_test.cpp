// The Analyze command and the copy buttons in the Linux program against the stand-in service,
// and the HTTP client's requests and replies, checked against what the service recorded.
#include <QClipboard>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QtTest>

#include <string>

#include "qt_fixture.h"

using namespace kelo;
using namespace kelo::testing;
using enum kelo::ControlId;

namespace {

const std::string kTarget = "/?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode=";

// Every byte the client sends: the request line, HTTP/1.0's Host, the agent, one Accept.
std::string expectedRequest(const std::string& code) {
  return "GET " + kTarget + code + " HTTP/1.0\r\n" +
         "Host: 127.0.0.1:47161\r\n"
         "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
         "Accept: */*\r\n"
         "\r\n";
}

// The service's good reply for a code: the typical fixture with the code in place of abc123.
std::string goodReply(const std::string& code) {
  QFile file(QStringLiteral(KELO_SOURCE_DIR "/tests/fixtures/reply_typical.json"));
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll().replace("abc123", QByteArray::fromStdString(code)).toStdString();
}

std::vector<std::string> addressesFor(const std::string& code) {
  const std::string path = "/files/" + code + "/a.zip?t=1700000000&s=9f8e";
  return {"http://cu-dl.kelopan.com.example" + path, "http://ct-dl.kelopan.example" + path,
          "http://bak-dl.kelopan.example" + path};
}

}  // namespace

class AnalysisTest : public QObject {
  Q_OBJECT

  void analyze(Program& program, const QString& address) {
    auto* box = program.control(Main_EditBox1);
    qobject_cast<QLineEdit*>(box)->clear();
    box->setFocus(Qt::MouseFocusReason);
    // Latin letters come from the keyboard, Chinese from an input method.
    for (QChar c : address) {
      if (c.unicode() < 0x80) {
        QTest::keyClicks(box, QString(c));
      } else {
        QInputMethodEvent commit;
        commit.setCommitString(QString(c));
        QApplication::sendEvent(box, &commit);
      }
    }
    program.click(Main_Button1);
  }

  static std::vector<Text> boxes(Program& program) {
    return {program.seam().controlText(Main_EditBox2), program.seam().controlText(Main_EditBox3),
            program.seam().controlText(Main_EditBox4)};
  }

 private slots:
  void initTestCase() {
    if (recordDir().isEmpty()) QSKIP("needs the stand-in service (run through with_standin.py)");
    QVERIFY(!goodReply("x").empty());
  }

  void init() { clearRecordedRequests(); }

  void anAnalysisFillsTheBoxesFromOneRequestEachTime() {
    Program program;
    QVERIFY(program.isActive());
    analyze(program, "http://share.kelopan.example/s/abc123");
    const std::vector<std::string> addresses = addressesFor("abc123");
    QCOMPARE(boxes(program), addresses);
    QCOMPARE(program.seam().controlText(Main_EditBox6), gbk("中文.zip"));
    QCOMPARE(qobject_cast<QLineEdit*>(program.control(Main_EditBox6))->text(), "中文.zip");
    QCOMPARE(recordedRequests(), std::vector<std::string>{expectedRequest("abc123")});
    // Nothing is cached: the same analysis again asks the service again.
    program.click(Main_Button1);
    QCOMPARE(recordedRequests(),
             std::vector<std::string>(2, expectedRequest("abc123")));
  }

  void thePickCodeGoesOutAsItsRawBytes() {
    Program program;
    QVERIFY(program.isActive());
    const struct {
      QString address;
      std::string code;
    } cases[] = {
        {QStringLiteral("http://share.kelopan.example/s/提取码"), gbk("提取码")},
        {QStringLiteral("abc%41\"{}|^`"), "abc%41\"{}|^`"},
        {QStringLiteral("x/y/"), ""},
        {QStringLiteral("a/..#frag"), ".."},
    };
    for (const auto& c : cases) {
      clearRecordedRequests();
      analyze(program, c.address);
      const std::vector<std::string> sent = recordedRequests();
      QVERIFY2(sent.size() == 1, qPrintable(c.address));
      QCOMPARE(sent[0], expectedRequest(c.code));
    }
  }

  void messagesForAnEmptyAddressAndAnExpiredCode() {
    Program program;
    QVERIFY(program.isActive());
    program.seam().setControlText(Main_EditBox6, "keep");
    program.click(Main_Button1);
    QCOMPARE(boxes(program), std::vector<Text>(3, gbk("请正确输入Kelo网盘地址!!!")));
    QVERIFY(recordedRequests().empty());
    analyze(program, "http://share.kelopan.example/s/expired");
    QCOMPARE(boxes(program), std::vector<Text>(3, gbk("提取码不存在或已过期。")));
    QCOMPARE(recordedRequests().size(), size_t{1});
    QCOMPARE(program.seam().controlText(Main_EditBox6), Text("keep"));
  }

  void theClientReturnsTheBodyWhateverHappensAfterItBegins() {
    Program program;
    qt::QtSeam& seam = program.seam();
    auto fetch = [&](const std::string& code) {
      return seam.httpReadFile("http://127.0.0.1:47161" + kTarget + code);
    };
    // An error status: its body all the same.
    QCOMPARE(fetch("status-500"), goodReply("status-500"));
    // A body cut short: the bytes that came, up to the "},{" after the second address.
    const std::string cut = fetch("cut");
    const std::string whole = goodReply("cut");
    QVERIFY(!cut.empty() && cut.size() < whole.size());
    QCOMPARE(whole.substr(0, cut.size()), cut);
    QVERIFY(cut.ends_with("},{"));
    // Without a length the body ends with the connection; a 0 byte is kept with what follows.
    QCOMPARE(fetch("no-length"), goodReply("no-length"));
    const std::string nulTail = fetch("nul-tail");
    QCOMPARE(nulTail, goodReply("nul-tail") + std::string(1, '\0') + "{\"state\":false}");
    // Nothing at all, or an empty body: the empty buffer.
    QCOMPARE(fetch("no-reply"), ByteBuffer());
    QCOMPARE(fetch("empty"), ByteBuffer());
  }

  void redirectsAreFollowedWithTheSameHeaders() {
    Program program;
    const ByteBuffer body = program.seam().httpReadFile(
        "http://127.0.0.1:47161" + kTarget + "redirect-to-abc123");
    QCOMPARE(body, goodReply("abc123"));
    QCOMPARE(recordedRequests(),
             (std::vector<std::string>{expectedRequest("redirect-to-abc123"),
                                       expectedRequest("abc123")}));
  }

  void addressesThatCannotBeSentGiveTheEmptyReplyAndSendNothing() {
    Program program;
    const std::string longCode(2048 - kTarget.size(), 'a');
    const std::string refused[] = {
        "", "https://127.0.0.1:47161/", "http://127.0.0.1:47161" + kTarget + "a b",
        "http://user@127.0.0.1:47161/", "http://127.0.0.1:47161" + kTarget + longCode,
        "http://127.0.0.1:1" + kTarget + "abc",  // nothing listens there
    };
    for (const std::string& url : refused) {
      QCOMPARE(program.seam().httpReadFile(url), ByteBuffer());
    }
    QVERIFY(recordedRequests().empty());
    // One byte shorter, the same long target goes out.
    const std::string fits = longCode.substr(1);
    QCOMPARE(program.seam().httpReadFile("http://127.0.0.1:47161" + kTarget + fits),
             goodReply(fits));
  }

  void copyButtonsPutTheirBoxOnTheClipboard() {
    Program program;
    QVERIFY(program.isActive());
    QClipboard* clipboard = QGuiApplication::clipboard();
    // An empty box empties the clipboard.
    clipboard->setText("before");
    program.click(Main_Button2);
    QCOMPARE(clipboard->text(), QString());

    analyze(program, "http://share.kelopan.example/s/abc123");
    const std::vector<std::string> addresses = addressesFor("abc123");
    const ControlId buttons[] = {Main_Button2, Main_Button3, Main_Button4};
    for (size_t i = 0; i < 3; ++i) {
      program.click(buttons[i]);
      QCOMPARE(clipboard->text(), QString::fromStdString(addresses[i]));
    }
    // Two Unicom addresses: the box and the copy hold the later one.
    analyze(program, "http://share.kelopan.example/s/two-unicom");
    program.click(Main_Button2);
    QCOMPARE(clipboard->text(),
             QString::fromStdString("http://cu-dl.kelopan.net.example/files/two-unicom/a.zip?t=1700000000&s=9f8e"));
    // A message is copied as the box shows it, in Unicode.
    analyze(program, "http://share.kelopan.example/s/expired");
    program.click(Main_Button3);
    QCOMPARE(clipboard->text(), QStringLiteral("提取码不存在或已过期。"));
  }
};

QTEST_MAIN(AnalysisTest)
#include "analysis_test.moc"
