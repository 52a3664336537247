"""What the stand-in service answers for a pick code: the good reply and the reserved codes' faults."""

import http
import re
from dataclasses import dataclass, field
from typing import Callable, Iterator, List, Optional, Tuple

# The hosts match the build's default host markers: the Unicom marker "cu-dl.kelopan" stops
# before the top-level domain, so two Unicom hosts can differ only after it.
UNICOM_HOST = b"cu-dl.kelopan.com.example"
UNICOM_HOST_2 = b"cu-dl.kelopan.net.example"
TELECOM_HOST = b"ct-dl.kelopan.example"
BACKUP_HOST = b"bak-dl.kelopan.example"
UNMARKED_HOSTS = (b"dl1.mirror.example", b"dl2.mirror.example", b"dl3.mirror.example")

API_PREFIX = b"/?ct=upload_api&ac=get_pick_code_info&version=1160&pickcode="

HUGE_DEFAULT_MIB = 64
HUGE_MAX_MIB = 1024
TRICKLE_DEFAULT_MS = 2000
MAX_WAIT_MS = 600_000
TRICKLE_CHUNK = 16


def json_escape(text: str) -> bytes:
    """The service writes every non-ASCII character as a lower-case \\u escape."""
    out = []
    for ch in text:
        if ch in '"\\':
            out.append("\\" + ch)
        elif ch == "/":
            out.append("\\/")
        elif ord(ch) < 0x20 or ord(ch) > 0x7E:
            if ord(ch) > 0xFFFF:
                code = ord(ch) - 0x10000
                out.append("\\u%04x\\u%04x" % (0xD800 + (code >> 10), 0xDC00 + (code & 0x3FF)))
            else:
                out.append("\\u%04x" % ord(ch))
        else:
            out.append(ch)
    return "".join(out).encode("ascii")


CHINESE_NAME = json_escape("中文.zip")  # \u4e2d\u6587.zip


def address(host: bytes, code: bytes) -> bytes:
    # The pick code goes in raw, whatever its bytes, so tests can see exactly what was sent.
    return b"http:\\/\\/" + host + b"\\/files\\/" + code + b"\\/a.zip?t=1700000000&s=9f8e"


def good_body(code: bytes,
              hosts: Tuple[bytes, bytes, bytes] = (UNICOM_HOST, TELECOM_HOST, BACKUP_HOST),
              name_members: bytes = b'"FileName":"' + CHINESE_NAME + b'",',
              after_urls: bytes = b"") -> bytes:
    """The reply in the service's layout (tests/fixtures/reply_typical.json is the one for abc123).

    The client cuts the addresses out as text, so the layout is exact: each of the first two
    addresses is followed by its closing quote and "},{" and then the 7 bytes '"Url":"' that open
    the next one; the third is followed by '","UrlKey'. Nothing before the first address may hold
    "http://", "},{" or "UrlKey" (unless the pick code itself brings them).
    """
    a1, a2, a3 = (address(h, code) for h in hosts)
    return (b'{"state":true,"error":"","errno":0,"data":{"PickCode":"' + code + b'",' + name_members
            + b'"FileSize":"1024","Sha1":"3c7d1f0e9a2b4c5d6e7f8091a2b3c4d5e6f70819","DownloadUrl":['
            b'{"Url":"' + a1 + b'"},{"Url":"' + a2 + b'"},{"Url":"' + a3 + b'","UrlKey":"k"}]'
            + after_urls + b"}}")


EXPIRED_BODY = (b'{"state":false,"error":"' + json_escape("提取码不存在或已过期")
                + b'","errno":50001}')

# A maintenance page as a proxy or the service's front door might send it. It holds none of the
# client's markers, so every box the analysis cuts comes out empty.
HTML_BODY = ('<!DOCTYPE html>\n<html><head><meta charset="utf-8"><title>Kelo网盘 - 系统维护</title>'
             '</head>\n<body><h1>系统维护中</h1><p>The service is down for maintenance. '
             'Please try again later.</p></body></html>\n').encode("utf-8")

# A picture where a reply should be. After the first 0 byte comes "false": a client that does not
# stop at the 0 byte shows the expired message instead of empty boxes.
BINARY_BODY = (b"\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR\x00\x00\x00\x10\x00\x00\x00\x10\x08\x06"
               b"\x00\x00\x00\x1f\xf3\xffa\x00\x00\x00\x00IEND\xaeB`\x82" + b'{"state":false}')


@dataclass
class Answer:
    """How to answer one request. The server turns it into bytes on the socket."""
    status: int = 200
    content_type: bytes = b"application/json; charset=utf-8"
    body: bytes = b""
    # A streamed body (too big to hold): a function giving the chunks, and their total length.
    stream: Optional[Callable[[], Iterator[bytes]]] = None
    stream_length: int = 0
    headers: List[Tuple[bytes, bytes]] = field(default_factory=list)
    send_length: bool = True
    # Send only this many body bytes while announcing the whole length, then close.
    cut_at: Optional[int] = None
    # Trickle: the body in pieces of chunk bytes with chunk_delay seconds before each.
    chunk: int = 0
    chunk_delay: float = 0.0
    delay: float = 0.0  # before anything is sent
    no_reply: bool = False  # close the connection without a byte

    def length(self) -> int:
        return self.stream_length if self.stream is not None else len(self.body)

    def reason(self) -> bytes:
        try:
            return http.HTTPStatus(self.status).phrase.encode("ascii")
        except ValueError:
            return b"Status"


