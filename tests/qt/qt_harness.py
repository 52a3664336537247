"""Runs the Linux program with the test driver plugin (driver_plugin.cpp) and talks to it."""

import os
import socket
import subprocess
import time
from pathlib import Path

# Control ids (the object names the program gives its controls).
LABEL1, EDIT1, BUTTON1 = "102", "103", "104"
LABEL2, EDIT2, BUTTON2 = "106", "107", "108"
LABEL3, EDIT3, BUTTON3 = "109", "110", "111"
LABEL4, EDIT4, BUTTON4 = "112", "113", "114"
LABEL6, EDIT6, BUTTON5, LABEL7 = "115", "116", "117", "118"
KEY_ESCAPE, KEY_TAB = 0x01000000, 0x01000001


def hex_text(text: str) -> str:
    return text.encode("utf-8").hex() if text else "-"


def text_of(value: str) -> str:
    return "" if value == "-" else bytes.fromhex(value).decode("utf-8")


class Program:
    """The program with the driver loaded; `program("command args")` gives the answer's value."""

    def __init__(self, program: Path, plugins: Path, log: Path, env=None, timeout=30.0):
        if not (plugins / "generic").is_dir():
            raise RuntimeError(f"no driver plugin under {plugins}")
        self.timeout = timeout
        self._socket, child = socket.socketpair()
        environment = dict(os.environ if env is None else env)
        environment["QT_PLUGIN_PATH"] = str(plugins)
        environment["QT_QPA_GENERIC_PLUGINS"] = f"kelodriver:{child.fileno()}"
        self._log = open(log, "wb")
        self.process = subprocess.Popen([str(program)], env=environment, stdin=subprocess.DEVNULL,
                                        stdout=self._log, stderr=subprocess.STDOUT,
                                        pass_fds=[child.fileno()])
        child.close()
        self._socket.settimeout(timeout)
        self._buffer = b""
        self.wait_for_window("MainWindow")

    def __call__(self, command: str) -> str:
        self._socket.sendall(command.encode("utf-8") + b"\n")
        while b"\n" not in self._buffer:
            try:
                chunk = self._socket.recv(65536)
            except socket.timeout:
                raise AssertionError(f"no answer to {command!r} within {self.timeout} s")
            if not chunk:
                raise AssertionError(f"the program went away during {command!r}")
            self._buffer += chunk
        line, self._buffer = self._buffer.split(b"\n", 1)
        answer = line.decode("utf-8")
        if not answer.startswith("ok"):
            raise AssertionError(f"{command!r}: {answer}")
        return answer[3:]

    def text(self, control: str) -> str:
        return text_of(self(f"text {control}"))

    def windows(self) -> list:
        return self("windows").split()

    def wait_for_window(self, name: str, present=True):
        deadline = time.monotonic() + self.timeout
        while (name in self.windows()) != present:
            if time.monotonic() > deadline:
                raise AssertionError(f"{name} {'did not open' if present else 'stayed open'}")
            time.sleep(0.05)

    def exit_code(self, timeout=None) -> int:
        return self.process.wait(timeout or self.timeout)

    def close(self):
        """Ends the program if it still runs and releases everything held."""
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self._socket.close()
        self._log.close()
