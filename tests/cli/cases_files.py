"""Where the files go and what is left when things go wrong: -o onto devices, pipes, links and
standard output, for images and sheets; runs killed mid-write and the scratch files they leave;
a file-size limit; names of another format; file systems that refuse a character."""
import fcntl
import os
import random
import resource
import signal
import stat
import subprocess
import threading
import time

from cli_checks import check, decoded, folder, run
import cli_checks

MINUTE_AGO = 120  # seconds back: older than a leftover must be


def scratch_files(path):
    return sorted(n for n in os.listdir(path) if n.startswith(".qrbatch-"))


def run_limited(args, file_size):
    """Exit status and standard error under a file-size limit, the signal at its default."""
    def limit():
        resource.setrlimit(resource.RLIMIT_FSIZE, (file_size, file_size))
    done = subprocess.run([cli_checks.PROGRAM] + args, capture_output=True, timeout=120,
                          preexec_fn=limit, restore_signals=True)
    return done.returncode, done.stderr.decode()


def devices(tmp):
    """A null device, a full one and standard output by a link, as /dev has them. As root, new
    nodes in tmp: a program that wrongly replaced them would otherwise replace the system's."""
    if os.geteuid() != 0:
        return "/dev/null", "/dev/full", "/dev/stdout"
    null, full, stdout = (os.path.join(tmp, n) for n in ("null", "full", "stdout"))
    os.symlink("/proc/self/fd/1", stdout)
    try:
        os.mknod(null, 0o666 | stat.S_IFCHR, os.makedev(1, 3))
        os.mknod(full, 0o666 | stat.S_IFCHR, os.makedev(1, 7))
    except OSError:  # a container without the right to make devices
        print("devices skipped: no right to make device nodes")
        return None, None, stdout
    return null, full, stdout


def case_output_targets(tmp):
    # Devices are written into and stay devices.
    null, full, stdout = devices(tmp)
    code, png, stderr = run(["--text", "to stdout", "-o", stdout], binary=True)
    check(code == 0 and png.startswith(b"\x89PNG") and os.path.islink(stdout), stderr)
    if null:
        code, _, stderr = run(["--text", "hi", "-o", null])
        check(code == 0 and stat.S_ISCHR(os.stat(null).st_mode), f"{null} replaced: {stderr}")
        code, _, stderr = run(["--text", "full", "-o", full])
        check(code == 1 and f'cannot write to "{full}": No space left' in stderr, stderr)
        check(stat.S_ISCHR(os.stat(full).st_mode), f"{full} replaced")

    # A pipe nobody reads is reported at once; one that is read gets the image.
    pipe = os.path.join(tmp, "pipe")
    os.mkfifo(pipe)
    started = time.monotonic()
    code, _, stderr = run(["--text", "hi", "-o", pipe])
    check(code == 2 and "a pipe that nothing reads from" in stderr, stderr)
    check(time.monotonic() - started < 5 and stat.S_ISFIFO(os.stat(pipe).st_mode), "no wait")
    received = []
    reader = threading.Thread(target=lambda: received.append(open(pipe, "rb").read()))
    reader.start()
    time.sleep(0.2)
    code, _, stderr = run(["--text", "through a pipe", "-o", pipe])
    reader.join(10)
    check(code == 0 and received and received[0].startswith(b"\x89PNG"), stderr)
    check(stat.S_ISFIFO(os.stat(pipe).st_mode), "the pipe stays a pipe")

    # A link's target is replaced in its own folder; the link stays.
    elsewhere = folder(tmp, "elsewhere")
    target = os.path.join(elsewhere, "real.png")
    with open(target, "wb") as f:
        f.write(b"old")
    link = os.path.join(tmp, "link.png")
    os.symlink(target, link)
    dangling = os.path.join(tmp, "dangling.svg")
    os.symlink(os.path.join(elsewhere, "new.svg"), dangling)
    for path, text in ((link, b"through a link"), (dangling, b"to a new file")):
        code, _, stderr = run(["--text", text.decode(), "-o", path])
        check(code == 0 and os.path.islink(path), f"{path}: {stderr}")
        check(decoded(os.path.realpath(path)) == text, f"{path}: the target holds the code")
    check(scratch_files(tmp) == [] and scratch_files(elsewhere) == [], "no scratch left")

    # A name of another format is refused before anything is written.
    for name, fmt in (("code.jpg", "png"), ("code.gif", "png"), ("code.svgz", "png"),
                      ("code.png", "svg")):
        code, _, stderr = run(["--text", "x", "-t", fmt, "-o", os.path.join(tmp, name)])
        check(code == 2 and f"but the file holds {fmt}; end it in .{fmt}" in stderr, stderr)
        check(not os.path.exists(os.path.join(tmp, name)), f"{name} written")

    # Sheets: standard output, a device, a link, a name of another format.
    code, pdf, stderr = run(["--sheet", "a4-3x8", "--text", "a", "-o", "-"], binary=True)
    check(code == 0 and pdf.startswith(b"%PDF-") and pdf.rstrip().endswith(b"%%EOF"), stderr)
    check("to standard output" in stderr and not os.path.exists("-"), stderr)
    if null:
        code, _, stderr = run(["--sheet", "a4-3x8", "--text", "a", "-o", null])
        check(code == 0 and stat.S_ISCHR(os.stat(null).st_mode), stderr)
    sheet_target = os.path.join(elsewhere, "labels.pdf")
    sheet_link = os.path.join(tmp, "labels.pdf")
    os.symlink(sheet_target, sheet_link)
    code, _, stderr = run(["--sheet", "a4-3x8", "--text", "a", "-o", sheet_link])
    check(code == 0 and os.path.islink(sheet_link) and os.path.getsize(sheet_target) > 0, stderr)
    code, _, stderr = run(["--sheet", "a4-3x8", "--text", "a", "-o", os.path.join(tmp, "l.png")])
    check(code == 2 and "end it in .pdf" in stderr, stderr)
    print("devices, pipes and standard output written into; links kept; other formats refused")


