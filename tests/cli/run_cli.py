"""qrbatch-cli as a user runs it: exit statuses, messages, files, and symbols read back by
zxing-cpp (PNG and BMP directly, SVG after rsvg-convert has drawn it).

Usage: run_cli.py CASE PROGRAM DEFAULT_TEXTS
"""
import os
import subprocess
import sys
import tempfile

import zxingcpp
from PIL import Image

PROGRAM = sys.argv[2]
DEFAULT_TEXTS = sys.argv[3]


def run(args, stdin=b""):
    done = subprocess.run([PROGRAM] + args, input=stdin, capture_output=True, timeout=300)
    return done.returncode, done.stdout.decode(), done.stderr.decode()


def decoded(path):
    """The raw bytes zxing-cpp reads from an image file, or None."""
    with Image.open(path) as image:
        result = zxingcpp.read_barcode(image.convert("L"), formats=zxingcpp.BarcodeFormat.QRCode)
    return result.bytes if result and result.valid else None


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def tree(root):
    """Every path under root with its size, for 'nothing else was touched'."""
    found = set()
    for folder, dirs, files in os.walk(root):
        for name in dirs + files:
            path = os.path.join(folder, name)
            found.add((os.path.relpath(path, root), os.path.getsize(path)))
    return found


def case_default_texts(tmp):
    expected = open(DEFAULT_TEXTS, "rb").read().split(b"\r\n")[:-1]
    check(len(expected) == 1001, "the default texts are 1001 lines")
    outputs = []
    for jobs in ("1", "2"):
        out = os.path.join(tmp, "jobs" + jobs)
        os.mkdir(out)
        code, stdout, stderr = run(["--app-names", DEFAULT_TEXTS, "-o", out, "--jobs", jobs])
        check(code == 0, f"exit {code}: {stderr}")
        check(stdout == "", "nothing on standard output")
        check(stderr == f'qrbatch-cli: 1001 lines, 1001 written, 0 failed, in "{out}" as the '
              "window's .jpg files\n", stderr)
        outputs.append(out)
    names = sorted(os.listdir(outputs[0]))
    check(names == sorted(os.listdir(outputs[1])), "the same names with 1 and 2 jobs")
    check(sorted(os.fsencode(n) for n in names) == sorted(t + b".jpg" for t in expected),
          "one file per line, named line + .jpg")
    failures = []
    for text in expected:
        path = os.path.join(os.fsencode(outputs[0]), text + b".jpg")
        data = open(path, "rb").read()
        check(data == open(os.path.join(os.fsencode(outputs[1]), text + b".jpg"), "rb").read(),
              f"{text!r}: the same bytes with 1 and 2 jobs")
        check(len(data) == 5662 and data[:2] == b"BM", f"{text!r}: a 200 x 200 one-bit BMP")
        if decoded(path) != text:
            failures.append(text)
    check(not failures, f"{len(failures)} of 1001 do not decode: {failures[:5]}")
    print("1001 of 1001 default texts decode to their lines, identical with 1 and 2 jobs")


def case_formats_decode(tmp):
    lines = ["测试数据", "hello world", "20210706001", "MIXED Case 123 $%*+-.:",
             "ÄÖÜ äöü € ©"]
    gbk = "测试".encode("gbk")  # bytes that are no UTF-8: passed through as they are
    data = b"\r\n".join(l.encode() for l in lines) + b"\n" + gbk + b"\n"
    expected = [l.encode() for l in lines] + [gbk]
    looks = [[], ["--fg", "#203080", "--bg", "#FFF0C0", "--rotation", "0", "--frame", "1"],
             ["--size", "333x251", "--fit", "--rotation", "2", "--frame", "2"]]
    for fmt in ("png", "svg"):
        for n, look in enumerate(looks):
            out = os.path.join(tmp, f"{fmt}{n}")
            os.mkdir(out)
            code, _, stderr = run(["-", "-o", out, "--format", fmt] + look, data)
            check(code == 0, f"{fmt} {look}: exit {code}: {stderr}")
            check(len(os.listdir(out)) == len(expected), f"{fmt}: one file per line")
            for text in expected:
                path = os.path.join(os.fsencode(out), text + b"." + fmt.encode())
                if fmt == "svg":
                    raster = os.path.join(tmp, "drawn.png")
                    subprocess.run(["rsvg-convert", path, "-o", raster], check=True)
                    path = raster
                got = decoded(path)
                check(got == text, f"{fmt} {look}: {text!r} read as {got!r}")
    print(f"png and svg (through rsvg-convert): {len(expected)} lines x {len(looks)} looks decode")


def symbol_width(path):
    """Width of the dark part of the image: the symbol's side in pixels."""
    with Image.open(path) as image:
        box = image.convert("L").point(lambda v: 255 if v < 128 else 0).getbbox()
    return box[2] - box[0]


