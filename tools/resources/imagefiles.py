# Writes .ico, .png and .gif files byte for byte from raw pixels, so the outputs are reproducible.
"""ImageMagick draws the pictures; these writers pack them. Writing the containers ourselves
fixes what ImageMagick would otherwise choose (BMP or PNG inside the .ico, a trimmed GIF colour
table, time stamps in PNG text chunks) and gives the same bytes on every run."""

import struct
import zlib


def _rows_bottom_up(rgba, width, height):
    stride = width * 4
    return [rgba[y * stride:(y + 1) * stride] for y in reversed(range(height))]


def _ico_image(rgba, size):
    """One icon image: a 32-bit BGRA DIB (height doubled for the mask) and its AND mask."""
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in _rows_bottom_up(rgba, size, size):
        bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = row[x * 4:x * 4 + 4]
            pixels += bytes((b, g, r, a))
            # Shells that ignore alpha fall back on the mask: treat mostly clear as clear.
            if a < 128:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + bytes(pixels) + bytes(mask)


def write_ico(path, images):
    """images: list of (size, rgba bytes), stored in the given order."""
    blobs = [_ico_image(rgba, size) for size, rgba in images]
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (size, _), blob in zip(images, blobs):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    with open(path, "wb") as f:
        f.write(out)


def write_png(path, rgba, width, height):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    stride = width * 4
    raw = b"".join(b"\0" + rgba[y * stride:(y + 1) * stride] for y in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def _lzw_encode(indices, min_code_size):
    """GIF flavour of LZW: variable-width codes packed least significant bit first."""
    clear = 1 << min_code_size
    end = clear + 1
    out = bytearray()
    bit_buffer = 0
    bit_count = 0
    code_size = min_code_size + 1

    def emit(code):
        nonlocal bit_buffer, bit_count
        bit_buffer |= code << bit_count
        bit_count += code_size
        while bit_count >= 8:
            out.append(bit_buffer & 0xFF)
            bit_buffer >>= 8
            bit_count -= 8

    def fresh_table():
        return {(i,): i for i in range(clear)}

    table = fresh_table()
    next_code = end + 1
    emit(clear)
    prefix = ()
    for index in indices:
        candidate = prefix + (index,)
        if candidate in table:
            prefix = candidate
            continue
        emit(table[prefix])
        if next_code < 4096:
            table[candidate] = next_code
            next_code += 1
            # The decoder widens its codes one code later than the encoder adds the entry.
            if next_code - 1 == (1 << code_size) and code_size < 12:
                code_size += 1
        else:
            emit(clear)
            table = fresh_table()
            next_code = end + 1
            code_size = min_code_size + 1
        prefix = (index,)
    if prefix:
        emit(table[prefix])
    emit(end)
    if bit_count:
        out.append(bit_buffer & 0xFF)
    return bytes(out)


def write_gif(path, width, height, palette, indices, transparent_index):
    """A one-frame GIF89a with a 256-entry global colour table.

    palette: 256 (r, g, b) tuples; indices: width*height palette indices, rows top-down."""
    if len(palette) != 256:
        raise ValueError("the colour table must hold 256 entries")
    out = bytearray(b"GIF89a")
    # Global colour table present, 8 bits of colour resolution, size field 7 (2^(7+1) entries).
    out += struct.pack("<HHBBB", width, height, 0xF7, transparent_index, 0)
    for r, g, b in palette:
        out += bytes((r, g, b))
    # Graphic Control Extension: no disposal, no delay, transparent colour flag set.
    out += bytes((0x21, 0xF9, 4, 0x01, 0, 0, transparent_index, 0))
    out += b"\x2c" + struct.pack("<HHHHB", 0, 0, width, height, 0)
    min_code_size = 8
    data = _lzw_encode(indices, min_code_size)
    out.append(min_code_size)
    for start in range(0, len(data), 255):
        block = data[start:start + 255]
        out.append(len(block))
        out += block
    out.append(0)
    out.append(0x3B)
    with open(path, "wb") as f:
        f.write(out)
