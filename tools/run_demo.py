#!/usr/bin/env python3
"""A scripted analysis of a demo share address in the Windows program, for ./run without a
display: prints the texts of the result boxes and saves a screenshot."""

import argparse
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[1]
sys.path.insert(0, str(ROOT / "tests" / "e2e" / "win32"))
import harness  # noqa: E402

EDIT1, BUTTON1, EDIT2, EDIT3, EDIT4, EDIT6 = 103, 104, 107, 110, 113, 116
BOXES = [("联通：", EDIT2), ("电信：", EDIT3), ("备份：", EDIT4), ("文件名：", EDIT6)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--exe", type=Path, required=True)
    parser.add_argument("--driver", type=Path, required=True)
    parser.add_argument("--prefix", type=Path, required=True)
    parser.add_argument("--shot", type=Path, required=True)
    parser.add_argument("--address", default="http://share.kelopan.example/s/demo2026")
    args = parser.parse_args()

    display = harness.Display()
    wine = harness.Wine(args.prefix, "zh_CN.UTF-8", display.name)
    driver = harness.Driver(wine, args.driver)
    program = None
    try:
        program = harness.Program(wine, args.exe, driver)
        driver(f"settext {EDIT1} {harness.gbk(args.address)}")
        driver(f"click {BUTTON1}")
        driver("sync")
        time.sleep(0.3)  # let the boxes repaint before the picture is taken
        print(f"地址：{args.address}")
        for caption, box in BOXES:
            raw = driver(f"text {box}")
            text = "" if raw == "-" else bytes.fromhex(raw).decode("gb18030", "replace")
            print(f"{caption}{text}")
        harness.screenshot(display.name, args.shot)
        print(f"screenshot: {args.shot}")
        driver("close main")
        program.exit_code()
    finally:
        if program:
            program.kill()
        driver.close()
        wine.stop()
        display.close()


if __name__ == "__main__":
    main()
