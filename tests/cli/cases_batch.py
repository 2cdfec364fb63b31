"""Batches into a folder: the window's own files, the formats and looks, sizing, naming,
checks after writing and bad input."""
import os

from PIL import Image

import cli_checks as c
from cli_checks import check, decoded, folder, run, tree


def case_default_texts(tmp):
    expected = open(c.DEFAULT_TEXTS, "rb").read().split(b"\r\n")[:-1]
    check(len(expected) == 1001, "the default texts are 1001 lines")
    outputs = []
    for jobs in ("1", "2"):
        out = folder(tmp, "jobs" + jobs)
        code, stdout, stderr = run(["--app-names", c.DEFAULT_TEXTS, "-o", out, "--jobs", jobs])
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


LINES = ["测试数据", "hello world", "20210706001", "MIXED Case 123 $%*+-.:", "ÄÖÜ äöü € ©"]
GBK = "测试".encode("gbk")  # bytes that are no UTF-8: passed through as they are
INPUT = b"\r\n".join(l.encode() for l in LINES) + b"\n" + GBK + b"\n"
EXPECTED = [l.encode() for l in LINES] + [GBK]


def case_formats_decode(tmp):
    looks = [[], ["--fg", "#203080", "--bg", "#FFF0C0", "--rotate", "90", "--frame", "1"],
             ["--size", "333x251", "--rotate", "180", "--frame", "2", "--mask", "3"],
             ["--scale", "3", "--border", "2", "--rotate", "270", "-l", "H"]]
    for fmt in ("png", "svg", "eps", "pdf"):
        for n, look in enumerate(looks):
            out = folder(tmp, f"{fmt}{n}")
            code, _, stderr = run(["-", "-o", out, "--format", fmt] + look, INPUT)
            check(code == 0, f"{fmt} {look}: exit {code}: {stderr}")
            check(len(os.listdir(out)) == len(EXPECTED), f"{fmt}: one file per line")
            for text in EXPECTED:
                got = decoded(os.path.join(os.fsencode(out), text + b"." + fmt.encode()))
                check(got == text, f"{fmt} {look}: {text!r} read as {got!r}")
    print(f"png, svg, eps, pdf: {len(EXPECTED)} lines x {len(looks)} looks decode")


def case_transparency(tmp):
    for fmt in ("png", "svg"):
        out = folder(tmp, fmt)
        code, _, stderr = run(["-", "-o", out, "-t", fmt, "--bg", "transparent",
                               "--fg", "#102030E0"], b"see through\n")
        check(code == 0, f"{fmt}: exit {code}: {stderr}")
        path = os.path.join(out, "see through." + fmt)
        check(decoded(path) == b"see through", f"{fmt}: does not decode on white")
        with Image.open(c.drawn(path)) as image:
            rgba = image.convert("RGBA")
            corner = rgba.getpixel((0, 0))
            check(corner[3] == 0, f"{fmt}: the background is not transparent: {corner}")
            alphas = {p[3] for p in rgba.getdata()}
            check(any(200 <= a <= 240 for a in alphas), f"{fmt}: no module of alpha E0: {alphas}")
    code, _, stderr = run(["-", "-o", tmp, "-t", "bmp", "--bg", "transparent"], b"x\n")
    check(code == 2 and "--bg: transparency is for png and svg; bmp has none" in stderr, stderr)
    print("png and svg: a transparent background and a translucent foreground, decoding on white")


def symbol_width(path):
    """Width of the dark part of the image: the symbol's side in pixels."""
    with Image.open(path) as image:
        box = image.convert("L").point(lambda v: 255 if v < 128 else 0).getbbox()
    return box[2] - box[0]


def case_fit_sweep(tmp):
    line = os.path.join(tmp, "line.txt")
    open(line, "wb").write(b"sweep\n")
    for version in range(1, 41):
        out = folder(tmp, f"v{version}")
        code, _, stderr = run([line, "-o", out, "-v", str(version), "--verify"])
        check(code == 0, f"version {version}: exit {code}: {stderr}")
        path = os.path.join(out, "sweep.png")
        check(decoded(path) == b"sweep", f"version {version} at 200x200 does not decode")
        side = 17 + 4 * version
        module = 200 // (side + 8)
        check(symbol_width(path) == side * module,
              f"version {version}: {symbol_width(path)} pixels, not {side} x {module}")
    # At 100 x 100 a version of more than 92 modules and its quiet zone cannot fit.
    for version in range(1, 41):
        out = folder(tmp, f"small{version}")
        code, _, stderr = run([line, "-o", out, "--fit", "-v", str(version), "--size", "100x100"])
        side = 17 + 4 * version
        if side + 8 <= 100:
            check(code == 0 and decoded(os.path.join(out, "sweep.png")) == b"sweep",
                  f"version {version} at 100x100: {stderr}")
        else:
            check(code == 1, f"version {version} at 100x100: exit {code}")
            check(f"qrbatch-cli: line 1: version {version} ({side} modules and a quiet zone of 4)"
                  " does not fit 100x100 at one pixel per module\n" in stderr, stderr)
            check(os.listdir(out) == [], "nothing written")
    print("fitted by default: versions 1 to 40 decode at 200x200; at 100x100 versions 20 to 40 "
          "are reported")