# A good reply is cacheable on purpose: a client that let a cache answer would miss the request.
CACHE_HEADERS = [(b"Cache-Control", b"public, max-age=3600"),
                 (b"Last-Modified", b"Wed, 01 Jan 2025 00:00:00 GMT")]


def good(code: bytes, **layout) -> Answer:
    return Answer(body=good_body(code, **layout), headers=list(CACHE_HEADERS))


def huge(code: bytes, mib: int) -> Answer:
    total = mib * 1024 * 1024
    head = good_body(code, after_urls=b',"Padding":"')
    tail = b'"}}'
    # The padding sits after the addresses, so the whole body is still a good reply.
    head = head[: -len(b"}}")]
    padding = total - len(head) - len(tail)

    def chunks() -> Iterator[bytes]:
        yield head
        block = b"x" * 65536
        left = padding
        while left > 0:
            piece = block if left >= len(block) else block[:left]
            left -= len(piece)
            yield piece
        yield tail

    return Answer(stream=chunks, stream_length=total)


def cut(code: bytes) -> Answer:
    body = good_body(code)
    # Stop right after the "},{" that follows the second address: two addresses arrive whole,
    # the third and the end of the document never do.
    first = body.index(b"},{")
    second = body.index(b"},{", first + 3)
    return Answer(body=body, cut_at=second + 3)


def _number(match: Optional["re.Match[bytes]"], low: int, high: int) -> Optional[int]:
    if match is None:
        return None
    value = int(match.group(1))
    return value if low <= value <= high else None


def answer_for(code: bytes, origin: bytes) -> Answer:
    """The answer for a pick code; origin is "http://host:port" of this server (for redirects)."""
    fixed = {
        b"expired": lambda: Answer(body=EXPIRED_BODY),
        b"name-failure-marker": lambda: good(code, name_members=b'"FileName":"falsetto.mp3",'),
        b"html": lambda: Answer(body=HTML_BODY, content_type=b"text/html; charset=utf-8"),
        b"empty": lambda: Answer(body=b""),
        b"no-reply": lambda: Answer(no_reply=True),
        b"cut": lambda: cut(code),
        b"no-length": lambda: Answer(body=good_body(code), send_length=False),
        b"trickle": lambda: trickle(code, TRICKLE_DEFAULT_MS),
        b"huge": lambda: huge(code, HUGE_DEFAULT_MIB),
        b"binary": lambda: Answer(body=BINARY_BODY, content_type=b"application/octet-stream"),
        b"nul-tail": lambda: Answer(body=good_body(code) + b'\x00{"state":false}'),
        b"two-unicom": lambda: good(code, hosts=(UNICOM_HOST, UNICOM_HOST_2, BACKUP_HOST)),
        b"swapped": lambda: good(code, hosts=(TELECOM_HOST, BACKUP_HOST, UNICOM_HOST)),
        b"no-marker": lambda: good(code, hosts=UNMARKED_HOSTS),
        b"name-ascii": lambda: good(code, name_members=b'"FileName":"abc.zip",'),
        b"name-slash": lambda: good(code, name_members=b'"FileName":"a\\/b.zip",'),
        b"name-twice": lambda: good(code, name_members=b'"FileName":"a.zip","FileName":"b.zip",'),
        b"name-two-places": lambda: good(code, name_members=b'"FileName":"a.zip",',
                                         after_urls=b',"Share":{"FileName":"b.zip"}'),
        b"no-name": lambda: good(code, name_members=b""),
    }
    if code in fixed:
        return fixed[code]()

    status = _number(re.fullmatch(rb"status-(\d{3})", code), 400, 599)
    if status is not None:
        return Answer(status=status, body=good_body(code))
    if code.startswith(b"redirect-to-"):
        target = code[len(b"redirect-to-"):]
        page = b"<html><body>Moved</body></html>\n"
        return Answer(status=302, body=page, content_type=b"text/html; charset=utf-8",
                      headers=[(b"Location", origin + API_PREFIX + target)])
    ms = _number(re.fullmatch(rb"trickle-(\d{1,6})", code), 0, MAX_WAIT_MS)
    if ms is not None:
        return trickle(code, ms)
    ms = _number(re.fullmatch(rb"delay-(\d{1,6})", code), 0, MAX_WAIT_MS)
    if ms is not None:
        return Answer(body=good_body(code), delay=ms / 1000.0)
    mib = _number(re.fullmatch(rb"huge-(\d{1,4})", code), 1, HUGE_MAX_MIB)
    if mib is not None:
        return huge(code, mib)
    return good(code)


def trickle(code: bytes, total_ms: int) -> Answer:
    body = good_body(code)
    pieces = (len(body) + TRICKLE_CHUNK - 1) // TRICKLE_CHUNK
    return Answer(body=body, chunk=TRICKLE_CHUNK, chunk_delay=total_ms / 1000.0 / pieces)
