#!/usr/bin/env python3
"""End-to-end tests of the Windows program: the real .exe under Wine on an X display, driven by
driver.exe through window messages, talking to the stand-in service."""

import argparse
import json
import os
import subprocess
import sys
import time
import unittest
import urllib.request
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import harness  # noqa: E402
from harness import gbk  # noqa: E402

# Control ids (the numbers the program gives its controls).
GROUP1, LABEL1, EDIT1, BUTTON1 = 101, 102, 103, 104
GROUP2, LABEL2, EDIT2, BUTTON2, LABEL3, EDIT3, BUTTON3 = 105, 106, 107, 108, 109, 110, 111
LABEL4, EDIT4, BUTTON4, LABEL6, EDIT6, BUTTON5, LABEL7 = 112, 113, 114, 115, 116, 117, 118
PICBOX1, ABOUT_LABEL1 = 201, 202

VK_TAB, VK_RETURN, VK_ESCAPE = 0x09, 0x0D, 0x1B
SHIFT = 2

EMPTY_INPUT = "请正确输入Kelo网盘地址!!!"
EXPIRED = "提取码不存在或已过期。"
PREFIX = "/?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode="

# The MainWindow design: control, container, x, y, width, height, text.
LAYOUT = [
    (GROUP1, None, 16, 8, 500, 56, "输入Kelo网盘地址"),
    (LABEL1, GROUP1, 15, 18, 48, 25, "地址："),
    (EDIT1, GROUP1, 55, 18, 344, 25, ""),
    (BUTTON1, GROUP1, 407, 15, 80, 30, "分析"),
    (GROUP2, None, 16, 70, 500, 162, "真实下载地址"),
    (LABEL2, GROUP2, 16, 18, 40, 25, "联通："),
    (EDIT2, GROUP2, 56, 18, 344, 25, ""),
    (BUTTON2, GROUP2, 408, 15, 80, 30, "复制地址"),
    (LABEL3, GROUP2, 16, 54, 40, 25, "电信："),
    (EDIT3, GROUP2, 56, 54, 344, 25, ""),
    (BUTTON3, GROUP2, 408, 51, 80, 30, "复制地址"),
    (LABEL4, GROUP2, 16, 90, 40, 25, "备份："),
    (EDIT4, GROUP2, 56, 90, 344, 25, ""),
    (BUTTON4, GROUP2, 408, 87, 80, 30, "复制地址"),
    (LABEL6, GROUP2, 7, 126, 47, 25, "文件名："),
    (EDIT6, GROUP2, 56, 126, 344, 25, ""),
    (BUTTON5, GROUP2, 408, 122, 80, 30, "关于"),
    (LABEL7, None, 317, 237, 199, 24, None),
]

ARGS = None
ENV = {}


def reply_for(code: str) -> bytes:
    url = f"http://127.0.0.1:{harness.PORT}{PREFIX}{code}"
    with urllib.request.urlopen(url) as r:
        return r.read()


def addresses_of(reply: bytes) -> list:
    """The download addresses of a well-formed reply, slashes unescaped."""
    data = json.loads(reply.decode("utf-8"))
    return [u["Url"] for u in data["data"]["DownloadUrl"]]


class ProgramTest(unittest.TestCase):
    """Each test runs the program afresh and ends it."""

    def setUp(self):
        self.d = ENV["driver"]
        ENV["standin"].clear()
        self.program = harness.Program(ENV["wine"], ARGS.exe, self.d)

    def tearDown(self):
        try:
            self.d("close about")
        except AssertionError:
            pass
        try:
            self.d("close main")
        except AssertionError:
            pass
        try:
            self.program.exit_code(timeout=20)
        except Exception:
            self.program.kill()

    def text(self, control) -> str:
        return self.d(f"text {control}")

    def analyze(self, address: str):
        self.d(f"settext {EDIT1} {gbk(address)}")
        self.d(f"click {BUTTON1}")
        self.d("sync")

    def boxes(self) -> list:
        return [self.text(c) for c in (EDIT2, EDIT3, EDIT4)]


