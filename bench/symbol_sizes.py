#!/usr/bin/env python3
"""Symbol sizes of qrbatch-cli beside qrencode, segno and zint over the mixed corpus, at each
level. Prints the mean version per kind of text and fails when any of our symbols is larger
than a peer's for the same bytes and level, or our mean over all levels is not below that of
each peer that splits less well (zint also finds the shortest split, so it can only be met).

    bench/symbol_sizes.py build/bin/qrbatch-cli bench/corpus/mixed_texts.json

The peers get the same bytes (UTF-8) with their own mode choice: qrencode as it comes (it
splits into modes itself), segno given bytes, zint with --binary (without it zint turns
characters it finds in Shift JIS into Kanji mode, which changes the bytes a reader gets).
"""
import json
import os
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

import segno

LEVELS = "LMQH"


def version_of(side):
    return (side - 17) // 4


def ours(program, texts, level, folder):
    arguments = [program, "-t", "utf8", "--border", "0", "--name", "index", "--verify",
                 "-l", level, "-o", folder, "--mkdir", "-q", "-j", "2"]
    for text in texts:
        arguments += ["--text", text]
    run = subprocess.run(arguments, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit(f"qrbatch-cli failed at level {level}: {run.stderr}")
    sides = []
    for number in range(1, len(texts) + 1):
        with open(os.path.join(folder, f"{number:05d}.txt"), encoding="utf-8") as f:
            rows = len(f.read().splitlines())  # two modules a character row, the last one half
        sides.append(2 * rows - 1)
    return sides


def qrencode(text, level):
    out = subprocess.run(["qrencode", "-l", level, "-t", "ASCII", "-m", "0", "-o", "-", text],
                         capture_output=True, check=True).stdout
    return len(out.splitlines())


def zint(text, level):
    out = subprocess.run(["zint", "-b", "QRCODE", f"--secure={LEVELS.index(level) + 1}",
                          "--binary", "--dump", "-d", text],
                         capture_output=True, check=True).stdout
    return len(out.splitlines())


def segno_side(text, level):
    symbol = segno.make_qr(text.encode("utf-8"), error=level, boost_error=False)
    return symbol.symbol_size(border=0)[0]


def main():
    program, corpus = sys.argv[1], sys.argv[2]
    with open(corpus, encoding="utf-8") as f:
        entries = json.load(f)
    texts = [e["text"] for e in entries]
    kinds = sorted(set(e["kind"] for e in entries), key=[e["kind"] for e in entries].index)
    peers = {"qrencode": qrencode, "segno": segno_side, "zint": zint}
    failures = []
    totals = {}
    print(f"{len(texts)} texts; mean version per kind and level (ours / qrencode / segno / zint)")
    print(f"{'level':5} {'kind':12} {'ours':>6} {'qrencode':>9} {'segno':>6} {'zint':>6}"
          f"  ours smaller than qrencode / segno / zint")
    with tempfile.TemporaryDirectory() as scratch, ThreadPoolExecutor(2) as pool:
        for level in LEVELS:
            sides = {"ours": ours(program, texts, level, os.path.join(scratch, level))}
            for name, measure in peers.items():
                sides[name] = list(pool.map(lambda t: measure(t, level), texts))
            for i, text in enumerate(texts):
                for name in peers:
                    if sides["ours"][i] > sides[name][i]:
                        failures.append(f"{level} {name} {sides[name][i]} < ours "
                                        f"{sides['ours'][i]}: {text!r}")
            for kind in kinds + ["all"]:
                chosen = [i for i, e in enumerate(entries) if kind in ("all", e["kind"])]
                mean = {name: sum(version_of(s[i]) for i in chosen) / len(chosen)
                        for name, s in sides.items()}
                smaller = [sum(sides["ours"][i] < sides[name][i] for i in chosen) for name in peers]
                print(f"{level:5} {kind:12} {mean['ours']:6.3f} {mean['qrencode']:9.3f} "
                      f"{mean['segno']:6.3f} {mean['zint']:6.3f}  "
                      f"{' / '.join(str(n) for n in smaller)} of {len(chosen)}")
                if kind == "all":
                    for name in mean:
                        totals[name] = totals.get(name, 0) + mean[name] / len(LEVELS)
    print("mean over the levels: " + ", ".join(f"{n} {v:.4f}" for n, v in totals.items()))
    for name in peers:
        if totals["ours"] > totals[name] or (name != "zint" and totals["ours"] >= totals[name]):
            failures.append(f"our mean version {totals['ours']:.4f} against {name}'s "
                            f"{totals[name]:.4f}")
    for failure in failures:
        print("FAIL", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