def case_fixed_module(tmp):
    data = b"short\n" + b"c" * 60 + b"\n"  # version 1, then version 4 (33 modules)
    out = folder(tmp, "scaled")
    code, _, stderr = run(["-", "-o", out, "--scale", "5"], data)
    check(code == 0, f"exit {code}: {stderr}")
    for name, side in (("short.png", 21), ("c" * 60 + ".png", 33)):
        with Image.open(os.path.join(out, name)) as image:
            check(image.size == ((side + 8) * 5,) * 2, f"{name}: {image.size}")
    out = folder(tmp, "fixed")
    code, _, stderr = run(["-", "-o", out, "--scale", "5", "--size", "200x200"], data)
    check(code == 1, f"exit {code}")
    check(stderr == "qrbatch-cli: line 2: version 4 (33 modules and a quiet zone of 4) at 5 "
          "pixels per module needs 205x205 pixels, more than the 200x200 image\n"
          f'qrbatch-cli: 2 lines, 1 written, 1 failed, in "{out}" as png\n', stderr)
    check(os.listdir(out) == ["short.png"], "the symbol too large is not written")
    out = folder(tmp, "window")
    code, _, stderr = run(["-", "-o", out, "--app-names"], data)
    check(code == 0 and "line 2" not in stderr, f"exit {code}: {stderr}")
    check(decoded(os.path.join(out, "c" * 60 + ".jpg")) == b"c" * 60, "drawn whole")
    print("--scale sizes the image; a fixed module too large fails; --app-names fits as the window")


def case_verify(tmp):
    out = folder(tmp, "out")
    data = b"good\r\n" + b"c" * 60 + b"\r\nalso good\r\n"
    code, _, stderr = run(["-", "-o", out, "--verify", "--app-names"], data)
    check(code == 0 and stderr == f'qrbatch-cli: 3 lines, 3 written and verified, 0 failed, in '
          f'"{out}" as the window\'s .jpg files\n', f"exit {code}: {stderr}")
    code, _, stderr = run(["--text", "faint", "-o", out, "--verify", "--fg", "#FEFEFE"])
    check(code == 1 and stderr == "qrbatch-cli: does not decode: no symbol is read from the "
          "image\n", f"exit {code}: {stderr}")
    for fmt in ("png", "svg", "eps", "pdf", "bmp", "wmf", "utf8", "ansi"):
        code, _, stderr = run(["-", "-o", out, "--verify", "-t", fmt], data)
        check(code == 0, f"{fmt}: exit {code}: {stderr}")
        check(stderr.endswith(f"3 lines, 3 written and verified, 0 failed, in \"{out}\" as "
                              f"{fmt}\n"), stderr)
    print("--verify flags a code too faint to read; every format and the window's pass")


def case_bad_input(tmp):
    sandbox = os.path.join(tmp, "sandbox")
    out = os.path.join(sandbox, "out")
    os.makedirs(out)
    open(os.path.join(sandbox, "keep.txt"), "w").write("untouched")
    before = tree(sandbox)

    missing = os.path.join(sandbox, "missing")
    code, _, stderr = run([c.DEFAULT_TEXTS, "-o", missing])
    check(code == 2, f"missing folder: exit {code}")
    check(stderr == f'qrbatch-cli: output folder "{missing}": No such file or directory '
          "(it must be an existing folder, or give --mkdir)\n", stderr)
    code, _, stderr = run([c.DEFAULT_TEXTS, "-o", os.path.join(sandbox, "keep.txt")])
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
          f'qrbatch-cli: 0 lines, 0 written, 0 failed, in "{out}" as png\n', stderr)
    check(tree(sandbox) == before, "nothing written for bad input")

    data = (b"first\n" + b"x" * 102400 + b"\nsub/inner\n../escape\n" + b"h" * 1300 +
            b"\n" + b"7" * 4000 + b"\nlast\n")
    code, _, stderr = run(["-", "-o", out, "--level", "H"], data)
    check(code == 1, f"exit {code}")
    check(stderr ==
          "qrbatch-cli: line 2: the text (102400 bytes) does not fit version 40 at level H\n"
          'qrbatch-cli: line 3: cannot be a file name: it contains "/" (--name safe turns it '
          'into _)\n'
          'qrbatch-cli: line 4: cannot be a file name: it contains "/" (--name safe turns it '
          'into _)\n'
          "qrbatch-cli: line 5: cannot be a file name: 1304 bytes with the extension, more than "
          "the 255 a name can hold (--name safe shortens it)\n"
          "qrbatch-cli: line 6: cannot be a file name: 4004 bytes with the extension, more than "
          "the 255 a name can hold (--name safe shortens it)\n"
          f'qrbatch-cli: 7 lines, 2 written, 5 failed, in "{out}" as png\n', stderr)
    check(sorted(os.listdir(out)) == ["first.png", "last.png"], os.listdir(out))
    check({p for p, _ in tree(sandbox) - before} == {"out/first.png", "out/last.png"},
          "only the two files are new")
    check(open(os.path.join(sandbox, "keep.txt")).read() == "untouched", "keep.txt kept")
    print("bad input: clear messages, exit 2 before any work, exit 1 with the other lines written")


