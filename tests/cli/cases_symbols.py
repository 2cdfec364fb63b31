"""The symbol choices as a user meets them: linked symbols' files, Micro QR files read by
zxing-cpp's Micro QR reader, --exact and the options that do not go together."""
import os

import zxingcpp
from PIL import Image

from cli_checks import check, decoded, folder, run


def read_micro(path):
    with Image.open(path) as image:
        result = zxingcpp.read_barcode(image.convert("L"),
                                       formats=zxingcpp.BarcodeFormat.MircoQRCode)
    return (result.bytes, result.format) if result and result.valid else (None, None)


def case_linked_files(tmp):
    out = folder(tmp, "one")
    code, _, stderr = run(["--split", "3", "--verify", "--text", "hello world", "-o",
                           os.path.join(out, "code.png")])
    check(code == 0, stderr)
    check(sorted(os.listdir(out)) == ["code-1.png", "code-2.png", "code-3.png"],
          str(os.listdir(out)))
    joined = b"".join(decoded(os.path.join(out, f"code-{k}.png")) for k in (1, 2, 3))
    check(joined == b"hello world", repr(joined))

    # A batch: only the line one symbol cannot hold is split, its files numbered after it; the
    # line is longer than the 16 KiB a line of one symbol may have.
    long_line = "https://example.com/" + "0123456789abcdef" * 1100
    out = folder(tmp, "batch")
    code, _, stderr = run(["--split", "auto", "--verify", "-l", "M", "--name", "index", "-",
                           "-o", out], (f"short\n{long_line}\n").encode())
    check(code == 0, stderr)
    parts = len(os.listdir(out)) - 1
    names = ["00001.png"] + [f"00002-{k}.png" for k in range(1, parts + 1)]
    check(sorted(os.listdir(out)) == sorted(names) and 8 <= parts <= 16, str(os.listdir(out)))
    joined = b"".join(decoded(os.path.join(out, n)) for n in names[1:])
    check(joined == long_line.encode(), "the parts join to the line")

    # Without --split the same line is too long, and says so.
    code, _, stderr = run(["-l", "M", "--text", long_line, "-o", os.path.join(out, "x.png")])
    check(code == 1 and "does not fit version 40 at level M" in stderr, stderr)

    # A linked symbol's file a-2.png and the line named a-2 (TSV names), in both orders: with
    # --split 2 the line a-2 is split too and nothing meets; with auto the later line fails and
    # the earlier one's file stays.
    texts = {"a": "https://example.com/" + "abcdefghijklmnop" * 90, "a-2": "kept"}
    a_split = {"a-1.png": "a", "a-2.png": "a"}
    both_split = {**a_split, "a-2-1.png": "a-2", "a-2-2.png": "a-2"}
    clashes = {  # --split, the first line: the files and whose they are, line 2's message
        ("2", "a-2"): (both_split, None),
        ("2", "a"): (both_split, None),
        ("auto", "a-2"): ({"a-2.png": "a-2"},
                          "the file name \"a-2.png\" of its linked symbol 2 is already line 1's"),
        ("auto", "a"): (a_split, "the file name \"a-2.png\" is already line 1's"),
    }
    for (split, first), (files, message) in clashes.items():
        out = folder(tmp, f"clash-{split}-{first}")
        lines = "".join(f"{name}\t{texts[name]}\n"
                        for name in sorted(texts, key=lambda name: name != first))
        code, _, stderr = run(["--split", split, "-l", "H", "--input-format", "tsv", "-q", "-",
                               "-o", out], lines.encode())
        where = f"--split {split}, {first} first"
        expected = f"qrbatch-cli: line 2: {message}\n" if message else ""
        check(code == (1 if message else 0) and stderr == expected, f"{where}: {code} {stderr}")
        check(sorted(os.listdir(out)) == sorted(files), f"{where}: {os.listdir(out)}")
        for owner in set(files.values()):
            joined = b"".join(decoded(os.path.join(out, f)) for f in sorted(files)
                              if files[f] == owner)
            check(joined == texts[owner].encode(), f"{where}: {owner}'s files")
    print("linked symbols: NAME-1, NAME-2, ... read back in order; a short line keeps its name; "
          "a linked symbol's file meeting another line's name is a clash, the earlier file kept")


