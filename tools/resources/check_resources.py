# Checks the generated icon and banner against the formats the Windows program relies on.
"""Usage: check_resources.py <kelo.ico> <banner.gif>

Reads the container headers directly rather than trusting an image library's summary: the icon
must hold 32-bit BGRA images with real alpha, the banner one frame with a full 256-entry global
colour table and exactly one transparent entry."""

import struct
import sys

ICON_SIZES = [48, 32, 24, 16]


def fail(message):
    sys.exit(f"check_resources: {message}")


def check_ico(path):
    data = open(path, "rb").read()
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if (reserved, kind, count) != (0, 1, len(ICON_SIZES)):
        fail(f"{path}: icon directory says reserved={reserved} type={kind} count={count}")
    for i, size in enumerate(ICON_SIZES):
        w, h, colours, _, planes, bits, length, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        if (w, h, colours, planes, bits) != (size, size, 0, 1, 32):
            fail(f"{path}: entry {i} is {w}x{h}, {bits} bits, planes {planes}, colours {colours}")
        if offset + length > len(data):
            fail(f"{path}: entry {i} runs past the end of the file")
        hdr_size, dib_w, dib_h, dib_planes, dib_bits, compression = struct.unpack_from("<IiiHHI", data, offset)
        if (hdr_size, dib_w, dib_h, dib_planes, dib_bits, compression) != (40, size, 2 * size, 1, 32, 0):
            fail(f"{path}: image {size} is not a 32-bit BI_RGB DIB")
        mask_bytes = ((size + 31) // 32) * 4 * size
        if length != 40 + size * size * 4 + mask_bytes:
            fail(f"{path}: image {size} has {length} bytes")
        alphas = data[offset + 40 + 3:offset + 40 + size * size * 4:4]
        if not (0 in alphas and 255 in alphas and any(0 < a < 255 for a in alphas)):
            fail(f"{path}: image {size} has no real alpha channel (clear, opaque and soft edges)")
    print(f"{path}: {count} images {ICON_SIZES}, 32-bit BGRA with alpha, {len(data)} bytes")


def gif_sub_blocks(data, pos):
    """Position after a chain of data sub-blocks."""
    while True:
        if pos >= len(data):
            fail("GIF ends inside a data sub-block chain")
        n = data[pos]
        pos += 1 + n
        if n == 0:
            return pos


def check_gif(path, width=290, height=90):
    data = open(path, "rb").read()
    if data[:6] != b"GIF89a":
        fail(f"{path}: signature {data[:6]!r}")
    w, h, flags, _background, _aspect = struct.unpack_from("<HHBBB", data, 6)
    if (w, h) != (width, height):
        fail(f"{path}: logical screen {w}x{h}")
    if not flags & 0x80 or flags & 0x07 != 7:
        fail(f"{path}: global colour table flag/size field is {flags:#04x}, want 256 entries")
    pos = 13 + 3 * 256
    frames = 0
    transparent = []
    while True:
        if pos >= len(data):
            fail(f"{path}: no trailer")
        block = data[pos]
        if block == 0x3B:
            break
        if block == 0x21:
            label = data[pos + 1]
            if label == 0xF9:
                size, packed, _delay, index = struct.unpack_from("<BBHB", data, pos + 2)
                if size != 4:
                    fail(f"{path}: graphic control extension of size {size}")
                if packed & 1:
                    transparent.append(index)
            pos = gif_sub_blocks(data, pos + 2)
        elif block == 0x2C:
            x, y, fw, fh, packed = struct.unpack_from("<HHHHB", data, pos + 1)
            if (x, y, fw, fh) != (0, 0, width, height):
                fail(f"{path}: frame at {x},{y} size {fw}x{fh}")
            pos += 10
            if packed & 0x80:
                pos += 3 * (2 << (packed & 7))
            pos = gif_sub_blocks(data, pos + 1)
            frames += 1
        else:
            fail(f"{path}: unknown block {block:#04x} at {pos}")
    if frames != 1:
        fail(f"{path}: {frames} frames")
    if len(transparent) != 1:
        fail(f"{path}: {len(transparent)} transparent entries")
    print(f"{path}: GIF89a {w}x{h}, 256-entry global table, 1 frame, transparent index {transparent[0]}, "
          f"{len(data)} bytes")


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    check_ico(sys.argv[1])
    check_gif(sys.argv[2])
