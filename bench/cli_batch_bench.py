"""The command-line batch against its floor and against segno, on the 1001 default texts.

Each round writes into fresh temporary folders: qrbatch-cli --app-names --jobs 2 (BMP), the
plain C loop that only creates and writes 5,662-byte files under the same names, and segno in
one Python process writing PNGs. Prints the best wall-clock time of each and the ratios.

Usage: /usr/bin/python3 cli_batch_bench.py QRBATCH_CLI QRBATCH_FLOOR DEFAULT_TEXTS [ROUNDS]
"""
import subprocess
import sys
import tempfile
import time

PROGRAM, FLOOR, TEXTS = sys.argv[1:4]
ROUNDS = int(sys.argv[4]) if len(sys.argv) > 4 else 5

SEGNO = """
import os, sys, segno
texts = open(sys.argv[1], "rb").read().decode().split("\\r\\n")[:-1]
for text in texts:
    segno.make(text, error="L", mask=4, micro=False).save(os.path.join(sys.argv[2], text + ".png"), scale=8, border=0)
"""


def timed(command):
    with tempfile.TemporaryDirectory(prefix="qrbench-") as out:
        start = time.perf_counter()
        subprocess.run(command + [out], check=True, capture_output=True)
        return time.perf_counter() - start


def best(command):
    return min(timed(command) for _ in range(ROUNDS))


runs = {
    "qrbatch-cli --jobs 1": best([PROGRAM, "--app-names", "--jobs", "1", TEXTS, "-o"]),
    "qrbatch-cli --jobs 2": best([PROGRAM, "--app-names", "--jobs", "2", TEXTS, "-o"]),
    "floor (C loop)": best([FLOOR, TEXTS]),
    "segno (PNG)": min(timed(["/usr/bin/python3", "-c", SEGNO, TEXTS]) for _ in range(2)),
}
for name, seconds in runs.items():
    print(f"{name:22s} {seconds * 1000:8.1f} ms  {1001 / seconds:9.0f} files/s")
cli = runs["qrbatch-cli --jobs 2"]
print(f"jobs 2 against the floor: {runs['floor (C loop)'] / cli * 100:.0f} % of its rate")
print(f"jobs 2 against segno:     {runs['segno (PNG)'] / cli:.0f} x")
