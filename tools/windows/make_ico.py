#!/usr/bin/env python3
"""Writes a Windows .ico holding the given PNG pictures, one entry each, as Windows Vista and
later read them. Usage: make_ico.py OUT.ico SIZE.png..."""
import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise SystemExit("not a PNG picture")
    return struct.unpack(">II", data[16:24])


def main():
    out, pngs = sys.argv[1], sys.argv[2:]
    pictures = [open(p, "rb").read() for p in pngs]
    header = struct.pack("<HHH", 0, 1, len(pictures))
    offset = len(header) + 16 * len(pictures)
    entries = b""
    for data in pictures:
        width, height = png_size(data)
        if width > 256 or height > 256:
            raise SystemExit("an icon picture is at most 256 pixels wide")
        # 256 is written as 0; 32 bits per pixel, no palette.
        entries += struct.pack("<BBBBHHII", width % 256, height % 256, 0, 0, 1, 32,
                               len(data), offset)
        offset += len(data)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(pictures))


if __name__ == "__main__":
    main()