def case_fit_sweep(tmp):
    line = os.path.join(tmp, "line.txt")
    open(line, "wb").write(b"sweep\n")
    for version in range(1, 41):
        out = os.path.join(tmp, f"v{version}")
        os.mkdir(out)
        code, _, stderr = run([line, "-o", out, "--fit", "--version", str(version),
                               "--format", "png", "--verify"])
        check(code == 0, f"version {version}: exit {code}: {stderr}")
        path = os.path.join(out, "sweep.png")
        check(decoded(path) == b"sweep", f"version {version} at 200x200 does not decode")
        side = 17 + 4 * version
        module = 200 // (side + 8)
        check(symbol_width(path) == side * module,
              f"version {version}: {symbol_width(path)} pixels, not {side} x {module}")
    # At 100 x 100 a version of more than 92 modules and its quiet zone cannot fit.
    for version in range(1, 41):
        out = os.path.join(tmp, f"small{version}")
        os.mkdir(out)
        code, _, stderr = run([line, "-o", out, "--fit", "--version", str(version),
                               "--size", "100x100", "--format", "png"])
        side = 17 + 4 * version
        if side + 8 <= 100:
            check(code == 0 and decoded(os.path.join(out, "sweep.png")) == b"sweep",
                  f"version {version} at 100x100: {stderr}")
        else:
            check(code == 1, f"version {version} at 100x100: exit {code}")
            check(f"qrbatch-cli: line 1: version {version} ({side} modules and a quiet zone of 4)"
                  " does not fit 100x100 at one pixel per module\n" in stderr, stderr)
            check(os.listdir(out) == [], "nothing written")
    print("--fit: versions 1 to 40 decode at 200x200; at 100x100 versions 20 to 40 are reported")


def case_verify(tmp):
    out = os.path.join(tmp, "out")
    os.mkdir(out)
    data = b"good\r\n" + b"c" * 60 + b"\r\nalso good\r\n"
    code, _, stderr = run(["-", "-o", out, "--verify"], data)
    check(code == 1, f"exit {code}")
    check(stderr == "qrbatch-cli: line 2: does not decode: no symbol is read from the image\n"
          f'qrbatch-cli: 3 lines, 2 written and verified, 1 failed, in "{out}" as bmp\n', stderr)
    # The same cropped text fits once the module size follows the image.
    code, _, stderr = run(["-", "-o", out, "--verify", "--fit"], data)
    check(code == 0, f"exit {code}: {stderr}")
    print("--verify flags line 2 (cropped) and passes lines 1 and 3; with --fit all pass")


def case_bad_input(tmp):
    sandbox = os.path.join(tmp, "sandbox")
    out = os.path.join(sandbox, "out")
    os.makedirs(out)
    open(os.path.join(sandbox, "keep.txt"), "w").write("untouched")
    before = tree(sandbox)

    missing = os.path.join(sandbox, "missing")
    code, _, stderr = run([DEFAULT_TEXTS, "-o", missing])
    check(code == 2, f"missing folder: exit {code}")
    check(stderr == f'qrbatch-cli: output folder "{missing}": No such file or directory '
          "(it must be an existing folder)\n", stderr)
    code, _, stderr = run([DEFAULT_TEXTS, "-o", os.path.join(sandbox, "keep.txt")])
    check(code == 2 and "keep.txt\": is not a folder" in stderr, stderr)

    nowhere = os.path.join(sandbox, "no-such-input.txt")
    code, _, stderr = run([nowhere, "-o", out])
    check(code == 2, f"unreadable input: exit {code}")
    check(stderr == f'qrbatch-cli: cannot read the input "{nowhere}": No such file or '
          "directory\n", stderr)
    code, _, stderr = run([sandbox, "-o", out])
    check(code == 2 and stderr.endswith(": Is a directory\n"), stderr)

    code, _, stderr = run(["-", "-o", out], b"")
    check(code == 0, f"empty input: exit {code}")
    check(stderr == "qrbatch-cli: the input has no lines; nothing to write\n"
          f'qrbatch-cli: 0 lines, 0 written, 0 failed, in "{out}" as bmp\n', stderr)
    check(tree(sandbox) == before, "nothing written for bad input")

    data = (b"first\n" + b"x" * 102400 + b"\nsub/inner\n../escape\n" + b"h" * 1300 +
            b"\nlast\n")
    code, _, stderr = run(["-", "-o", out, "--level", "H"], data)
    check(code == 1, f"exit {code}")
    check(stderr ==
          "qrbatch-cli: line 2: the text (102400 bytes) does not fit version 40 at level H\n"
          'qrbatch-cli: line 3: cannot be a file name: it contains "/"\n'
          'qrbatch-cli: line 4: cannot be a file name: it contains "/"\n'
          "qrbatch-cli: line 5: the text (1300 bytes) does not fit version 40 at level H\n"
          f'qrbatch-cli: 6 lines, 2 written, 4 failed, in "{out}" as bmp\n', stderr)
    check(sorted(os.listdir(out)) == ["first.bmp", "last.bmp"], os.listdir(out))
    check(tree(sandbox) - before == {("out/first.bmp", 5662),
                                      ("out/last.bmp", 5662)}, "only the two files are new")
    check(before <= tree(sandbox), "nothing that was there is gone or changed in size")
    check(open(os.path.join(sandbox, "keep.txt")).read() == "untouched", "keep.txt kept")
    print("bad input: clear messages, exit 2 before any work, exit 1 with the other lines written")


def case_usage(tmp):
    code, stdout, stderr = run(["--help"])
    check(code == 0 and stdout.startswith("Usage: qrbatch-cli [OPTIONS] INPUT -o DIR\n"), stdout)
    check(stderr == "", stderr)
    code, stdout, _ = run(["--version-info"])
    check(code == 0 and stdout.startswith("qrbatch-cli 1.0.0 "), stdout)
    code, stdout, stderr = run(["in.txt", "-o", tmp, "--level", "Z"])
    check(code == 2 and stdout == "", f"exit {code}")
    check(stderr == 'qrbatch-cli: invalid value for --level: "Z" (see --help)\n', stderr)
    code, _, stderr = run([])
    check(code == 2 and "no input file given" in stderr, stderr)
    print("--help, --version-info and usage errors")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory(prefix="qrcli-") as tmp:
        globals()["case_" + sys.argv[1]](tmp)
