"""The command-line batch against its floor and zint, on tmpfs and on ext4, in one run.

Each round runs every command once, in turns (forward in even rounds, backward in odd ones, so
that a drift of the shared machine's speed falls on all alike), each writing into a folder of
its own; the medians over the rounds are printed. The commands:
  - qrbatch-cli with its defaults (PNG, 200 x 200, automatic mask) with two jobs and one job,
    and, given --before, an earlier build of it with two jobs;
  - the floor (bench/batch_floor.c): the same names, each file written with as many bytes as
    qrbatch-cli wrote on average, nothing computed; and the same floor making each file as
    qrbatch-cli does, so that a kill never leaves one half written, on two threads and on one;
  - zint --batch at --scale 4 (the same pixels per module), PNG.
CPU time is the child's own (user + system), from the kernel's accounting at its end.

On ext4, creating files soon after deleting many makes the kernel scan the freed inodes and
slows every writer: all outputs on disk stay until the end of the run and are deleted then.

Then, given --sheet-labels, sheets (a4-3x8) of that many labels, before and after in turns;
and given --memory-lines, the peak memory of one run of that many lines written to standard
output as a tar archive (one stream: no file system, so any number of lines fits).

With five rounds, ext4 holds 2.5 million files at the end, whose deletion takes many minutes
on a busy machine: fewer --rounds or --lines there when time is short.

Usage: /usr/bin/python3 cli_speed_bench.py QRBATCH_CLI QRBATCH_FLOOR [--before OLD_CLI]
           [--lines 100000] [--rounds 5] [--tmpfs /dev/shm] [--disk /var/tmp]
           [--sheet-labels 10000] [--memory-lines 10000000]
"""
import argparse
import os
import shutil
import statistics
import subprocess
import tempfile
import time

parser = argparse.ArgumentParser()
parser.add_argument("program")
parser.add_argument("floor")
parser.add_argument("--before")
parser.add_argument("--lines", type=int, default=100_000)
parser.add_argument("--rounds", type=int, default=5)
parser.add_argument("--tmpfs", default="/dev/shm")
parser.add_argument("--disk", default="/var/tmp")
parser.add_argument("--sheet-labels", type=int, default=0)
parser.add_argument("--memory-lines", type=int, default=0)
args = parser.parse_args()


