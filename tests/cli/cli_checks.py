"""What the command-line tests share: running the program, reading symbols back with zxing-cpp
(PNG and BMP directly; SVG, EPS and PDF after rsvg-convert, Ghostscript and pdftoppm have drawn
them; the terminal formats from their characters), and plain checks."""
import os
import re
import shutil
import subprocess

import zxingcpp
from PIL import Image

PROGRAM = None  # set by run_cli.py
DEFAULT_TEXTS = None


def address_space(limit):
    """A function for preexec_fn that caps the child's address space at limit bytes."""
    def cap():
        import resource
        resource.setrlimit(resource.RLIMIT_AS, (limit, limit))
    return cap


def run(args, stdin=b"", binary=False, limit=None):
    """Exit status, standard output and standard error; limit caps the address space."""
    done = subprocess.run([PROGRAM] + args, input=stdin, capture_output=True, timeout=300,
                          preexec_fn=address_space(limit) if limit else None)
    stdout = done.stdout if binary else done.stdout.decode()
    return done.returncode, stdout, done.stderr.decode()


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def read_image(image):
    """The raw bytes zxing-cpp reads from a picture, transparent parts on white, or None."""
    if image.mode in ("RGBA", "LA", "P", "PA"):
        image = image.convert("RGBA")
        white = Image.new("RGBA", image.size, (255, 255, 255, 255))
        image = Image.alpha_composite(white, image)
    result = zxingcpp.read_barcode(image.convert("L"), formats=zxingcpp.BarcodeFormat.QRCode)
    return result.bytes if result and result.valid else None


def drawn(path):
    """A PNG of what a viewer shows for the file."""
    path = os.fsdecode(path)
    extension = os.path.splitext(path)[1]
    if extension not in (".svg", ".eps", ".pdf"):
        return path
    # Under plain names: gs takes % for a pattern and wants UTF-8 names.
    source = os.path.join(os.path.dirname(path), "source" + extension)
    shutil.copyfile(path, source)
    path = source
    raster = os.path.join(os.path.dirname(path), "drawn.png")
    if path.endswith(".svg"):
        subprocess.run(["rsvg-convert", path, "-o", raster], check=True)
    elif path.endswith(".eps"):
        subprocess.run(["gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-dEPSCrop",
                        "-sDEVICE=pnggray", "-r192", "-sOutputFile=" + raster, path], check=True)
    elif path.endswith(".pdf"):
        subprocess.run(["pdftoppm", "-r", "192", "-png", "-singlefile", path, raster[:-4]],
                       check=True)
    return raster


def decoded(path):
    """The raw bytes zxing-cpp reads from an image file of any format written, or None."""
    with Image.open(drawn(path)) as image:
        return read_image(image)


def terminal_modules(text):
    """The light (True) and dark modules a utf8 or ansi drawing shows, row by row."""
    rows = []
    for line in text.split("\n")[:-1]:
        if "\x1b[" in line:
            row = []
            for code, cells in re.findall(r"\x1b\[(\d+)m((?:  )*)", line):
                row += [code == "47"] * (len(cells) // 2)
            rows.append(row)
        else:
            rows.append([c in "\u2588\u2580" for c in line])
            rows.append([c in "\u2588\u2584" for c in line])
    return rows


def decoded_terminal(text):
    """What zxing-cpp reads from a terminal drawing, and its modules."""
    rows = terminal_modules(text)
    image = Image.new("L", (len(rows[0]) * 4, len(rows) * 4), 0)
    for y, row in enumerate(rows):
        for x, light in enumerate(row):
            if light:
                image.paste(255, (x * 4, y * 4, x * 4 + 4, y * 4 + 4))
    return read_image(image), rows


def tree(root):
    """Every path under root with its size, for 'nothing else was touched'."""
    found = set()
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            found.add((os.path.relpath(path, root), os.path.getsize(path)))
    return found


def folder(tmp, name):
    path = os.path.join(tmp, name)
    os.mkdir(path)
    return path