def case_killed_runs(tmp):
    out = folder(tmp, "out")
    lines = "".join(f"{i}\n" for i in range(40)).encode()
    args = [cli_checks.PROGRAM, "-t", "bmp", "--size", "6000x6000", "-", "-o", out]
    kills = 0
    for _ in range(8):
        process = subprocess.Popen(args, stdin=subprocess.PIPE, stderr=subprocess.DEVNULL)
        process.stdin.write(lines)
        process.stdin.close()
        time.sleep(random.uniform(0.05, 0.6))
        process.send_signal(signal.SIGKILL)
        kills += process.wait() == -signal.SIGKILL
    # Every file under a final name is whole: all have the one size of a 6000 x 6000 BMP.
    sizes = {os.path.getsize(os.path.join(out, n)) for n in os.listdir(out) if n.endswith(".bmp")}
    check(sizes <= {62 + 752 * 6000}, f"part files under final names: {sorted(sizes)[:5]}")
    check(kills > 0, "no run was killed")

    # What the kills left is removed by the next run; what is not ours, or still written, stays.
    left = scratch_files(out)
    for name in (".qrbatch-4242-7.part", ".qrbatch-1234-0.pdf.part"):
        with open(os.path.join(out, name), "wb") as f:
            f.write(b"left by a killed writer")
        left.append(name)
    keep = [".qrbatch-notes.txt", "mine.part", ".qrbatch-held.part", ".qrbatch-fresh.part",
            ".qrbatch-link.part"]
    for name in keep[:4]:
        with open(os.path.join(out, name), "wb") as f:
            f.write(b"keep")
    os.symlink("/etc/hostname", os.path.join(out, keep[4]))
    old = time.time() - MINUTE_AGO
    for name in left + keep[:3]:
        os.utime(os.path.join(out, name), (old, old))
    held = open(os.path.join(out, ".qrbatch-held.part"), "rb")
    fcntl.flock(held, fcntl.LOCK_EX)  # as a writer still at work holds it
    code, _, stderr = run(["--text", "after", "-o", out])
    held.close()
    check(code == 0, stderr)
    remaining = scratch_files(out)
    check(remaining == sorted(n for n in keep if n.startswith(".qrbatch-")),
          f"left {remaining}, removed {sorted(set(left) - set(remaining))}")
    check(os.path.exists(os.path.join(out, "mine.part")), "a user's file stays")

    # The sheet writer cleans its folder the same way.
    stale = os.path.join(tmp, ".qrbatch-99-1.part")
    with open(stale, "wb") as f:
        f.write(b"%PDF-")
    os.utime(stale, (old, old))
    code, _, stderr = run(["--sheet", "a4-3x8", "--text", "a", "-o", os.path.join(tmp, "s.pdf")])
    check(code == 0 and not os.path.exists(stale), stderr)
    print(f"{kills} kills left only whole files; their leftovers removed, others' files kept")


