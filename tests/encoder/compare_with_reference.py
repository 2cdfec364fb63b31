"""Our symbols against an independent encoder (python-qrcode, forced masks) and a real decoder.

Usage: compare_with_reference.py PATH/TO/QRCodeWin32.dll
"""
import ctypes
import random
import sys

import qrcode
import qrcode.util
import zxingcpp
from PIL import Image

LEVELS = [qrcode.constants.ERROR_CORRECT_L, qrcode.constants.ERROR_CORRECT_M,
          qrcode.constants.ERROR_CORRECT_Q, qrcode.constants.ERROR_CORRECT_H]


def load(path):
    lib = ctypes.CDLL(path)
    lib.QRGetPatternData.restype = ctypes.c_int16
    lib.QRConfigure.argtypes = [ctypes.c_int16] * 3
    return lib


def our_matrix(lib, text, version, level, mask_setting):
    lib.QRConfigure(version, level, mask_setting)
    lib.QRSetMessage(text)
    size, rows, cols = ctypes.c_uint32(0), ctypes.c_int16(), ctypes.c_int16()
    if lib.QRGetPatternData(None, ctypes.byref(size), ctypes.byref(rows), ctypes.byref(cols)) != 0:
        return None
    buf = ctypes.create_string_buffer(size.value)
    assert lib.QRGetPatternData(buf, ctypes.byref(size), ctypes.byref(rows), ctypes.byref(cols)) == -1
    n = rows.value
    raw = buf.raw
    # Character i * n + j is the module at row n - 1 - j, column i.
    m = [[False] * n for _ in range(n)]
    for i in range(n):
        for j in range(n):
            m[n - 1 - j][i] = raw[i * n + j] == ord("1")
    return m


def reference_matrix(text, version, level, mask):
    q = qrcode.QRCode(version=version, error_correction=LEVELS[level], mask_pattern=mask, border=0)
    q.add_data(qrcode.util.QRData(text), optimize=0)
    q.make(fit=False)
    return [[bool(x) for x in row] for row in q.modules]


def decode(matrix):
    n = len(matrix)
    scale, quiet = 4, 4
    img = Image.new("L", ((n + 2 * quiet) * scale,) * 2, 255)
    px = img.load()
    for r in range(n):
        for c in range(n):
            if matrix[r][c]:
                for dy in range(scale):
                    for dx in range(scale):
                        px[(c + quiet) * scale + dx, (r + quiet) * scale + dy] = 0
    found = zxingcpp.read_barcodes(img)
    return found[0].bytes if found else None


def main():
    lib = load(sys.argv[1])
    lib.QRSetDefault()
    rng = random.Random(18004)
    texts = [b"01234567", b"AC-42", b"12", b"HELLO WORLD", b"https://example.com/?q=1",
             "测试数据".encode("gbk"), bytes(range(1, 256)), b"9" * 700, b"A1 $%*+-./:" * 30]
    texts += [bytes(rng.randrange(1, 256) for _ in range(rng.randrange(1, 300))) for _ in range(6)]
    failures = checked = decoded = 0
    for text in texts:
        for level in range(4):
            for mask in range(8):
                version = rng.choice([0, 0, rng.randrange(1, 41)])
                ours = our_matrix(lib, text, version, level, mask + 1)
                if ours is None:
                    continue
                v = (len(ours) - 17) // 4
                checked += 1
                if ours != reference_matrix(text, v, level, mask):
                    failures += 1
                    print(f"FAIL matrix: {text[:20]!r} level {level} mask {mask} version {v}")
                if mask == level and v <= 25:  # decoding is slow for large symbols: a sample
                    decoded += 1
                    if decode(ours) != text:
                        failures += 1
                        print(f"FAIL decode: {text[:20]!r} level {level} version {v}")
    # Every version at every level, once.
    for v in range(1, 41):
        for level in range(4):
            text = bytes(rng.randrange(32, 127) for _ in range(v * 3))
            ours = our_matrix(lib, text, v, level, (v + level) % 8 + 1)
            if ours is None:
                continue
            checked += 1
            if ours != reference_matrix(text, (len(ours) - 17) // 4, level, (v + level) % 8):
                failures += 1
                print(f"FAIL matrix: version {v} level {level}")
    print(f"{checked} symbols compared, {decoded} decoded")
    print(f"{checked + decoded - failures} passed, {failures} failed")
    return 1 if failures or checked < 500 else 0


if __name__ == "__main__":
    sys.exit(main())
