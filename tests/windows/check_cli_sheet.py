#!/usr/bin/python3
"""Checks an a4-4x10 sheet PDF that qrbatch-cli.exe wrote under Wine: poppler draws its pages,
zxing-cpp reads the code of every label, and the texts read and the captions' text are the lines.
    check_cli_sheet.py LINES PDF PAGES
Prints one summary line; exits 1 on any difference."""
import os
import subprocess
import sys
import tempfile

import zxingcpp
from PIL import Image

DPI = 200
# a4-4x10: labels of 48.5 x 25.4 mm from 8 mm left and 21.5 mm down, side by side.
COLUMNS, ROWS, LABEL_MM, LEFT_MM, TOP_MM = 4, 10, (48.5, 25.4), 8, 21.5


def px(mm):
    return round(mm * DPI / 25.4)


def label_texts(page):
    """The text read from each label of the page, in order, None where nothing is read."""
    texts = []
    for row in range(ROWS):
        for column in range(COLUMNS):
            x, y = LEFT_MM + column * LABEL_MM[0], TOP_MM + row * LABEL_MM[1]
            label = page.crop((px(x), px(y), px(x + LABEL_MM[0]), px(y + LABEL_MM[1])))
            result = zxingcpp.read_barcode(label, formats=zxingcpp.BarcodeFormat.QRCode)
            texts.append(result.text if result and result.valid else None)
    return texts


def main():
    lines_file, pdf, pages = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with open(lines_file, encoding="utf-8-sig") as f:
        lines = [line.rstrip("\r") for line in f.read().split("\n") if line.rstrip("\r")]
    problems = []
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True)
    found = [l.split()[-1] for l in info.stdout.splitlines() if l.startswith("Pages:")]
    if info.returncode != 0 or found != [str(pages)]:
        problems.append(f"pdfinfo: status {info.returncode}, pages {found}, expected {pages}")
    texts = []
    with tempfile.TemporaryDirectory() as tmp:
        for page in range(1, pages + 1 if not problems else 1):
            subprocess.run(["pdftoppm", "-gray", "-r", str(DPI), "-f", str(page), "-l", str(page),
                            "-png", pdf, os.path.join(tmp, "page")], check=True)
            drawn = [n for n in os.listdir(tmp) if n.endswith(".png")]
            with Image.open(os.path.join(tmp, drawn[0])) as image:
                texts += label_texts(image)
            os.remove(os.path.join(tmp, drawn[0]))
    texts = texts[:len(lines)]
    if texts != lines:
        wrong = [i for i, line in enumerate(lines) if i >= len(texts) or texts[i] != line]
        problems.append(f"codes read: {len(lines) - len(wrong)} of {len(lines)} as their lines, "
                        f"first wrong label {wrong[0] + 1} ({lines[wrong[0]]!r})")
    captions = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
    uncaptioned = [line for line in lines if line not in captions]
    if uncaptioned:
        problems.append(f"{len(uncaptioned)} captions missing (first {uncaptioned[0]!r})")
    print(f"cli sheet: {len(lines)} lines, {sum(t is not None for t in texts)} codes read, "
          f"{len(lines) - len(uncaptioned)} captions found")
    for problem in problems:
        print("FAIL cli sheet:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
