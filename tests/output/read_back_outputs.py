"""BMP files and Windows metafiles of the library, read back by readers no one here wrote:
Pillow opens the BMP files, libwmf's wmf2gd renders the metafiles, emf2svg converts the
clipboard's enhanced metafile (rsvg-convert rasterises it), zxing-cpp decodes them all.

Usage: read_back_outputs.py PATH/TO/QRCodeWin32.dll
"""
import ctypes
import os
import subprocess
import sys
import tempfile

import zxingcpp
from PIL import Image


def decoded(image):
    image = image.convert("L")
    framed = Image.new("L", (image.width + 80, image.height + 80), 255)
    framed.paste(image, (40, 40))
    return [r.bytes for r in zxingcpp.read_barcodes(framed)]


def main():
    lib = ctypes.CDLL(sys.argv[1])
    lib.QRAppearance.argtypes = [ctypes.c_double, ctypes.c_int16, ctypes.c_int16]
    lib.QRSaveAsBMP.restype = ctypes.c_int16
    lib.QRSaveAsWMF.restype = ctypes.c_int16
    lib.QRCopyToClipboard.restype = ctypes.c_int16
    passed = failed = 0

    def check(ok, what):
        nonlocal passed, failed
        if ok:
            passed += 1
        else:
            failed += 1
            print("FAIL", what)

    texts = [b"https://example.com/batch?id=42", "测试数据".encode("gbk"), b"0123456789" * 5,
             b"HELLO WORLD"]
    with tempfile.TemporaryDirectory() as tmp:
        lib.QRSetDefault()
        lib.QRSetSize(300, 300)
        for rotation in range(4):
            for colours in [((255, 255, 255), (0, 0, 0)), ((255, 255, 0), (0, 0, 128))]:
                lib.QRAppearance(0.1, rotation, rotation % 3)
                lib.QRSetBackColor(*colours[0])
                lib.QRSetBarColor(*colours[1])
                for text in texts:
                    lib.QRSetMessage(text)
                    path = os.path.join(tmp, "t.bmp").encode()
                    check(lib.QRSaveAsBMP(path) == -1, f"BMP written {text!r}")
                    check(decoded(Image.open(path)) == [text],
                          f"BMP decodes {text!r} rotation {rotation} colours {colours}")
        lib.QRSetDefault()
        lib.QRAppearance(0.3, 1, 1)
        for text in texts:
            lib.QRSetMessage(text)
            wmf = os.path.join(tmp, "t.wmf")
            png = os.path.join(tmp, "t.png")
            check(lib.QRSaveAsWMF(wmf.encode()) == -1, f"WMF written {text!r}")
            run = subprocess.run(["wmf2gd", "-t", "png", "--maxwidth=1500", "--maxheight=900",
                                  "-o", png, wmf], capture_output=True)
            check(run.returncode == 0 and os.path.exists(png), f"wmf2gd renders {text!r}")
            if os.path.exists(png):
                check(decoded(Image.open(png)) == [text], f"WMF decodes {text!r}")
                os.remove(png)
        lib.QRGetClipboardMetafile.restype = ctypes.c_int16
        for rotation in range(4):
            lib.QRAppearance(0.2, rotation, 2 if rotation % 2 else 1)
            for text in texts:
                lib.QRSetMessage(text)
                check(lib.QRCopyToClipboard() == -1, f"clipboard takes {text!r}")
                size = ctypes.c_uint32(0)
                lib.QRGetClipboardMetafile(None, ctypes.byref(size))
                data = ctypes.create_string_buffer(size.value)
                check(lib.QRGetClipboardMetafile(data, ctypes.byref(size)) == -1, "clipboard read")
                emf, svg, png = (os.path.join(tmp, "c." + e) for e in ("emf", "svg", "png"))
                with open(emf, "wb") as f:
                    f.write(data.raw)
                ok = subprocess.run(["emf2svg-conv", "-i", emf, "-o", svg],
                                    capture_output=True).returncode == 0
                ok = ok and subprocess.run(["rsvg-convert", "-w", "1000", "-o", png, svg],
                                           capture_output=True).returncode == 0
                check(ok, f"emf2svg converts {text!r}")
                if ok:
                    check(decoded(Image.open(png)) == [text],
                          f"EMF decodes {text!r} rotation {rotation}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
