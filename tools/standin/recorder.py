"""Keeps each request the stand-in receives, byte for byte, as one numbered file."""

import os
import re
import threading
from typing import Optional

_NAME = re.compile(r"^(\d+)\.req$")


class Recorder:
    """Writes 0001.req, 0002.req, ... into a directory.

    The next number is taken from the files present, so a test that empties the directory starts
    again at 0001 without telling the server.
    """

    def __init__(self, directory: Optional[str]):
        self._lock = threading.Lock()
        self._directory: Optional[str] = None
        self.set_directory(directory)

    @property
    def directory(self) -> Optional[str]:
        return self._directory

    def set_directory(self, directory: Optional[str]) -> None:
        with self._lock:
            if directory:
                directory = os.path.abspath(directory)
                os.makedirs(directory, exist_ok=True)
            self._directory = directory or None

    def _numbers(self):
        for entry in os.listdir(self._directory):
            match = _NAME.match(entry)
            if match:
                yield int(match.group(1))

    def record(self, raw: bytes) -> Optional[str]:
        """Stores one request; gives its file name, or None when nothing is recorded."""
        with self._lock:
            if self._directory is None:
                return None
            os.makedirs(self._directory, exist_ok=True)
            number = max(self._numbers(), default=0) + 1
            name = "%04d.req" % number
            path = os.path.join(self._directory, name)
            # Written aside and renamed, so a test that polls never reads half a request.
            with open(path + ".part", "wb") as out:
                out.write(raw)
            os.replace(path + ".part", path)
            return name

    def clear(self) -> int:
        with self._lock:
            if self._directory is None or not os.path.isdir(self._directory):
                return 0
            removed = 0
            for entry in os.listdir(self._directory):
                if _NAME.match(entry) or entry.endswith(".req.part"):
                    os.remove(os.path.join(self._directory, entry))
                    removed += 1
            return removed