def run(argv, stdin=None, stdout=subprocess.DEVNULL):
    """Wall seconds, CPU seconds and peak memory (KiB, but at least this process's) of one run."""
    source = open(stdin, "rb") if stdin else subprocess.DEVNULL
    start = time.perf_counter()
    child = subprocess.Popen(argv, stdin=source, stdout=stdout, stderr=subprocess.DEVNULL)
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    if stdin:
        source.close()
    if os.waitstatus_to_exitcode(status) != 0:
        raise RuntimeError(f"{argv} failed: {status}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def serials(folder, count):
    path = os.path.join(folder, f"serials-{count}.txt")
    with open(path, "w") as out:
        for i in range(count):
            out.write(f"SN{i:08d}\n")
    return path


def mean_size(folder):
    with os.scandir(folder) as entries:
        sizes = [entry.stat().st_size for entry in entries]
    return len(sizes), sum(sizes) // max(len(sizes), 1)


def bench_medium(name, root, lines_file, lines):
    keep = name != "tmpfs"  # see the note on ext4 above; tmpfs frees its memory at once
    base = tempfile.mkdtemp(prefix="qrspeed-", dir=root)
    try:
        probe = os.path.join(base, "probe")
        os.mkdir(probe)
        run([args.program, lines_file, "-o", probe, "-q"])
        files, size = mean_size(probe)
        assert files == lines, f"{files} files of {lines}"
        tools = {"qrbatch-cli -j 2": [args.program, lines_file, "-o", "{out}", "-q", "-j", "2"],
                 "qrbatch-cli -j 1": [args.program, lines_file, "-o", "{out}", "-q", "-j", "1"],
                 f"floor ({size} B)": [args.floor, lines_file, "{out}", str(size), ".png"],
                 "zint --batch --scale 4": ["zint", "-b", "QRCODE", "--batch",
                                            "--input=" + lines_file, "--quietzones", "--scale=4",
                                            "-o", "{out}/" + "~" * 8 + ".png"],
                 "kill-safe floor, 2 threads": [args.floor, lines_file, "{out}", str(size), ".png",
                                                "safe", "2"],
                 "kill-safe floor, 1 thread": [args.floor, lines_file, "{out}", str(size), ".png",
                                               "safe", "1"]}
        if args.before:
            tools["before -j 2"] = [args.before, lines_file, "-o", "{out}", "-q", "-j", "2"]
        results = {tool: [] for tool in tools}
        names = list(tools)
        for round_number in range(args.rounds):
            for tool in names if round_number % 2 == 0 else reversed(names):
                out = os.path.join(base, f"{round_number}-{names.index(tool)}")
                os.mkdir(out)
                argv = [part.replace("{out}", out) for part in tools[tool]]
                results[tool].append(run(argv)[:2])
                if not keep:
                    shutil.rmtree(out)
        # Printed before the outputs go: deleting millions of files on ext4 takes long.
        print(f"\n{name} ({root}): {lines} lines, medians of {args.rounds} alternating rounds")
        print(f"  {'command':26s} {'wall s':>8s} {'files/s':>9s} {'CPU us/line':>12s}")
        wall = {t: statistics.median(r[0] for r in results[t]) for t in tools}
        cpu = {t: statistics.median(r[1] for r in results[t]) * 1e6 / lines for t in tools}
        for tool in tools:
            print(f"  {tool:26s} {wall[tool]:8.2f} {lines / wall[tool]:9.0f} {cpu[tool]:12.1f}")
        floor = names[2]
        for tool in [t for t in tools if "j 2" in t]:
            print(f"  {tool}: {cpu[tool] - cpu[floor]:.1f} us of CPU a line beyond the floor's; "
                  f"{wall[floor] / wall[tool]:.2f} of the floor's rate; "
                  f"{wall[names[3]] / wall[tool]:.2f}x zint's rate")
        # The same files made so that a kill leaves none half written, on as many threads: what
        # the file system alone asks of the tool.
        for jobs, safe in ((2, "kill-safe floor, 2 threads"), (1, "kill-safe floor, 1 thread")):
            tool = f"qrbatch-cli -j {jobs}"
            print(f"  {tool}: {cpu[tool] - cpu[safe]:.1f} us of CPU a line beyond the kill-safe "
                  f"floor's on {jobs} thread(s); {wall[safe] / wall[tool]:.2f} of its rate")
    finally:
        shutil.rmtree(base)


def bench_sheets(folder, labels):
    lines_file = serials(folder, labels)
    tools = {"after": args.program}
    if args.before:
        tools["before"] = args.before
    results = {tool: [] for tool in tools}
    for round_number in range(args.rounds):
        for tool in tools if round_number % 2 == 0 else reversed(list(tools)):
            pdf = os.path.join(folder, f"sheet-{tool}.pdf")
            results[tool].append(run([tools[tool], "--sheet", "a4-3x8", lines_file, "-o", pdf]))
    print(f"\nsheets: {labels} labels (a4-3x8), medians of {args.rounds} alternating rounds")
    for tool in tools:
        wall = statistics.median(r[0] for r in results[tool])
        cpu = statistics.median(r[1] for r in results[tool])
        print(f"  {tool:8s} {wall:8.2f} s wall {cpu:8.2f} s CPU")
    if args.before:
        ratio = statistics.median(results["before"][k][0] / results["after"][k][0]
                                  for k in range(args.rounds))
        print(f"  after against before: {ratio:.2f}x faster (median of the paired rounds)")


def main():
    print(f"{os.cpu_count()} cores; load average {os.getloadavg()[0]:.1f} at the start")
    with tempfile.TemporaryDirectory(prefix="qrspeed-input-") as folder:
        lines_file = serials(folder, args.lines)
        bench_medium("tmpfs", args.tmpfs, lines_file, args.lines)
        bench_medium("ext4", args.disk, lines_file, args.lines)
        if args.sheet_labels:
            bench_sheets(folder, args.sheet_labels)
        if args.memory_lines:
            many = serials(folder, args.memory_lines)
            # A child forked from this process starts its peak at this process's size: GNU
            # time's own child does not.
            report = os.path.join(folder, "peak")
            wall, _, _ = run(["/usr/bin/time", "-f", "%M", "-o", report, args.program, many, "-o",
                              "-", "--archive", "tar", "-q"])
            peak = int(open(report).read().split()[-1])
            print(f"\n{args.memory_lines} lines to standard output in {wall:.0f} s: peak memory "
                  f"{peak / 1024:.1f} MB")


if __name__ == "__main__":
    main()
