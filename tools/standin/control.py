"""Talks to a running stand-in over its control targets (never recorded): ping, clear, record-to."""

import socket
import urllib.parse
from typing import Optional, Tuple

CONTROL_PREFIX = b"/_standin/"
PING_MAGIC = b"kelo-standin\n"


def request(port: int, target: bytes, timeout: float = 3.0) -> Optional[Tuple[int, bytes]]:
    """One GET on 127.0.0.1:port; gives (status, body), or None when nothing answers."""
    try:
        with socket.create_connection(("127.0.0.1", port), timeout=timeout) as sock:
            sock.sendall(b"GET " + target + b" HTTP/1.0\r\n\r\n")
            data = bytearray()
            while True:
                chunk = sock.recv(65536)
                if not chunk:
                    break
                data += chunk
    except OSError:
        return None
    head, _, body = bytes(data).partition(b"\r\n\r\n")
    parts = head.split(b" ", 2)
    if len(parts) < 2 or not parts[1].isdigit():
        return None
    return int(parts[1]), body


def ping(port: int) -> Optional[Tuple[int, str]]:
    """The pid and record directory of the stand-in on the port, or None when none answers."""
    answer = request(port, CONTROL_PREFIX + b"ping")
    if answer is None or answer[0] != 200 or not answer[1].startswith(PING_MAGIC):
        return None
    lines = answer[1][len(PING_MAGIC):].decode("utf-8", "surrogateescape").split("\n")
    return int(lines[0]), lines[1] if len(lines) > 1 else ""


def clear(port: int) -> bool:
    answer = request(port, CONTROL_PREFIX + b"clear")
    return answer is not None and answer[0] == 200


def record_to(port: int, directory: str) -> bool:
    path = urllib.parse.quote_from_bytes(directory.encode("utf-8", "surrogateescape"), safe="/")
    answer = request(port, CONTROL_PREFIX + b"record-to?" + path.encode("ascii"))
    return answer is not None and answer[0] == 200


def parse_record_to(query: bytes) -> str:
    return urllib.parse.unquote_to_bytes(query).decode("utf-8", "surrogateescape")