def case_naming(tmp):
    urls = [b"https://example.com/", b"https://example.com/a?b=1", b"https://example.com/a:b",
            b"mailto:x@example.com", b"CON"]
    data = b"\xef\xbb\xbf" + b"\n".join(urls) + b"\n"  # as editors on Windows save it
    out = os.path.join(tmp, "new", "safe")
    code, _, stderr = run(["--name", "safe", "-", "-o", out, "--mkdir", "-q"], data)
    check(code == 0 and stderr == "", f"exit {code}: {stderr}")
    names = {b"https___example.com_.png": urls[0], b"https___example.com_a_b=1.png": urls[1],
             b"https___example.com_a_b.png": urls[2], b"mailto_x@example.com.png": urls[3],
             b"CON_.png": urls[4]}
    check(sorted(os.listdir(os.fsencode(out))) == sorted(names), os.listdir(out))
    for name, text in names.items():
        check(decoded(os.path.join(os.fsencode(out), name)) == text, f"{name!r} does not decode")

    out = folder(tmp, "numbered")
    code, _, stderr = run(["--name-format", "code-%05d", "-", "-o", out, "-q"],
                          b"same\nsame\nhttps://x/y\n")
    check(code == 0 and stderr == "", stderr)
    check(sorted(os.listdir(out)) == ["code-00001.png", "code-00002.png", "code-00003.png"],
          os.listdir(out))
    check(decoded(os.path.join(out, "code-00003.png")) == b"https://x/y", "code-00003")

    out = folder(tmp, "tsv")
    code, _, stderr = run(["--input-format", "tsv", "-", "-o", out],
                          b"home\thttps://example.com/\r\nshop\thttps://example.com/shop?id=7\r\n"
                          b"no tab\r\n")
    check(code == 1, f"exit {code}")
    check(stderr == "qrbatch-cli: line 3: no tab between a name and the text (--input-format "
          f'tsv)\nqrbatch-cli: 3 lines, 2 written, 1 failed, in "{out}" as png\n', stderr)
    check(decoded(os.path.join(out, "shop.png")) == b"https://example.com/shop?id=7", "shop.png")

    out = folder(tmp, "window")
    code, _, _ = run(["--app-names", "-", "-o", out], b"\xef\xbb\xbfmark\n")
    check(os.listdir(os.fsencode(out)) == [b"\xef\xbb\xbfmark.jpg"], "the window keeps a mark")
    code, _, stderr = run(["-q", "-o", out, "--", "-"], b"bad/\n")
    check(code == 1 and stderr == 'qrbatch-cli: line 1: cannot be a file name: it contains "/" '
          "(--name safe turns it into _)\n", stderr)
    print("--name safe for web addresses, --name-format, tsv names, the mark, --quiet, --")


def case_bmp_colours(tmp):
    out = folder(tmp, "out")
    code, _, stderr = run(["-", "-o", out, "-t", "bmp", "--fg", "#003366", "--verify"], b"bmp\n")
    check(code == 0, f"exit {code}: {stderr}")
    check(stderr.startswith("qrbatch-cli: warning: a BMP file holds the 16 standard colours "
                            "only: --fg #003366 is written as #000080\n"), stderr)
    with Image.open(os.path.join(out, "bmp.bmp")) as image:
        colours = {colour for _, colour in image.convert("RGB").getcolors()}
    check(colours == {(0, 0, 128), (255, 255, 255)}, colours)
    code, _, stderr = run(["-", "-o", out, "-t", "bmp", "--fg", "#FF0000", "-q"], b"red\n")
    check(code == 0 and stderr == "", stderr)
    print("BMP: a colour outside the 16 is announced and written as its nearest")


def case_png_resolution(tmp):
    # The pHYs chunk carries --dpi, so viewers and printers show the size asked for.
    for dpi, module_cm in ((72, None), (300, "0.05"), (1200, None)):
        out = folder(tmp, f"dpi{dpi}")
        size = ["--module-cm", module_cm] if module_cm else []
        code, _, stderr = run(["--text", "printed size", "--dpi", str(dpi), "-o", out] + size)
        check(code == 0, f"--dpi {dpi}: exit {code}: {stderr}")
        path = os.path.join(out, "printed size.png")
        with Image.open(path) as image:
            image.verify()  # every chunk's CRC
        with Image.open(path) as image:
            check(tuple(round(d) for d in image.info.get("dpi", ())) == (dpi, dpi),
                  f"--dpi {dpi}: the file says {image.info.get('dpi')}")
        check(decoded(path) == b"printed size", f"--dpi {dpi}: does not decode")
    print("PNG files carry 72, 300 and 1200 dpi and decode")
