#!/usr/bin/env python3
"""Writes encoding/gb18030_tables.inc: the GB18030-2022 tables of the project's codec.

Usage: python3 tools/gen_gb18030_tables.py [output]   (default: encoding/gb18030_tables.inc
next to this script's repository root; "-" writes to stdout)

Python's 'gb18030' codec carries the 2000 edition of the mapping. The later editions moved 19
characters between a two-byte code and a four-byte code; each move is a swap: the two-byte code
takes the standard code point, and the private-use code point it used to carry takes the
four-byte code the standard code point used to have. Those swaps are listed below and applied
on top of the codec, so the result is the 2022 mapping, which is one-to-one over every code
point and every valid byte sequence.
"""
import os
import sys

# (two-byte code, the code point it carries since the later edition)
SWAPS_2005 = [(0xA8BC, 0x1E3F)]
SWAPS_2022 = (
    list(zip([0xFE59, 0xFE61, 0xFE66, 0xFE67, 0xFE6D, 0xFE7E, 0xFE90, 0xFEA0],
             range(0x9FB4, 0x9FBC)))
    + list(zip([0xA6D9, 0xA6DA, 0xA6DB, 0xA6DC, 0xA6DD, 0xA6DE, 0xA6DF, 0xA6EC, 0xA6ED, 0xA6F3],
               [0xFE10, 0xFE12, 0xFE11, 0xFE13, 0xFE14, 0xFE15, 0xFE16, 0xFE17, 0xFE18, 0xFE19]))
)

TRAILS = list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))  # 190 second bytes
LEADS = range(0x81, 0xFF)                                    # 126 first bytes
FOUR_BYTE_BMP_COUNT = 39420   # 0x81308130 .. 0x8431A439
BLOCK = 64                    # code points per block of the encoder's two-level table


def four_bytes(index):
    """The four bytes of linear index `index` (0 is 81 30 81 30)."""
    b4 = index % 10
    index //= 10
    b3 = index % 126
    index //= 126
    return bytes([index // 10 + 0x81, index % 10 + 0x30, b3 + 0x81, b4 + 0x30])


def build():
    two = {}  # two-byte code -> code point
    for lead in LEADS:
        for trail in TRAILS:
            text = bytes([lead, trail]).decode("gb18030")
            assert len(text) == 1
            two[(lead << 8) | trail] = ord(text)
    four = [ord(four_bytes(i).decode("gb18030")) for i in range(FOUR_BYTE_BMP_COUNT)]

    four_index_of = {cp: i for i, cp in enumerate(four)}
    for code, new_cp in SWAPS_2005 + SWAPS_2022:
        old_cp = two[code]
        assert 0xE000 <= old_cp <= 0xF8FF, f"{code:04X} did not carry a private-use code point"
        index = four_index_of[new_cp]
        two[code] = new_cp
        four[index] = old_cp

    # One-to-one over the BMP apart from ASCII and the surrogates.
    cps = sorted(list(two.values()) + four)
    expected = [cp for cp in range(0x80, 0x10000) if not 0xD800 <= cp <= 0xDFFF]
    assert cps == expected, "mapping is not one-to-one"
    return two, four


def ranges_of(four):
    """Runs of consecutive linear indexes carrying consecutive code points: [index, cp, length]."""
    runs = []
    for index, cp in enumerate(four):
        if runs and runs[-1][0] + runs[-1][2] == index and runs[-1][1] + runs[-1][2] == cp:
            runs[-1][2] += 1
        else:
            runs.append([index, cp, 1])
    return runs


def blocks_of(two):
    by_cp = [0] * 0x10000
    for code, cp in two.items():
        by_cp[cp] = code
    blocks, index = {}, []
    for start in range(0, 0x10000, BLOCK):
        block = tuple(by_cp[start:start + BLOCK])
        index.append(blocks.setdefault(block, len(blocks)))
    return index, list(blocks)


def rows(values, per_line, fmt):
    for i in range(0, len(values), per_line):
        yield "    " + ", ".join(fmt.format(v) for v in values[i:i + per_line]) + ","


def render(two, four):
    runs = ranges_of(four)
    block_index, blocks = blocks_of(two)
    by_cp = sorted(runs, key=lambda r: r[1])
    lines = [
        "// GB18030-2022 mapping tables of the codec, written by tools/gen_gb18030_tables.py from",
        "// Python's codec plus the 2005/2022 swaps. Do not edit; run the script again.",
        "// clang-format off",
        "",
        f"inline constexpr int kTrailCount = {len(TRAILS)};",
        f"inline constexpr int kFourByteBmpCount = {FOUR_BYTE_BMP_COUNT};",
        f"inline constexpr int kBlockShift = {BLOCK.bit_length() - 1};",
        "",
        "// Code point of each two-byte code, row = first byte - 0x81, column = second byte - 0x40,",
        "// less one above 0x7F.",
        f"inline constexpr std::uint16_t kTwoByteToCodePoint[{len(two)}] = {{",
    ]
    lines += rows([two[(lead << 8) | trail] for lead in LEADS for trail in TRAILS], 10, "0x{:04X}")
    lines += [
        "};",
        "",
        "// Encoder: kCodePointBlock[cp >> kBlockShift] names the block of kTwoByteBlocks holding the",
        "// two-byte code (first byte << 8 | second byte) of cp; 0 means cp has a four-byte code.",
        f"inline constexpr std::uint16_t kCodePointBlock[{len(block_index)}] = {{",
    ]
    lines += rows(block_index, 16, "{}")
    lines += ["};", f"inline constexpr std::uint16_t kTwoByteBlocks[{len(blocks)}][{BLOCK}] = {{"]
    for block in blocks:
        lines.append("  {")
        lines += ["  " + r for r in rows([f"0x{v:04X}" if v else "0" for v in block], 16, "{}")]
        lines.append("  },")
    lines += [
        "};",
        "",
        "// Four-byte codes of the BMP: runs where consecutive linear indexes (0 = 81 30 81 30) carry",
        "// consecutive code points. The runs cover both sides without gaps, so the run that holds a",
        "// value is the last one starting at or before it.",
        f"inline constexpr FourByteRun kRunsByIndex[{len(runs)}] = {{",
    ]
    lines += rows([f"{{{r[0]}, 0x{r[1]:04X}}}" for r in runs], 6, "{}")
    lines += ["};", f"inline constexpr FourByteRun kRunsByCodePoint[{len(by_cp)}] = {{"]
    lines += rows([f"{{{r[0]}, 0x{r[1]:04X}}}" for r in by_cp], 6, "{}")
    lines += ["};", ""]
    table_bytes = 2 * (len(two) + len(block_index) + len(blocks) * BLOCK) + 8 * len(runs)
    lines.insert(2, f"// {table_bytes} bytes of tables.")
    return "\n".join(lines)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "encoding", "gb18030_tables.inc")
    text = render(*build())
    if target == "-":
        sys.stdout.write(text)
    else:
        with open(target, "w", encoding="ascii", newline="\n") as out:
            out.write(text)


if __name__ == "__main__":
    main()
