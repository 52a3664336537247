#!/usr/bin/env python3
"""End-to-end tests of the Linux program: the real executable, driven through the test driver
plugin, against the stand-in service whose record directory is in KELO_QT_RECORD_DIR."""

import argparse
import os
import sys
import tempfile
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # no byte-code caches left in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parent))
import qt_harness as h  # noqa: E402

ARGS = None
TARGET = b"/?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode="


def requests():
    directory = Path(os.environ["KELO_QT_RECORD_DIR"])
    return [p.read_bytes() for p in sorted(directory.glob("*.req"))]


def clear_requests():
    directory = Path(os.environ["KELO_QT_RECORD_DIR"])
    for p in directory.glob("*.req"):
        p.unlink()


class ProgramTest(unittest.TestCase):
    def setUp(self):
        clear_requests()
        self.log = tempfile.NamedTemporaryFile(suffix=".log", delete=False)
        self.p = h.Program(ARGS.program, ARGS.plugins, Path(self.log.name))

    def tearDown(self):
        self.p.close()
        Path(self.log.name).unlink()

    def test_an_analysis_and_a_copy_then_escape_ends_the_program_with_code_0(self):
        x, y, width, height = (int(v) for v in self.p("rect MainWindow").split())
        self.assertEqual((width, height), (537, 295))
        self.assertEqual(self.p("focus"), h.EDIT1)
        self.p(f"settext {h.EDIT1} {h.hex_text('http://share.kelopan.example/s/abc123')}")
        self.p(f"click {h.BUTTON1}")
        self.p("sync")
        path = "/files/abc123/a.zip?t=1700000000&s=9f8e"
        self.assertEqual([self.p.text(c) for c in (h.EDIT2, h.EDIT3, h.EDIT4, h.EDIT6)],
                         ["http://cu-dl.kelopan.com.example" + path,
                          "http://ct-dl.kelopan.example" + path,
                          "http://bak-dl.kelopan.example" + path, "中文.zip"])
        self.assertEqual(requests(), [
            b"GET " + TARGET + b"abc123 HTTP/1.0\r\nHost: 127.0.0.1:47161\r\n"
            b"User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"
            b"Accept: */*\r\n\r\n"])
        self.p(f"click {h.BUTTON3}")
        self.p("sync")
        self.assertEqual(h.text_of(self.p("clipboard")), "http://ct-dl.kelopan.example" + path)
        self.p(f"key MainWindow {h.KEY_ESCAPE} 0")
        self.assertEqual(self.p.exit_code(), 0)

    def test_about_opens_over_the_main_window_and_escape_closes_only_it(self):
        self.p(f"click {h.BUTTON5}")
        self.p.wait_for_window("AboutWindow")
        self.assertEqual(self.p.text("202").split("\r\n")[1], "版本：1.0")
        self.p(f"key AboutWindow {h.KEY_ESCAPE} 0")
        self.p.wait_for_window("AboutWindow", present=False)
        self.assertEqual(self.p.windows(), ["MainWindow"])
        self.assertEqual(self.p("focus"), h.BUTTON5)
        self.assertIsNone(self.p.process.poll())
        self.p(f"key MainWindow {h.KEY_ESCAPE} 0")
        self.assertEqual(self.p.exit_code(), 0)


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", type=Path, required=True)
    parser.add_argument("--plugins", type=Path, required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
