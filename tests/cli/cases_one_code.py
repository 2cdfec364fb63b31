"""One code at a time: --text into a file, onto standard output or the terminal, and the
command line's help, version and usage errors."""
import io
import os

from PIL import Image

from cli_checks import check, decoded, decoded_terminal, folder, read_image, run


def case_one_code(tmp):
    target = os.path.join(tmp, "made", "code.svg")
    code, stdout, stderr = run(["--text", "https://example.com/?q=1", "-o", target, "--mkdir"])
    check((code, stdout, stderr) == (0, "", ""), f"exit {code}: {stderr}")
    check(os.listdir(os.path.dirname(target)) == ["code.svg"], "exactly the file asked for")
    check(decoded(target) == b"https://example.com/?q=1", "the SVG from its name decodes")

    code, png, stderr = run(["--text", "piped", "-o", "-"], binary=True)
    check(code == 0 and stderr == "", stderr)
    with Image.open(io.BytesIO(png)) as image:
        check(image.format == "PNG" and image.size == (200, 200), "a 200x200 PNG")
        check(read_image(image) == b"piped", "the PNG on standard output decodes")

    existing = folder(tmp, "existing")
    code, _, stderr = run(["--text", "into a folder", "-o", existing, "-t", "pdf"])
    check(code == 0, stderr)
    check(decoded(os.path.join(existing, "into a folder.pdf")) == b"into a folder", "pdf")

    several = folder(tmp, "several")
    code, _, stderr = run(["--text", "one", "--text", "two", "-o", several])
    check(code == 0 and stderr == f'qrbatch-cli: 2 texts, 2 written, 0 failed, in "{several}" '
          "as png\n", stderr)
    check(sorted(os.listdir(several)) == ["one.png", "two.png"], os.listdir(several))

    code, _, stderr = run(["--text", "x" * 3000, "-o", os.path.join(tmp, "long.png")])
    check(code == 1 and stderr == "qrbatch-cli: the text (3000 bytes) does not fit version 40 at "
          "level L\n", stderr)
    check(not os.path.exists(os.path.join(tmp, "long.png")), "nothing written")
    print("--text into a named file (format from its name), onto standard output, into a folder")


def case_terminal(tmp):
    for fmt in ("utf8", "ansi"):
        code, stdout, stderr = run(["-t", fmt, "--text", "WIFI:T:WPA;S:home;P:secret;;"])
        check(code == 0 and stderr == "", f"{fmt}: {stderr}")
        text, rows = decoded_terminal(stdout)
        check(text == b"WIFI:T:WPA;S:home;P:secret;;", f"{fmt}: read as {text!r}")
        side = 25 + 8  # version 2 and a quiet zone of 4
        check(len(rows[0]) == side and all(rows[0]) and all(rows[3]), f"{fmt}: quiet zone")
        check(len(rows) == side + (1 if fmt == "utf8" else 0), f"{fmt}: {len(rows)} rows")

    code, stdout, _ = run(["-t", "utf8", "-m", "1", "--rotate", "90", "-"], b"a\nb\n")
    codes = stdout.split("\n\u2580")  # each ends in a half row below its quiet zone
    check(code == 0 and len(stdout.splitlines()) == 2 * 12, "two codes of 12 text lines")
    first, _ = decoded_terminal(stdout[:len(stdout) // 2])
    second, _ = decoded_terminal(stdout[len(stdout) // 2:])
    check((first, second) == (b"a", b"b") and len(codes) == 3, (first, second))

    out = folder(tmp, "texts")
    code, _, stderr = run(["-t", "ansi", "-", "-o", out, "-q"], b"in a file\n")
    check(code == 0 and os.listdir(out) == ["in a file.txt"], stderr)
    with open(os.path.join(out, "in a file.txt"), encoding="utf-8") as text:
        check(decoded_terminal(text.read())[0] == b"in a file", "the .txt file decodes")
    print("utf8 and ansi decode from standard output, several in order, and into .txt files")


def case_usage(tmp):
    code, stdout, stderr = run(["--help"])
    check(code == 0 and stdout.startswith("Usage: qrbatch-cli [OPTIONS] INPUT -o DIR\n"), stdout)
    check(stderr == "", stderr)
    for spelling in ("-V", "--version", "--version-info"):
        code, stdout, _ = run([spelling])
        check(code == 0 and stdout.startswith("qrbatch-cli 1.0.0 (libpng "), stdout)
    code, stdout, stderr = run(["in.txt", "-o", tmp, "--level", "Z"])
    check(code == 2 and stdout == "", f"exit {code}")
    check(stderr == 'qrbatch-cli: --level: "Z": expected L, M, Q or H\n', stderr)
    code, _, stderr = run(["in.txt", "-o", tmp, "--size", "200"])
    check(stderr == 'qrbatch-cli: --size: "200": expected WxH, e.g. 200x200\n', stderr)
    code, _, stderr = run(["in.txt", "-o", tmp, "--version", "5"])
    check(code == 2 and "the symbol version is --symversion N (-v N)" in stderr, stderr)
    code, _, stderr = run([])
    check(code == 2 and "no input file given" in stderr, stderr)
    print("--help, --version, -V and usage errors that name the form expected")
