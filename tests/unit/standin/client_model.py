"""A small model of how the program cuts a reply, to check that the stand-in's layouts land cleanly."""

import json

UNICOM_MARKER = b"cu-dl.kelopan"
TELECOM_MARKER = b"ct-dl.kelopan.example"
BACKUP_MARKER = b"bak-dl.kelopan.example"
EXPIRED = "提取码不存在或已过期。".encode("gbk")


def find(text: bytes, needle: bytes) -> int:
    """First occurrence (1-based) starting on a character boundary; a byte >= 0x80 opens a pair."""
    if not needle:
        return 1 if text else -1
    p = 0
    while p + len(needle) <= len(text):
        if text[p:p + len(needle)] == needle:
            return p + 1
        p += 2 if text[p] >= 0x80 else 1
    return -1


def mid(text: bytes, start: int, count: int) -> bytes:
    if start < 1 or start > len(text) or count <= 0:
        return b""
    return text[start - 1:min(start + count - 1, len(text))]


def replace(text: bytes, start: int, count: int, replacement: bytes) -> bytes:
    i = min(max(start - 1, 0), len(text))
    r = 0 if count <= 0 else min(count, len(text) - i)
    return text[:i] + replacement + text[i + r:]


def analyze(body: bytes) -> dict:
    """The writes into the address boxes, as {2: Unicom, 3: Telecom, 4: backup}; later wins."""
    work = body.split(b"\x00", 1)[0]
    if find(work, b"false") != -1:
        return {2: EXPIRED, 3: EXPIRED, 4: EXPIRED}
    while (at := find(work, b"\\/")) != -1:
        work = replace(work, at, 2, b"/")
    boxes = {}
    for position in (1, 2, 3):
        start = find(work, b"http://")
        end = find(work, b"},{") - 1 if position < 3 else find(work, b"UrlKey") - 3
        address = mid(work, start, end - start)
        if find(address, UNICOM_MARKER) != -1:
            boxes[2] = address
        elif find(address, TELECOM_MARKER) != -1:
            boxes[3] = address
        elif find(address, BACKUP_MARKER) != -1:
            boxes[4] = address
        else:
            boxes[position + 1] = address
        if position < 3:
            work = replace(work, start, end + 11 - start, b"")
    return boxes


def file_name(body: bytes) -> str:
    """What the file-name box shows: every "FileName" value written back as JSON, cut 3 and 3."""
    try:
        # Latin-1 keeps raw bytes (a pick code in GBK) as they are; the names come from escapes.
        document = json.loads(body.split(b"\x00", 1)[0].decode("latin-1"))
    except ValueError:
        return ""
    found = []

    def search(value):
        members = value.items() if isinstance(value, dict) else \
            enumerate(value) if isinstance(value, list) else []
        for key, item in members:
            if key == "FileName":
                found.append(item)
            else:
                search(item)

    if not isinstance(document, (dict, list)):
        return ""
    search(document)
    written = "[ " + ", ".join(json.dumps(v, ensure_ascii=False).replace("/", "\\/")
                               for v in found) + " ]" if found else "[ ]"
    return written[3:-3]