def case_file_size_limit(tmp):
    out = folder(tmp, "out")
    code, stderr = run_limited(["-t", "bmp", "--size", "2000x2000", "--text", "big", "--text",
                                "bigger", "-o", out], 100_000)
    check(code == 1 and stderr.count("File too large") == 2, f"exit {code}: {stderr}")
    check(os.listdir(out) == [], f"left {os.listdir(out)}")
    code, stderr = run_limited(["--text", "small", "-o", os.path.join(out, "s.png")], 100_000)
    check(code == 0 and os.listdir(out) == ["s.png"], stderr)
    sheet = os.path.join(out, "labels.pdf")
    texts = sum((["--text", f"label {i}"] for i in range(200)), [])
    code, stderr = run_limited(["--sheet", "a4-3x8", *texts, "-o", sheet], 20_000)
    check(code == 2 and "File too large" in stderr, f"exit {code}: {stderr}")
    check(os.listdir(out) == ["s.png"], f"left {os.listdir(out)}")
    print("past a file-size limit: reported as a full disk, nothing partial left")


def case_refused_input(tmp):
    full = devices(folder(tmp, "devices"))[1]
    for args in (["--help"], ["-V"]) if full else ():
        with open(full, "wb") as device:
            done = subprocess.run([cli_checks.PROGRAM] + args, stdout=device,
                                  stderr=subprocess.PIPE)
        check(done.returncode == 1 and b"No space left" in done.stderr, f"{args}: {done}")
    target = os.path.join(tmp, "x.png")
    for colours in (["--fg", "#ffffff"], ["--fg", "#123456", "--bg", "#123456"],
                    ["--fg", "transparent", "--bg", "#00000000"]):
        code, _, stderr = run(["--text", "x", *colours, "-o", target])
        check(code == 2 and "cannot be told apart" in stderr, f"{colours}: {stderr}")
    code, _, stderr = run(["--text", "x", "--fg", "#F4F4F4", "-o", os.path.join(tmp, "x.bmp")])
    check(code == 2 and "are both written as #FFFFFF in a BMP file" in stderr, stderr)
    check(not os.path.exists(target), "written")
    print("help into a full device, colours no reader tells apart: refused")


def case_refused_names(tmp):
    # NTFS as Windows keeps it refuses ":", "?" and others in names.
    image = os.path.join(tmp, "ntfs.img")
    mount = folder(tmp, "ntfs")
    with open(image, "wb") as f:
        f.truncate(8 << 20)
    made = subprocess.run(["mkntfs", "-F", "-q", "-f", image], capture_output=True)
    if made.returncode != 0 or subprocess.run(
            ["ntfs-3g", "-o", "windows_names", image, mount], capture_output=True).returncode:
        print("skipped: no NTFS mount here (needs ntfs-3g and FUSE)")
        return
    try:
        code, _, stderr = run(["-", "-o", mount], b"a:b\nok\nwhy?\n")
        check(code == 1 and f'cannot create the file "{mount}/a:b.png": Invalid argument'
              in stderr, stderr)
        check(stderr.splitlines()[-2] == f'qrbatch-cli: hint: the file system of "{mount}" '
              "refused 2 names for a character it does not allow; --name safe turns such "
              "characters into _", stderr)
        code, _, stderr = run(["--name", "safe", "-", "-o", mount], b"a:b\nok\nwhy?\n")
        check(code == 0 and sorted(os.listdir(mount)) == ["a_b.png", "ok.png", "why_.png"],
              f"{stderr} {os.listdir(mount)}")
    finally:
        subprocess.run(["umount", mount], timeout=60)
    print("names NTFS refuses: each reported, then a hint to --name safe, which writes them")
