"""Checks a BMP file written by the installed library: the header for the library's default
500 x 300 image at one bit per pixel, and that a QR reader finds the expected text in it.

    check_bmp.py FILE TEXT
"""
import struct
import sys

import zxingcpp
from PIL import Image


def main(path, text):
    data = open(path, "rb").read()
    problems = []
    if data[:2] != b"BM":
        problems.append("no BM signature")
    size, offset = struct.unpack_from("<I4xI", data, 2)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    # 64-byte rows (500 pixels, padded to 4 bytes) x 300, behind 62 bytes of headers.
    if (size, len(data), offset, width, height, bits) != (19262, 19262, 62, 500, 300, 1):
        problems.append(f"header size={size} length={len(data)} offset={offset} "
                        f"{width}x{height} bits={bits}")
    found = [r.text for r in zxingcpp.read_barcodes(Image.open(path).convert("L"))]
    if found != [text]:
        problems.append(f"read {found!r}, expected [{text!r}]")
    for problem in problems:
        print(f"{path}: {problem}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
