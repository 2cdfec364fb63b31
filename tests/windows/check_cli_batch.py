#!/usr/bin/python3
"""Checks a batch that qrbatch-cli.exe wrote under Wine against the Linux tool's batch of the same
lines: the same file names, every file read back by zxing-cpp, the texts read are the lines, and
each picture has the Linux file's pixels (the PNG bytes may differ: another deflate library).
    check_cli_batch.py LINES WINDOWS_FOLDER LINUX_FOLDER
Prints one summary line; exits 1 on any difference."""
import os
import sys

import zxingcpp
from PIL import Image


def read(path):
    with Image.open(path) as image:
        result = zxingcpp.read_barcode(image.convert("L"), formats=zxingcpp.BarcodeFormat.QRCode)
    return result.bytes if result and result.valid else None


def main():
    lines_file, windows, linux = sys.argv[1:4]
    with open(lines_file, "rb") as f:
        lines = [line.rstrip(b"\r") for line in f.read().removeprefix(b"\xef\xbb\xbf").split(b"\n")]
    lines = sorted(line for line in lines if line)
    expected = sorted(os.listdir(linux))
    written = sorted(os.listdir(windows))
    problems = []
    if written != expected:
        missing = sorted(set(expected) - set(written))
        extra = sorted(set(written) - set(expected))
        problems.append(f"names differ: {len(missing)} missing (first {missing[:1]}), "
                        f"{len(extra)} not expected (first {extra[:1]})")
    unread = []
    pixels_differ = []
    texts = []
    for name in sorted(set(expected) & set(written)):
        text = read(os.path.join(windows, name))
        if text is None:
            unread.append(name)
            continue
        texts.append(bytes(text))
        with Image.open(os.path.join(windows, name)) as a, \
                Image.open(os.path.join(linux, name)) as b:
            if a.size != b.size or a.convert("RGBA").tobytes() != b.convert("RGBA").tobytes():
                pixels_differ.append(name)
    if unread:
        problems.append(f"{len(unread)} files not read (first {unread[0]})")
    if pixels_differ:
        problems.append(f"{len(pixels_differ)} pictures differ (first {pixels_differ[0]})")
    if sorted(texts) != lines and not unread:
        problems.append("the texts read are not the lines")
    print(f"cli batch: {len(lines)} lines, {len(written)} files, {len(texts)} read back, "
          f"{len(pixels_differ)} pictures differ from the Linux tool's")
    for problem in problems:
        print("FAIL cli batch:", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
