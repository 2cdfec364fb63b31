#!/usr/bin/python3
"""Writes a Windows icon file from square PNG renderings of one artwork.

    make_icon.py OUT.ico 16.png 32.png 48.png 256.png

Sizes up to 48 pixels are stored as 32-bit DIBs with an AND mask (what every Windows shell reads);
the 256-pixel image stays PNG, as Windows expects for that size.
"""
import io
import struct
import sys

from PIL import Image


def dib(image):
    """The icon DIB: a BITMAPINFOHEADER of double height, BGRA rows bottom up, then the mask."""
    width, height = image.size
    rgba = image.convert("RGBA")
    pixels = rgba.load()
    colour = bytearray()
    mask = bytearray()
    mask_stride = ((width + 31) // 32) * 4
    for y in reversed(range(height)):
        row_mask = bytearray(mask_stride)
        for x in range(width):
            r, g, b, a = pixels[x, y]
            colour += bytes((b, g, r, a))
            if a == 0:
                row_mask[x // 8] |= 0x80 >> (x % 8)
        mask += row_mask
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + bytes(mask)


def main(out, pngs):
    images = []
    for path in pngs:
        with open(path, "rb") as f:
            data = f.read()
        image = Image.open(io.BytesIO(data))
        if image.size[0] != image.size[1]:
            sys.exit(f"{path}: not square")
        images.append((image.size[0], data if image.size[0] > 48 else dib(image)))
    images.sort()
    offset = 6 + 16 * len(images)
    head = struct.pack("<HHH", 0, 1, len(images))
    entries = b""
    body = b""
    for size, data in images:
        side = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset + len(body))
        body += data
    with open(out, "wb") as f:
        f.write(head + entries + body)


if __name__ == "__main__":
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    main(sys.argv[1], sys.argv[2:])
