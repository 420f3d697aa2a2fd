#!/usr/bin/env python3
"""Checks data/charset/charset.txt (the source that kavel-data charset-build
compiles) for what the build does not catch, and optionally expands it into
the one-character-per-line text form ("<character><TAB><type>", GBK).

    charset.py [SOURCE] [OUTPUT]

SOURCE defaults to data/charset/charset.txt; without OUTPUT only the check
runs. Errors: malformed lines, and the types that the segmenter steps over
as two bytes given to one-byte characters.
"""
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
TWO_BYTE_ONLY = {11, 15, 16, 18, 19, 21, 22, 23, 25}
BLANKS = (0x09, 0x0A, 0x0D, 0x20)


def code_bytes(code):
    return bytes([code]) if code < 0x100 else bytes([code >> 8, code & 0xFF])


def parse_item(item, where):
    lo, _, hi = item.partition("-")
    first = int(lo, 16)
    last = int(hi, 16) if hi else first
    if first > last or last > 0xFFFF:
        raise ValueError("%s: bad range %s" % (where, item))
    return range(first, last + 1)


def load(path):
    """Returns {code: type} after applying every line in order."""
    table = {}
    with open(path, encoding="utf-8") as src:
        for number, line in enumerate(src, 1):
            line = line.split("#", 1)[0]
            if not line.strip():
                continue
            where = "%s:%d" % (path, number)
            kind, _, items = line.partition(":")
            char_type = int(kind)
            if not 0 <= char_type <= 255 or not items.split():
                raise ValueError("%s: expected <type><TAB><items>" % where)
            for item in items.replace(",", " ").split():
                for code in parse_item(item, where):
                    if char_type in TWO_BYTE_ONLY and code < 0x100:
                        raise ValueError("%s: type %d needs two-byte characters" % (where, char_type))
                    table[code] = char_type
    for code in BLANKS:
        table[code] = 28
    return table


def main(argv):
    source = argv[1] if len(argv) > 1 else os.path.join(ROOT, "data", "charset", "charset.txt")
    table = load(source)
    if len(argv) < 3:
        print("%d codes typed" % len(table))
        return 0
    out = open(argv[2], "wb")
    for code in sorted(table):
        if code in BLANKS:
            continue  # the import gives blanks type 28 itself; a blank is no token
        raw = code_bytes(code)
        try:
            raw.decode("gbk")
        except UnicodeDecodeError:
            continue  # unassigned code inside a listed range
        out.write(raw + b"\t%d\n" % table[code])
    out.close()
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
