"""Symbols read back by a real decoder: every version 1 to 40 at every level in each of the three
modes, with texts filling the version, and the 1001 default batch texts.

Usage: decode_sweep.py PATH/TO/QRCodeWin32.dll PATH/TO/default-texts.txt
"""
import ctypes
import random
import sys

import zxingcpp
from PIL import Image

ALPHANUMERIC = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ $%*+-./:"


def load(path):
    lib = ctypes.CDLL(path)
    lib.QRGetPatternData.restype = ctypes.c_int16
    lib.QRConfigure.argtypes = [ctypes.c_int16] * 3
    return lib


def side(lib, text):
    lib.QRSetMessage(text)
    rows, cols = ctypes.c_int16(), ctypes.c_int16()
    lib.QRGetActualRC(ctypes.byref(rows), ctypes.byref(cols))
    return rows.value


def pattern(lib):
    size, rows, cols = ctypes.c_uint32(0), ctypes.c_int16(), ctypes.c_int16()
    lib.QRGetPatternData(None, ctypes.byref(size), ctypes.byref(rows), ctypes.byref(cols))
    buf = ctypes.create_string_buffer(size.value)
    lib.QRGetPatternData(buf, ctypes.byref(size), ctypes.byref(rows), ctypes.byref(cols))
    return rows.value, buf.raw


def decode(n, raw, scale=3, quiet=4):
    img = Image.new("L", ((n + 2 * quiet) * scale,) * 2, 255)
    dark = Image.new("L", (scale, scale), 0)
    for i in range(n):
        for j in range(n):
            if raw[i * n + j] == ord("1"):  # the pattern is the picture, row by row
                img.paste(dark, ((j + quiet) * scale, (i + quiet) * scale))
    found = zxingcpp.read_barcodes(img)
    return found[0].bytes if found else None


def filling_text(lib, version, make):
    """The longest text of this kind whose automatic version is the given one."""
    low, high = 1, 7100
    while low < high:
        mid = (low + high + 1) // 2
        n = side(lib, make(mid))
        if n != 0 and n <= 17 + 4 * version:
            low = mid
        else:
            high = mid - 1
    return make(low)


def main():
    lib = load(sys.argv[1])
    rng = random.Random(40)
    makers = {
        "numeric": lambda k: bytes(rng.choice(b"0123456789") for _ in range(k)),
        "alphanumeric": lambda k: bytes(ord(rng.choice(ALPHANUMERIC)) for _ in range(k)),
        "byte": lambda k: bytes(rng.randrange(1, 256) for _ in range(k)),
    }
    passed = failed = 0
    lib.QRSetDefault()
    for level in range(4):
        for mode, make in makers.items():
            for version in range(1, 41):
                lib.QRConfigure(0, level, 0)
                text = filling_text(lib, version, make)
                lib.QRSetMessage(text)
                n, raw = pattern(lib)
                if n == 17 + 4 * version and decode(n, raw) == text:
                    passed += 1
                else:
                    failed += 1
                    print(f"FAIL version {version} level {level} {mode}: side {n}")
    lib.QRConfigure(0, 0, 5)  # the window's settings
    with open(sys.argv[2], "rb") as f:
        defaults = [line for line in f.read().split(b"\r\n") if line]
    for text in defaults:
        lib.QRSetMessage(text)
        n, raw = pattern(lib)
        if decode(n, raw, scale=2) == text:
            passed += 1
        else:
            failed += 1
            print(f"FAIL default text {text!r}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed or passed < 480 + 1001 else 0


if __name__ == "__main__":
    sys.exit(main())
