#!/usr/bin/env python3
"""A scripted analysis of a demo share address in the Linux program, for ./run without a
display: on the X display in DISPLAY (an Xvfb), against the stand-in service already running,
prints the result boxes with their captions, saves a screenshot and closes the program.

The program is driven through the test driver plugin that Qt loads into it
(tests/qt/driver_plugin.cpp, built into <build>/qt-driver): the program itself reads no command
line and no environment and has no test hook."""

import argparse
import os
import sys
import tempfile
import time
from pathlib import Path
import subprocess

ROOT = Path(__file__).resolve().parents[1]
sys.dont_write_bytecode = True  # no byte-code caches left in the source tree
sys.path.insert(0, str(ROOT / "tests" / "qt"))
import qt_harness as h  # noqa: E402

BOXES = [(h.LABEL2, h.EDIT2), (h.LABEL3, h.EDIT3), (h.LABEL4, h.EDIT4), (h.LABEL6, h.EDIT6)]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", type=Path, required=True)
    parser.add_argument("--shot", type=Path, required=True)
    parser.add_argument("--address", default="http://share.kelopan.example/s/demo2026")
    parser.add_argument("--plugins", type=Path,
                        help="folder holding generic/ with the driver (default: beside the build's app/)")
    args = parser.parse_args()
    display = os.environ.get("DISPLAY")
    if not display:
        sys.exit("run_demo_linux.py: DISPLAY names no X display")
    plugins = args.plugins or args.program.resolve().parents[2] / "qt-driver"

    env = dict(os.environ, QT_QPA_PLATFORM="xcb")
    with tempfile.TemporaryDirectory() as work:
        program = h.Program(args.program, plugins, Path(work) / "program.log", env=env)
        try:
            program(f"settext {h.EDIT1} {h.hex_text(args.address)}")
            program(f"click {h.BUTTON1}")
            program("sync")
            print(f"{program.text(h.LABEL1)}{args.address}")
            for label, box in BOXES:
                print(f"{program.text(label)}{program.text(box)}")
            time.sleep(0.5)  # let the boxes repaint before the picture is taken
            args.shot.parent.mkdir(parents=True, exist_ok=True)
            subprocess.run(["import", "-display", display, "-window", "root", str(args.shot)],
                           check=True, timeout=60)
            print(f"screenshot: {args.shot}")
            program(f"key MainWindow {h.KEY_ESCAPE} 0")
            code = program.exit_code()
            if code != 0:
                sys.exit(f"run_demo_linux.py: the program ended with code {code}")
        except Exception:
            log = (Path(work) / "program.log").read_text(errors="replace")
            if log.strip():
                print(log, file=sys.stderr)
            raise
        finally:
            program.close()


if __name__ == "__main__":
    main()
