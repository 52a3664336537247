"""Reads one HTTP request off a socket as the raw bytes received, and parses the little we need."""

import re
import socket
from dataclasses import dataclass
from typing import List, Optional, Tuple

MAX_HEAD = 64 * 1024
MAX_BODY = 1024 * 1024

_HEAD_END = re.compile(rb"\r?\n\r?\n")
_METHOD = re.compile(rb"[A-Z]+")
_VERSION = re.compile(rb"HTTP/\d\.\d")
_HEADER_NAME = re.compile(rb"[!#$%&'*+.^_`|~0-9A-Za-z-]+")


@dataclass
class Request:
    raw: bytes  # everything received for this request, exactly as it came
    method: bytes = b""
    target: bytes = b""
    version: bytes = b""
    headers: Optional[List[Tuple[bytes, bytes]]] = None
    error: Optional[str] = None  # set when the request is malformed or incomplete


def _receive_head(sock: socket.socket) -> Tuple[bytearray, Optional[int], Optional[str]]:
    data = bytearray()
    while True:
        found = _HEAD_END.search(data)
        if found and found.end() <= MAX_HEAD:
            return data, found.end(), None
        if len(data) > MAX_HEAD:
            return data, None, "head too large"
        try:
            chunk = sock.recv(65536)
        except socket.timeout:
            return data, None, "timed out before the end of the head"
        except OSError as error:
            return data, None, "receive failed: %s" % error
        if not chunk:
            return data, None, "connection closed before the end of the head"
        data += chunk


def _parse_head(head: bytes, request: Request) -> Optional[int]:
    """Fills the request line and headers; gives the announced body length."""
    lines = [line[:-1] if line.endswith(b"\r") else line for line in head.split(b"\n")]
    line = lines[0]
    # The target may hold spaces when a client sends the pick code unencoded, so the method ends
    # at the first space and the version starts after the last one.
    first, last = line.find(b" "), line.rfind(b" ")
    if first <= 0 or last == first:
        request.error = "malformed request line"
        return None
    request.method, request.target, request.version = line[:first], line[first + 1:last], line[last + 1:]
    if not _METHOD.fullmatch(request.method) or not _VERSION.fullmatch(request.version) \
            or not request.target:
        request.error = "malformed request line"
        return None
    headers: List[Tuple[bytes, bytes]] = []
    for line in lines[1:]:
        if not line:
            break
        if line[:1] in (b" ", b"\t") and headers:
            name, value = headers[-1]
            headers[-1] = (name, value + b" " + line.strip())
            continue
        name, colon, value = line.partition(b":")
        if not colon or not _HEADER_NAME.fullmatch(name):
            request.error = "malformed header line"
            return None
        headers.append((name, value.strip(b" \t")))
    request.headers = headers
    lengths = [value for name, value in headers if name.lower() == b"content-length"]
    if not lengths:
        return 0
    if len(set(lengths)) != 1 or not lengths[0].isdigit():
        request.error = "bad Content-Length"
        return None
    return int(lengths[0])


def read_request(sock: socket.socket) -> Request:
    """Receives one request; its raw bytes are kept even when it turns out malformed."""
    data, end, error = _receive_head(sock)
    if end is None:
        return Request(raw=bytes(data), error=error)
    request = Request(raw=b"")
    length = _parse_head(bytes(data[:end]), request)
    if length is None:
        request.raw = bytes(data)
        return request
    if length > MAX_BODY:
        request.raw = bytes(data)
        request.error = "body too large"
        return request
    # A GET has no body, but one that was sent is kept so that a test can see it.
    body = data[end:end + length]
    while len(body) < length:
        try:
            chunk = sock.recv(length - len(body))
        except OSError:
            chunk = b""
        if not chunk:
            request.error = "connection closed inside the body"
            break
        body += chunk
    request.raw = bytes(data[:end] + body)
    return request
