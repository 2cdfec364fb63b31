"""The command-line batch beside other QR tools and its floor, in one run.

On the 1001 default texts and on 100,000 generated lines, each round writes into fresh
temporary folders, one tool after the other:
  - qrbatch-cli with its defaults (PNG, 200 x 200, automatic mask) on every core;
  - the floor: a plain C loop that only creates and writes files of the size qrbatch-cli wrote
    on average, under the same names;
  - zint --batch (PNG, 6 pixels a module, quiet zones);
  - qrencode called once per line from a shell loop (PNG, 6 pixels a module): each call is a
    process, so on 100,000 lines it runs on the first 5,000 and its rate stands for the rest;
  - segno in one Python process (PNG), on the default texts only.
Prints the best wall-clock time of each, the files per second, and qrbatch-cli's rate against
each. Then qrbatch-cli once on 1,000,000 lines: its time and peak memory (maximum resident set,
through GNU time).

Usage: /usr/bin/python3 cli_batch_bench.py QRBATCH_CLI QRBATCH_FLOOR DEFAULT_TEXTS [ROUNDS]
                                            [--no-million]
"""
import os
import subprocess
import sys
import tempfile
import time

args = [a for a in sys.argv[1:] if not a.startswith("--")]
PROGRAM, FLOOR, TEXTS = args[:3]
ROUNDS = int(args[3]) if len(args) > 3 else 3
MILLION = "--no-million" not in sys.argv
QRENCODE_SAMPLE = 5000

QRENCODE_LOOP = """
while IFS= read -r line; do
  line=${line%$'\\r'}
  qrencode -s 6 -m 4 -o "$1/$line.png" -- "$line"
done
"""

SEGNO = """
import os, sys, segno
texts = open(sys.argv[1], "rb").read().decode().split("\\r\\n")[:-1]
for text in texts:
    segno.make(text, error="L", micro=False).save(os.path.join(sys.argv[2], text + ".png"),
                                                   scale=6, border=4)
"""


def run_in_fresh_folder(command, stdin=None):
    """Seconds taken, files written and their bytes."""
    with tempfile.TemporaryDirectory(prefix="qrbench-") as out:
        argv = [part.replace("{out}", out) for part in command]
        source = open(stdin, "rb") if stdin else subprocess.DEVNULL
        start = time.perf_counter()
        child = subprocess.Popen(argv, stdin=source, stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL)
        status = child.wait()
        seconds = time.perf_counter() - start
        if stdin:
            source.close()
        if status != 0:
            raise RuntimeError(f"{argv[0]} failed: {status}")
        with os.scandir(out) as entries:
            sizes = [entry.stat().st_size for entry in entries]
        return seconds, len(sizes), sum(sizes)


def generated_lines(folder, count):
    path = os.path.join(folder, f"{count}.txt")
    with open(path, "w") as lines:
        for i in range(count):
            lines.write(f"product {i:07d} lot {(i * 7919) % 100000:05d}\n")
    return path


def first_lines(folder, path, count):
    sample = os.path.join(folder, f"first-{count}.txt")
    with open(path, "rb") as source, open(sample, "wb") as out:
        for _ in range(count):
            out.write(source.readline())
    return sample


def bench(title, texts, lines, folder):
    cli = [PROGRAM, texts, "-o", "{out}", "-q"]
    _, files, size = run_in_fresh_folder(cli)
    assert files == lines, f"qrbatch-cli wrote {files} of {lines} files"
    mean = size // files
    sample = texts if lines <= QRENCODE_SAMPLE else first_lines(folder, texts, QRENCODE_SAMPLE)
    sampled = min(lines, QRENCODE_SAMPLE)
    tools = {
        "qrbatch-cli": (cli, lines, None),
        f"floor ({mean}-byte files)": ([FLOOR, texts, "{out}", str(mean), ".png"], lines, None),
        "zint --batch": (["zint", "-b", "QRCODE", "--batch", "--input=" + texts, "--quietzones",
                          "--scale=3", "-o", "{out}/" + "~" * 7 + ".png"], lines, None),
        f"qrencode loop ({sampled} lines)": (["bash", "-c", QRENCODE_LOOP, "loop", "{out}"],
                                            sampled, sample),
    }
    if lines <= 1001:
        tools["segno (one process)"] = (["/usr/bin/python3", "-c", SEGNO, texts, "{out}"], lines,
                                        None)
    best = {name: float("inf") for name in tools}
    for round_number in range(ROUNDS):
        for name, (command, count, stdin) in tools.items():
            if round_number > 0 and name.startswith("qrencode") and lines > QRENCODE_SAMPLE:
                continue  # a process per line: one round says enough
            seconds = run_in_fresh_folder(command, stdin)[0]
            best[name] = min(best[name], seconds)
    print(f"\n{title}: {lines} lines, best of {ROUNDS} rounds")
    rates = {name: tools[name][1] / best[name] for name in tools}
    for name in tools:
        print(f"  {name:30s} {best[name]:9.2f} s {rates[name]:10.0f} files/s")
    cli_rate = rates["qrbatch-cli"]
    for name in tools:
        if name != "qrbatch-cli":
            print(f"  qrbatch-cli against {name:30s} {cli_rate / rates[name]:6.2f} x its rate")


def main():
    print(f"{os.cpu_count()} cores; load average {os.getloadavg()[0]:.1f} at the start")
    with tempfile.TemporaryDirectory(prefix="qrbench-input-") as folder:
        bench("The default texts", TEXTS, 1001, folder)
        bench("Generated lines", generated_lines(folder, 100_000), 100_000, folder)
        if MILLION:
            million = generated_lines(folder, 1_000_000)
            # Through GNU time: a child forked from Python counts Python's pages as its own.
            peak_file = os.path.join(folder, "peak")
            seconds, files, _ = run_in_fresh_folder(
                ["/usr/bin/time", "-f", "%M", "-o", peak_file, PROGRAM, million, "-o", "{out}",
                 "-q"])
            peak = int(open(peak_file).read().split()[-1])
            print(f"\nqrbatch-cli on 1,000,000 lines: {files} files in {seconds:.1f} s, "
                  f"{files / seconds:.0f} files/s, peak memory {peak / 1024:.1f} MB")


if __name__ == "__main__":
    main()