class WindowTests(ProgramTest):
    def test_opens_centred_at_its_fixed_size_with_focus_in_the_address_box(self):
        sw, sh = self.d.ints("screen")
        left, top, right, bottom = self.d.ints("rect main")
        self.assertEqual((right - left, bottom - top), (537, 295))
        self.assertEqual((left, top), ((sw - 537) // 2, (sh - 295) // 2))
        self.assertEqual(self.d("title main"), gbk("Kelo网盘下载助手 1.0"))
        style, exstyle = (int(x, 16) for x in self.d("style main").split())
        WS_THICKFRAME, WS_MINIMIZEBOX, WS_MAXIMIZEBOX, WS_SYSMENU = 0x40000, 0x20000, 0x10000, 0x80000
        self.assertEqual(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0)
        self.assertTrue(style & WS_SYSMENU)
        self.assertTrue(exstyle & 0x40000, "WS_EX_APPWINDOW: a task-bar button of its own")
        self.assertEqual(self.d.ints("focus"), [EDIT1])
        for box in (EDIT1, EDIT2, EDIT3, EDIT4, EDIT6):
            self.assertEqual(self.text(box), "-")
        shot = ARGS.work / "main-window.png"
        harness.screenshot(ENV["display"], shot)
        # The blue skin draws every edit box's frame in (123, 158, 189).
        for box in (EDIT1, EDIT2, EDIT6):
            l, t, r, b = self.d.ints(f"ctlrect {box}")
            self.assertEqual(harness.pixel(shot, l, (t + b) // 2), (123, 158, 189), box)
            self.assertEqual(harness.pixel(shot, r - 1, t), (123, 158, 189), box)

    def test_every_control_stands_at_its_place_with_its_text(self):
        origin = {}
        cl, ct, _, _ = self.d.ints("client main")
        for control, container, x, y, w, h, text in LAYOUT:
            left, top, right, bottom = self.d.ints(f"ctlrect {control}")
            ox, oy = origin.get(container, (cl, ct))
            with self.subTest(control=control):
                self.assertEqual((left - ox, top - oy, right - left, bottom - top), (x, y, w, h))
                if text is not None:
                    self.assertEqual(self.text(control), gbk(text))
            origin[control] = (left, top)
        self.assertTrue(bytes.fromhex(self.text(LABEL7)).startswith("访问作者主页：http://".encode("gbk")))

    def test_result_boxes_are_read_only(self):
        ES_READONLY = 0x800
        for box in (EDIT2, EDIT3, EDIT4, EDIT6):
            style = int(self.d(f"ctlstyle {box}").split()[0], 16)
            self.assertTrue(style & ES_READONLY, box)
        self.d(f"focus-to {EDIT2}")
        self.d(f"type {EDIT2} {gbk('typed')}")
        self.d("sync")
        self.assertEqual(self.text(EDIT2), "-")
        self.assertFalse(int(self.d(f"ctlstyle {EDIT1}").split()[0], 16) & ES_READONLY)

    def test_tab_walks_the_tab_order_and_shift_tab_walks_it_back(self):
        order = [EDIT1, BUTTON1, BUTTON2, EDIT2, BUTTON3, EDIT3, BUTTON4, EDIT4, EDIT6, BUTTON5]
        seen = []
        for _ in range(len(order)):
            self.d(f"key {VK_TAB} 0")
            self.d("sync")
            seen.append(self.d.ints("focus")[0])
        self.assertEqual(seen, order[1:] + order[:1])
        back = []
        for _ in range(3):
            self.d(f"key {VK_TAB} {SHIFT}")
            self.d("sync")
            back.append(self.d.ints("focus")[0])
        self.d(f"key {VK_TAB} 0")  # leave no Shift held for the next test
        self.assertEqual(back, [BUTTON5, EDIT6, EDIT4])

    def test_enter_starts_nothing_and_keeps_the_focus(self):
        self.d(f"settext {EDIT1} {gbk('http://share.kelopan.example/s/abc123')}")
        self.d(f"key {VK_RETURN} 0")
        self.d("sync")
        self.assertEqual(self.d.ints("focus"), [EDIT1])
        self.assertEqual(ENV["standin"].requests(), [])
        self.assertEqual(self.boxes(), ["-", "-", "-"])

    def test_escape_ends_the_program_with_code_0(self):
        self.d(f"key {VK_ESCAPE} 0")
        self.assertEqual(self.program.exit_code(), 0)

    def test_close_box_ends_the_program_with_code_0(self):
        self.d("close main")
        self.assertEqual(self.program.exit_code(), 0)


class AnalysisTests(ProgramTest):
    def test_analysis_fills_the_boxes_from_one_request(self):
        code = "abc123"
        expected = addresses_of(reply_for(code))
        ENV["standin"].clear()
        self.analyze(f"http://share.kelopan.example/s/{code}")
        self.assertEqual(self.boxes(), [gbk(a) for a in expected])
        for a in expected:
            self.assertNotIn("\\", a)
        requests = ENV["standin"].requests()
        self.assertEqual(len(requests), 1)
        head = requests[0].split(b"\r\n")
        self.assertEqual(head[0], f"GET {PREFIX}{code} HTTP/1.0".encode())
        headers = [h for h in head[1:] if h]
        self.assertIn(b"User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", headers)
        accepts = [h for h in headers if h.lower().startswith(b"accept:")]
        self.assertEqual(accepts, [b"Accept: */*"])
        for h in headers:
            self.assertFalse(h.lower().startswith((b"referer:", b"cookie:", b"authorization:")), h)
        harness.screenshot(ENV["display"], ARGS.work / "main-window-analysed.png")

    def test_messages_for_empty_input_and_expired_code(self):
        self.d(f"settext {EDIT6} {gbk('keep')}")
        self.analyze("")
        self.assertEqual(self.boxes(), [gbk(EMPTY_INPUT)] * 3)
        self.assertEqual(ENV["standin"].requests(), [])
        self.analyze("http://share.kelopan.example/s/expired")
        self.assertEqual(self.boxes(), [gbk(EXPIRED)] * 3)
        self.assertEqual(len(ENV["standin"].requests()), 1)
        self.assertEqual(self.text(EDIT6), gbk("keep"))

    def test_pick_code_is_whatever_follows_the_last_slash(self):
        cases = [("abc123", "abc123"), ("a/b/", ""), ("x/y/z9", "z9")]
        for address, code in cases:
            ENV["standin"].clear()
            self.analyze(address)
            line = ENV["standin"].requests()[0].split(b"\r\n")[0]
            self.assertEqual(line, f"GET {PREFIX}{code} HTTP/1.0".encode(), address)

    def test_gbk_bytes_of_the_pick_code_go_out_raw(self):
        self.analyze("http://share.kelopan.example/s/提取码")
        line = ENV["standin"].requests()[0].split(b"\r\n")[0]
        self.assertEqual(line, b"GET " + PREFIX.encode() + "提取码".encode("gbk") + b" HTTP/1.0")

    def test_service_down_empties_the_boxes_without_message(self):
        self.analyze("http://share.kelopan.example/s/abc123")
        self.assertNotEqual(self.boxes(), ["-", "-", "-"])
        ENV["standin"].stop()
        try:
            self.analyze("http://share.kelopan.example/s/abc123")
            self.assertEqual(self.boxes(), ["-", "-", "-"])
        finally:
            ENV["standin"] = harness.Standin(ARGS.work / "requests")

    def test_a_cut_reply_and_an_error_status_are_read_as_any_reply(self):
        good = addresses_of(reply_for("abc123"))
        # Cut after the second address: the first two land; the third cut finds no key.
        self.analyze("http://share.kelopan.example/s/cut")
        self.assertEqual(self.boxes(), [gbk(good[0].replace("abc123", "cut")),
                                        gbk(good[1].replace("abc123", "cut")), "-"])
        # An error status with a normal body is processed like any reply.
        self.analyze("http://share.kelopan.example/s/status-500")
        self.assertEqual(self.boxes(), [gbk(a.replace("abc123", "status-500")) for a in good])




class FileNameTests(ProgramTest):
    def test_the_chinese_file_name_shows_in_its_box(self):
        self.analyze("http://share.kelopan.example/s/abc123")
        # The service writes the name as \u escapes; the box shows its GB18030 bytes.
        self.assertEqual(self.text(EDIT6), "d6d0cec4" + b".zip".hex())

    def test_odd_names_and_a_failed_request(self):
        self.analyze("http://share.kelopan.example/s/name-slash")
        self.assertEqual(self.text(EDIT6), gbk("a\\/b.zip"))
        self.analyze("http://share.kelopan.example/s/name-two-places")
        self.assertEqual(self.text(EDIT6), gbk('a.zip", "b.zip'))
        self.analyze("http://share.kelopan.example/s/html")
        self.assertEqual(self.text(EDIT6), "-")
        self.analyze("http://share.kelopan.example/s/abc123")
        self.assertNotEqual(self.text(EDIT6), "-")
        ENV["standin"].stop()
        try:
            self.analyze("http://share.kelopan.example/s/abc123")
            self.assertEqual(self.text(EDIT6), "-")
        finally:
            ENV["standin"] = harness.Standin(ARGS.work / "requests")

class CopyTests(ProgramTest):
    def test_each_copy_button_puts_its_box_bytes_on_the_clipboard(self):
        self.analyze("http://share.kelopan.example/s/abc123")
        for button, box in ((BUTTON2, EDIT2), (BUTTON3, EDIT3), (BUTTON4, EDIT4)):
            self.d(f"click {button}")
            self.assertEqual(self.d("clipboard"), self.text(box), button)
            self.assertNotEqual(self.text(box), "-")

    def test_copying_a_message_and_an_empty_box(self):
        self.d(f"set-clipboard {gbk('something else')}")
        self.d(f"click {BUTTON3}")
        self.assertEqual(self.d("clipboard"), "-")  # the empty text, the old content gone
        self.analyze("http://share.kelopan.example/s/expired")
        self.d(f"click {BUTTON4}")
        self.assertEqual(self.d("clipboard"), gbk(EXPIRED))


class AboutTests(ProgramTest):
    def open_about(self):
        self.d(f"post-click {BUTTON5}")
        self.d("wait about 10000")
        self.d("sync")

    def test_about_opens_modally_centred_and_escape_closes_only_it(self):
        self.d("move main 10 20")
        self.d("sync")
        self.open_about()
        sw, sh = self.d.ints("screen")
        left, top, right, bottom = self.d.ints("rect about")
        self.assertEqual((right - left, bottom - top), (322, 250))
        self.assertEqual((left, top), ((sw - 322) // 2, (sh - 250) // 2))
        self.assertEqual(self.d("title about"), gbk("关于"))
        _, exstyle = (int(x, 16) for x in self.d("style about").split())
        self.assertFalse(exstyle & 0x40000, "no task-bar button of its own")
        self.assertEqual(self.d("owner about"), "1")
        self.assertEqual(self.d("enabled main"), "0")

        cl, ct, _, _ = self.d.ints("client about")
        for control, x, y, w, h in ((PICBOX1, 13, 8, 304, 100), (ABOUT_LABEL1, 13, 107, 291, 98)):
            l, t, r, b = self.d.ints(f"ctlrect {control}")
            self.assertEqual((l - cl, t - ct, r - l, b - t), (x, y, w, h))
        lines = bytes.fromhex(self.text(ABOUT_LABEL1)).decode("gbk").split("\r\n")
        self.assertEqual(len(lines), 8)
        self.assertEqual(lines[0], "程序：Kelo网盘下载助手")
        self.assertEqual(lines[1], "版本：1.0")
        self.assertTrue(lines[2].startswith("作者：") and len(lines[2]) > 3)
        self.assertTrue(lines[3].startswith("主页：http://"))
        self.assertEqual((lines[4], lines[6]), ("", ""))
        self.assertTrue(lines[5].endswith("……"))
        self.assertEqual(lines[7], "感谢伟大的祖国，祝祖国生日快乐，繁荣富强！")
        harness.screenshot(ENV["display"], ARGS.work / "about-window.png")

        # Clicks on MainWindow do nothing while the About window is open.
        self.d(f"post-click {BUTTON1}")
        self.d("sync")
        self.assertEqual(ENV["standin"].requests(), [])

        self.d(f"key {VK_ESCAPE} 0")
        self.d("gone about 10000")
        self.d("sync")
        self.assertEqual(self.d("enabled main"), "1")
        self.assertIsNone(self.program.proc.poll(), "the program goes on")
        # The click gave 按钮5 the focus; MainWindow's activation gives it back there.
        self.assertEqual(self.d.ints("focus"), [BUTTON5])
        self.analyze("http://share.kelopan.example/s/abc123")
        self.assertEqual(len(ENV["standin"].requests()), 1)

    def test_close_box_of_about_leaves_the_program_running(self):
        self.open_about()
        self.d("close about")
        self.d("gone about 10000")
        self.d("sync")
        self.assertEqual(self.d("enabled main"), "1")
        self.assertIsNone(self.program.proc.poll())


class HomePageTests(ProgramTest):
    def test_pressing_the_home_page_label_opens_the_page_with_any_modifier(self):
        log = ENV["browser_log"]
        label = bytes.fromhex(self.text(LABEL7)).decode("gbk")
        home = label[len("访问作者主页："):]
        for keys in (0, 1, 2, 4):
            log.write_text("")
            self.d(f"press {LABEL7} {keys} 5 5")
            self.d("sync")
            for _ in range(100):
                if log.read_text().strip():
                    break
                time.sleep(0.1)
            self.assertEqual(log.read_text().strip(), home, f"keys {keys}")
        self.d(f"key {VK_TAB} 0")  # release the modifiers for the next test


class FatalErrorTests(unittest.TestCase):
    def test_a_main_window_that_cannot_be_created_shows_the_error_box_and_ends_with_minus_1(self):
        d = ENV["driver"]
        proc = ENV["wine"].start(ARGS.broken_exe, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        try:
            self.assertEqual(d("msgbox 20000"), gbk("错误"))
            self.assertIsNone(proc.poll(), "the box waits for the user")
            d("msgbox-ok")
            self.assertEqual(proc.wait(timeout=20), 255)  # -1 as the process's exit status
        finally:
            if proc.poll() is None:
                proc.kill()

def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", type=Path, required=True)
    parser.add_argument("--driver", type=Path, required=True)
    parser.add_argument("--broken-exe", type=Path, required=True)
    parser.add_argument("--locale", default="zh_CN.UTF-8")
    parser.add_argument("--work", type=Path, required=True)
    parser.add_argument("--prefix", type=Path)
    ARGS, rest = parser.parse_known_args()
    ARGS.work.mkdir(parents=True, exist_ok=True)
    prefix = ARGS.prefix or Path(os.environ.get("WINEPREFIX") or ARGS.work.parent / "wineprefix")
    display = harness.Display()
    ENV["display"] = display.name
    ENV["standin"] = harness.Standin(ARGS.work / "requests")
    ENV["wine"] = harness.Wine(prefix, ARGS.locale, display.name)
    ENV["browser_log"] = ENV["wine"].record_browser(ARGS.work)
    ENV["driver"] = harness.Driver(ENV["wine"], ARGS.driver)
    try:
        result = unittest.main(argv=[sys.argv[0], "-v", *rest], exit=False).result
    finally:
        ENV["driver"].close()
        ENV["wine"].stop()
        ENV["standin"].stop()
        display.close()
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
