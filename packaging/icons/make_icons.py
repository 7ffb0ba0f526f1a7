#!/usr/bin/env python3
"""Makes the program's icon files from the pixel data in ui/icon.h, the one
source of every icon: a Windows .ico (32 x 32, 16 colours, with its mask)
and PNG files enlarged by whole factors, pixel for pixel. A maskable PNG
(a web app's icon, which the launcher cuts to its own shape) has the icon
at half its width on an opaque background: whole inside the circle of 80 %
of the width that every launcher's mask keeps.

Usage: make_icons.py ICON_H --ico OUT.ico
       make_icons.py ICON_H --png SIZE OUT.png
       make_icons.py ICON_H --maskable SIZE RRGGBB OUT.png
"""
import re
import struct
import sys
import zlib

def read_icon(path):
    """The palette, the pixel rows, and which palette index each pixel
    character stands for (characters not listed are transparent)."""
    text = open(path, encoding="utf-8").read()
    palette_text = text[text.index("kIconPalette"):text.index("kIconPixels")]
    palette = [tuple(int(v) for v in m) for m in re.findall(r"\{(\d+), (\d+), (\d+)\}", palette_text)]
    rows = re.findall(r'^\s*"([^"]+)",$', text[text.index("kIconPixels"):], re.M)
    legend = {ch: int(index) for ch, index in re.findall(r"case '(.)': return (\d+);", text)}
    if len(palette) != 16 or len(rows) != 32 or any(len(row) != 32 for row in rows) or not legend:
        sys.exit(f"{path}: expected a 16-colour palette, 32 rows of 32 pixels and their legend")
    return palette, rows, legend


def ico(palette, rows, legend):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    colours = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    xor = b""
    mask = b""
    for row in reversed(rows):  # bitmaps run bottom-up
        indices = [legend.get(ch, 0) for ch in row]
        xor += bytes((indices[i] << 4) | indices[i + 1] for i in range(0, size, 2))
        bits = "".join("0" if ch in legend else "1" for ch in row)
        mask += int(bits, 2).to_bytes(size // 8, "big")
    image = header + colours + xor + mask
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), 22)
    return directory + image


def png(palette, rows, legend, size, background=None):
    """The icon enlarged to fill SIZE, or, on a background colour (r, g, b),
    to half of it, centred."""
    icon_size = size // 2 if background else size
    scale = icon_size // len(rows)
    if scale * len(rows) != icon_size:
        sys.exit(f"{icon_size} is not a whole multiple of {len(rows)}")
    clear = background + (255,) if background else (0, 0, 0, 0)
    margin = bytes(clear) * ((size - icon_size) // 2)
    blank = b"\x00" + bytes(clear) * size  # each line starts with its filter: none
    raw = blank * ((size - icon_size) // 2)
    for row in rows:
        line = b"\x00" + margin
        for ch in row:
            rgba = palette[legend[ch]] + (255,) if ch in legend else clear
            line += bytes(rgba) * scale
        raw += (line + margin) * scale
    raw += blank * ((size - icon_size) // 2)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(argv):
    if len(argv) == 4 and argv[2] == "--ico":
        data = ico(*read_icon(argv[1]))
        out = argv[3]
    elif len(argv) == 5 and argv[2] == "--png":
        data = png(*read_icon(argv[1]), int(argv[3]))
        out = argv[4]
    elif len(argv) == 6 and argv[2] == "--maskable":
        background = tuple(bytes.fromhex(argv[4]))
        data = png(*read_icon(argv[1]), int(argv[3]), background)
        out = argv[5]
    else:
        sys.exit(__doc__)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv)
