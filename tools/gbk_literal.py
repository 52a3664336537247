#!/usr/bin/env python3
"""Prints a C++ string literal holding the GBK bytes of each argument (for the designs' texts)."""
import sys

for text in sys.argv[1:]:
    out, prev_hex = [], False
    for b in text.encode("gbk"):
        if b >= 0x80 or b < 0x20 or b in (0x22, 0x5C):
            out.append(f"\\x{b:02x}")
            prev_hex = True
        else:
            ch = chr(b)
            # A hex escape swallows every hex digit after it: close the literal first.
            if prev_hex and ch in "0123456789abcdefABCDEF":
                out.append('" "')
            out.append(ch)
            prev_hex = False
    print(f'"{"".join(out)}"  // {text}')