def case_micro_files(tmp):
    out = folder(tmp, "micro")
    cases = [  # arguments, text, modules across
        (["--symversion", "M1"], "31415", 11),
        (["-l", "M"], "AB-12", 13),
        ([], "micro", 15),
        (["-l", "Q"], "0123456789", 17),
        (["--mask", "3", "-l", "M"], "https://a.io", 17),
    ]
    for number, (args, text, side) in enumerate(cases):
        path = os.path.join(out, f"{number}.png")
        code, _, stderr = run(["--micro", "--verify", "--scale", "3"] + args +
                              ["--text", text, "-o", path])
        check(code == 0, f"{text}: {stderr}")
        with Image.open(path) as image:
            check(image.size == ((side + 4) * 3,) * 2, f"{text}: {image.size}")
        read, kind = read_micro(path)
        check(read == text.encode() and kind == zxingcpp.BarcodeFormat.MircoQRCode,
              f"{text}: read {read!r}")
    print("Micro QR M1 to M4 at every level, a quiet zone of 2, read as Micro QR")


def case_symbol_refusals(tmp):
    target = os.path.join(tmp, "x.png")
    refused = [  # arguments and the whole message; exit status 2
        (["--exact"], "--exact keeps the version given with --symversion N; give one"),
        (["--micro", "--eci", "utf8"], "Micro QR has no room for --eci"),
        (["--micro", "--split", "2"], "Micro QR has no room for --split"),
        (["--micro", "-l", "H"], "Micro QR has the levels L, M (M2 to M4) and Q (M4)"),
        (["--micro", "--symversion", "5"],
         "--micro has the versions M1 to M4 (--symversion 1..4 or M1..M4)"),
        (["--micro", "--mask", "4"], "Micro QR has the mask patterns 0 to 3"),
        (["--eci", "utf8", "--kanji"],
         "--eci utf8 declares UTF-8 text, --kanji Shift JIS text; give one"),
        (["--eci", "latin1"], '--eci: "latin1": expected utf8'),
        (["--split", "17"], '--split: "17": expected a number of symbols from 2 to 16, or auto'),
        (["--app-names", "--micro"],
         "--app-names writes the window's own files; it cannot be combined with --micro"),
    ]
    for args, message in refused:
        # --app-names takes lines, not --text.
        tail = ["-", "-o", tmp] if "--app-names" in args else ["--text", "12", "-o", target]
        code, _, stderr = run(args + tail)
        suffix = "" if message.startswith("--eci:") or message.startswith("--split:") \
            else " (see --help)"
        check(code == 2 and stderr == f"qrbatch-cli: {message}{suffix}\n", f"{args}: {stderr}")
    code, _, stderr = run(["--symversion", "1", "--exact", "--text", "x" * 20, "-o", target])
    check(code == 1 and "does not fit version 1 at level L, which holds 152 bits, and --exact "
          "keeps that version (version 2 would hold it)" in stderr, stderr)
    check(not os.path.exists(target), "nothing written")
    print("--exact fails rather than grows; options that do not go together are refused")


def case_micro_like_zint(tmp):
    """Every Micro QR version, level and mask module for module as zint draws it (zint's own
    split into segments is the same for these texts)."""
    import subprocess

    from cli_checks import terminal_modules

    def zint(text, version, level, mask):
        rows = subprocess.run(["zint", "-b", "MICROQR", f"--vers={version}",
                               f"--secure={level + 1}", f"--mask={mask}", "--dump", "-d", text],
                              capture_output=True, text=True, check=True).stdout.splitlines()
        side = 9 + 2 * version
        return [[b == "1" for b in "".join(bin(int(h, 16))[2:].zfill(4 * len(h))
                                           for h in row.split())[:side]] for row in rows]

    compared = 0
    for text, version, levels in [("31415", 1, "L"), ("AB-12", 2, "LM"), ("micro", 3, "LM"),
                                  ("1", 3, "L"), ("https://a.io", 4, "LM"), ("0123456789", 4, "Q")]:
        for level in levels:
            for mask in range(4):
                code, drawing, stderr = run(["--micro", "-t", "utf8", "--border", "0",
                                             "--symversion", f"M{version}", "--exact",
                                             "-l", level, "--mask", str(mask), "--text", text])
                check(code == 0, stderr)
                side = 9 + 2 * version
                ours = [[not light for light in row] for row in terminal_modules(drawing)][:side]
                check(ours == zint(text, version, "LMQ".index(level), mask),
                      f"{text} M{version}-{level} mask {mask} differs from zint's")
                compared += 1
    print(f"{compared} Micro QR symbols module for module as zint's")
