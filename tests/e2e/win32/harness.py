"""Runs the Windows program under Wine on an X display and drives it through driver.exe.

Shared by the end-to-end tests: the display, the Wine prefix, the stand-in service, the program
and the driver, each started once and stopped at the end.
"""

import os
import shutil
import signal
import subprocess
import sys
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[3]
STANDIN = ROOT / "tools" / "standin"
PORT = 47161


def gbk(text: str) -> str:
    """The hex of a text's GBK bytes, as the driver writes texts."""
    return text.encode("gbk").hex() or "-"


class Display:
    """The X display: the one in DISPLAY, or an Xvfb of our own."""

    def __init__(self):
        self.proc = None
        if os.environ.get("DISPLAY"):
            self.name = os.environ["DISPLAY"]
            return
        for n in range(90, 120):
            if not Path(f"/tmp/.X11-unix/X{n}").exists() and not Path(f"/tmp/.X{n}-lock").exists():
                self.name = f":{n}"
                break
        self.proc = subprocess.Popen(["Xvfb", self.name, "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(100):
            if Path(f"/tmp/.X11-unix/X{self.name[1:]}").exists():
                break
            time.sleep(0.05)

    def close(self):
        if self.proc:
            self.proc.terminate()
            self.proc.wait()


class Standin:
    """The stand-in service, recording each request into a directory of ours."""

    def __init__(self, record_dir: Path):
        self.record_dir = record_dir
        record_dir.mkdir(parents=True, exist_ok=True)
        self.pid = int(subprocess.check_output(
            [str(STANDIN / "start.sh"), "--port", str(PORT), "--record-dir", str(record_dir)],
            text=True).split()[0])

    def clear(self):
        for f in self.record_dir.glob("*.req"):
            f.unlink()

    def requests(self) -> list:
        return [f.read_bytes() for f in sorted(self.record_dir.glob("*.req"))]

    def stop(self):
        subprocess.run([str(STANDIN / "stop.sh"), "--port", str(PORT)], check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Wine:
    def __init__(self, prefix: Path, locale: str, display: str):
        self.env = dict(os.environ, WINEPREFIX=str(prefix), WINEDEBUG="-all", WINEARCH="win64",
                        LANG=locale, LC_ALL=locale, DISPLAY=display,
                        WINEDLLOVERRIDES="mscoree,mshtml=")
        # A wineserver of another locale would keep its code page: start afresh.
        subprocess.run(["wineserver", "-k"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        subprocess.run([str(ROOT / "scripts" / "wine-prefix"), str(prefix)], env=self.env, check=True)
        subprocess.run(["wineserver", "-p"], env=self.env, check=False)

    def record_browser(self, work: Path) -> Path:
        """Points Wine's browser setting at a recorder script; returns the file it writes."""
        log = work / "browser.log"
        script = work / "browser-recorder.sh"
        script.write_text(f'#!/bin/sh\nprintf "%s\\n" "$@" > "{log}"\n')
        script.chmod(0o755)
        log.write_text("")
        subprocess.run(["wine", "reg", "add", r"HKCU\Software\Wine\WineBrowser", "/v", "Browsers",
                        "/d", str(script), "/f"], env=self.env, check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return log

    def start(self, exe: Path, **kw) -> subprocess.Popen:
        return subprocess.Popen(["wine", str(exe)], env=self.env, **kw)

    def run(self, args, **kw):
        return subprocess.run(["wine", *map(str, args)], env=self.env, **kw)

    def stop(self):
        subprocess.run(["wineserver", "-k"], env=self.env, check=False,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


class Driver:
    """driver.exe: one command a line, one answer a line."""

    def __init__(self, wine: Wine, exe: Path):
        self.proc = wine.start(exe, stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.DEVNULL, text=True, bufsize=1)

    def __call__(self, command: str) -> str:
        self.proc.stdin.write(command + "\n")
        self.proc.stdin.flush()
        answer = self.proc.stdout.readline().strip()
        if not answer.startswith("ok"):
            raise AssertionError(f"driver: {command!r} -> {answer!r}")
        return answer[3:]

    def ints(self, command: str) -> list:
        return [int(x) for x in self(command).split()]

    def close(self):
        try:
            self.proc.stdin.write("quit\n")
            self.proc.stdin.flush()
            self.proc.wait(timeout=10)
        except Exception:
            self.proc.kill()


class Program:
    """One run of the program under test."""

    def __init__(self, wine: Wine, exe: Path, driver: Driver):
        self.proc = wine.start(exe, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.driver = driver
        driver("wait main 30000")
        driver("sync")

    def exit_code(self, timeout=20):
        code = self.proc.wait(timeout=timeout)
        return code - 256 if code > 127 else code

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()


def screenshot(display: str, path: Path):
    path.parent.mkdir(parents=True, exist_ok=True)
    subprocess.run(["import", "-display", display, "-window", "root", str(path)], check=False,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def pixel(png: Path, x: int, y: int) -> tuple:
    """The (red, green, blue) of one pixel of a screenshot."""
    out = subprocess.run(["convert", str(png), "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True).stdout
    rgb = out.splitlines()[-1].split("(")[1].split(")")[0]
    return tuple(int(float(v)) for v in rgb.split(",")[:3])
