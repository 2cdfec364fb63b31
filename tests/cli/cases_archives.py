"""One archive instead of a file per line, read back with Python's zipfile and tarfile; runs
killed or stopped by a file-size limit; parts of a run made with --shard, and the recipes of
docs/scale.md run as the engines run them."""
import io
import os
import random
import re
import resource
import signal
import subprocess
import tarfile
import time
import zipfile

import cli_checks as c
from cli_checks import check, folder, read_image, run
from PIL import Image

GBK = "测试".encode("gbk")  # no UTF-8: a tar holds the name, a zip refuses it
TEXTS = [b"hello world", "测试数据".encode(), b"20210706001", GBK]
FILLER = b"".join(b"f%d\n" % i for i in range(150))  # takes a line out of the window in flight
REFUSAL = b'.png": a zip archive holds names in UTF-8, and this one is not (a tar archive holds ' \
    b"any bytes)\n"


def entries(data):
    """(name, bytes) of every entry of a zip's or a tar's bytes, in the archive's order."""
    if data[:2] == b"PK":
        with zipfile.ZipFile(io.BytesIO(data)) as z:
            return [(i.filename.encode(), z.read(i)) for i in z.infolist()]
    with tarfile.open(fileobj=io.BytesIO(data), encoding="utf-8", errors="surrogateescape") as t:
        return [(m.name.encode("utf-8", "surrogateescape"), t.extractfile(m).read()) for m in t]


def files(path):
    path = os.fsencode(path)
    return {n: open(os.path.join(path, n), "rb").read() for n in os.listdir(path)}


def failures(stderr):
    return sorted(l for l in stderr.splitlines() if l.startswith("qrbatch-cli: line "))


def case_archives_read_back(tmp):
    data = b"\n".join(TEXTS) + b"\n"
    run(["-", "-o", folder(tmp, "files"), "-q"], data)
    reference = files(os.path.join(tmp, "files"))
    # (input, arguments, the archive or None for standard output)
    for lines, args, path in [(data[:-len(GBK) - 1], ["-o", tmp + "/c.zip", "-j", "2"], "c.zip"),
                              (data, ["--archive", "tar", "-o", "-"], None),
                              (data, ["--verify", "-j", "1", "--archive", "tar", "-o", tmp + "/v"],
                               "v")]:
        code, stdout, stderr = run(["-"] + args, lines, binary=True)
        got = entries(open(os.path.join(tmp, path), "rb").read() if path else stdout)
        names = [t + b".png" for t in TEXTS][:lines.count(b"\n")]
        check(code == 0 and [n for n, _ in got] == names, f"{args}: {stderr} {got[:1]}")
        for name, content in got:
            with Image.open(io.BytesIO(content)) as image:
                check(content == reference[name] and read_image(image) == name[:-4], name)
    check(stderr.endswith(f'4 written and verified, 0 failed, in "{tmp}/v" as a tar archive of '
                          "png\n"), stderr)
    # A name that is no UTF-8 cannot be a zip's: that line and its repeat far on are reported.
    done = subprocess.run([c.PROGRAM, "-", "-o", tmp + "/c.zip", "-q", "-j", "1"],
                          input=data + FILLER + GBK + b"\n", capture_output=True)
    check(done.stderr == b'qrbatch-cli: line 4: "' + GBK + REFUSAL + b'qrbatch-cli: line 155: "' +
          GBK + REFUSAL and len(entries(open(tmp + "/c.zip", "rb").read())) == 153, done.stderr)
    print("zip, tar and a tar to a pipe read back, each entry the file and decoded")


def case_archive_clashes(tmp):
    data = b"a:b\na?b\na:b\n" + FILLER + b"a:b\na*b\n"
    # The archive's messages are the folder's, and a name is one entry however often it comes.
    for naming, jobs, clashes in ((["--name", "safe"], "1", 2), (["--name", "safe"], "2", 2),
                                  ([], "1", 0)):
        out = folder(tmp, f"{len(naming)}-{jobs}")
        _, _, by_file = run(["-", "-o", out, "-j", jobs] + naming, data)
        code, _, stderr = run(["-", "-o", out + ".zip", "-j", jobs] + naming, data)
        got = entries(open(out + ".zip", "rb").read())
        check(failures(stderr) == failures(by_file) and dict(got) == files(out), stderr)
        check(code == (clashes > 0) and len(got) == 153 - clashes == len(dict(got)), len(got))
        check(failures(stderr) == [f'qrbatch-cli: line {n}: the file name "a_b.png" is already '
                                   "line 1's" for n in (155, 2)][:clashes], stderr)
    print("clashes between entries reported as between files; one entry a name")


def case_archive_faults(tmp):
    out, lines = folder(tmp, "out"), os.path.join(tmp, "lines.txt")
    open(lines, "w").write("".join(f"{i}\n" for i in range(40)))
    old = os.path.join(out, "codes.tar")
    run(["--text", "old", "--text", "archive", "-o", old])
    old_bytes = open(old, "rb").read()
    big = [c.PROGRAM, "-t", "bmp", "--size", "6000x6000", lines, "-o"]
    # Killed: the older archive stays whole, a new name gets none; only scratch files are left.
    for name, before in (("codes.tar", old_bytes), ("new.zip", None)):
        kills = 0
        for _ in range(6):
            process = subprocess.Popen(big + [os.path.join(out, name)], stderr=subprocess.DEVNULL)
            time.sleep(random.uniform(0.1, 0.8))
            process.send_signal(signal.SIGKILL)
            kills += process.wait() == -signal.SIGKILL
        path = os.path.join(out, name)
        check(kills > 0 and (open(path, "rb").read() if os.path.exists(path) else None) == before,
              f"{name} after {kills} kills")
        check(all(re.fullmatch(r"codes\.tar|\.qrbatch-.*\.part", n) for n in os.listdir(out)), out)
        for n in os.listdir(out):
            if n.endswith(".part"):
                os.unlink(os.path.join(out, n))
    # A file-size limit: every line from there on reported, the older archive kept, no scratch.
    limit = (8 << 20, 8 << 20)
    done = subprocess.run(big + [old, "-j", "1"], capture_output=True, timeout=120,
                          preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_FSIZE, limit))
    said = done.stderr.decode().splitlines()
    check(done.returncode == 1 and re.fullmatch(
        r'.*line 2: cannot add "1\.bmp" to ".*": Write error: File too large', said[0]), said[:2])
    check(said[-2:] == [f'qrbatch-cli: cannot write "{old}": Write error: File too large',
                        f'qrbatch-cli: 40 lines, 0 written, 40 failed, in "{old}" as a tar '
                        "archive of bmp"], said[-2:])
    check(open(old, "rb").read() == old_bytes and os.listdir(out) == ["codes.tar"], "kept")
    print("kills leave the older archive or none; a size limit is reported")


def case_archive_memory(tmp):
    # 60 images of 4.5 MB wait for their turn in the archive in 256 MB of address space.
    lines = os.path.join(tmp, "lines.txt")
    open(lines, "w").write("".join(f"{i}\n" for i in range(60)))
    done = subprocess.run([c.PROGRAM, "-t", "bmp", "--size", "6000x6000", lines, "-j", "2", "-o",
                           tmp + "/big.tar"], capture_output=True, timeout=300,
                          preexec_fn=c.address_space(256 << 20))
    check(done.returncode == 0 and len(entries(open(tmp + "/big.tar", "rb").read())) == 60,
          done.stderr.decode()[-300:])
    print("60 images of 4.5 MB into a tar in 256 MB of address space")

    # An archive keeps every name it has given out, for clashes: ten times the lines may not
    # take more memory than a page table's worth.
    def peak_kib(count):
        lines = os.path.join(tmp, f"serials-{count}.txt")
        open(lines, "w").write("".join(f"SN{i:08d}\n" for i in range(count)))
        peak = os.path.join(tmp, "peak")
        # GNU time's child is its own, not a fork of this large test process: its peak is its.
        done = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak, c.PROGRAM, lines, "-o",
                               "-", "--archive", "tar", "-q"], stdout=subprocess.DEVNULL)
        check(done.returncode == 0, f"{count} lines: status {done.returncode}")
        return int(open(peak).read().split()[-1])
    few, many = peak_kib(30_000), peak_kib(300_000)
    check(many - few < 4096, f"30,000 names: {few} KiB at the peak, 300,000: {many} KiB")
    print(f"names of an archive: {few} KiB at the peak with 30,000 lines, {many} KiB with 300,000")

    # Temporary files that stop taking bytes at 256 KB (the archive goes to a pipe, which the
    # limit does not touch): the table stays in memory and still knows every name.
    lines = os.path.join(tmp, "repeat.txt")
    open(lines, "w").write("".join(f"SN{i:08d}\n" for i in range(100_000)) +
                           "".join(f"SN{i:08d}\n" for i in range(7, 100_000, 1000)))
    limit = (256 << 10, 256 << 10)
    done = subprocess.run([c.PROGRAM, lines, "-o", "-", "--archive", "tar", "-q"],
                          capture_output=True, timeout=300,
                          preexec_fn=lambda: resource.setrlimit(resource.RLIMIT_FSIZE, limit))
    names = [name for name, _ in entries(done.stdout)]
    check(done.returncode == 0 and len(names) == 100_000 and len(set(names)) == 100_000,
          f"status {done.returncode}, {len(names)} entries: {done.stderr.decode()[-300:]}")
    print("with temporary files limited to 256 KB, 100,000 names and 100 repeats: one entry a name")


def shard_input():
    """Repeats near and far, texts one safe name stands for, lines too long; TSV names twice."""
    rng, lines = random.Random(21), []
    for i in range(170):
        pick = rng.random()
        lines.append(rng.choice(lines) if pick < 0.12 and lines else
                     f"a{rng.choice(':?*')}b{rng.randint(0, 4)}" if pick < 0.25 else
                     "x" * 3000 if pick < 0.27 else f"t{i}")
    return ("".join(l + "\n" for l in lines).encode(),
            "".join(f"n{sum(l.encode()) % 97}\t{l}\n" for l in lines).encode())


def case_shards_union(tmp):
    plain, tsv = shard_input()
    for what, naming, data in (("line", [], plain), ("safe", ["--name", "safe"], plain),
                               ("index", ["--name-format", "c%04d"], plain),
                               ("tsv", ["--input-format", "tsv"], tsv)):
        _, _, stderr = run(["-", "-o", folder(tmp, what), "-q", "-j", "2"] + naming, data)
        expected = (files(os.path.join(tmp, what)), failures(stderr))
        for shards, tar in ((4, False), (3, True)):
            union, said = {}, []
            for k in range(shards):
                out = tmp + f"/{what}-{k}.tar" if tar else folder(tmp, f"{what}{k}{shards}")
                _, _, stderr = run(["-", "-o", out, "-q", "-j", str(1 + k % 2), "--shard",
                                    f"{k}/{shards}"] + naming, data)
                part = dict(entries(open(out, "rb").read())) if tar else files(out)
                check(not set(part) & set(union), f"{what}: shards overlap")
                union.update(part)
                said += failures(stderr)
            check((union, sorted(said)) == expected, f"{what}, {shards} shards: "
                  f"{sorted(set(union) ^ set(expected[0]))[:4]} {set(said) ^ set(expected[1])}")
        print(f"{what}: {len(expected[0])} files, {len(expected[1])} failures from the shards")


def recipe(name):
    """The block of docs/scale.md marked <!-- tested: name -->."""
    doc = open(os.path.join(os.path.dirname(c.DEFAULT_TEXTS), "..", "docs", "scale.md")).read()
    found = re.search(f"<!-- tested: {name} -->\\s*```sh\\n(.*?)```", doc, re.S)
    check(found, f"no recipe {name} in docs/scale.md")
    return found.group(1)


def case_parallel_recipe(tmp):
    work, (plain, _) = folder(tmp, "work"), shard_input()
    open(os.path.join(work, "lines.txt"), "wb").write(plain)
    env = dict(os.environ, PATH=os.path.dirname(os.path.abspath(c.PROGRAM)) + ":" +
               os.environ["PATH"])
    for name, naming in (("one-machine", []), ("one-machine-shards", ["--name", "safe"])):
        run([os.path.join(work, "lines.txt"), "-o", folder(tmp, name), "-q"] + naming)
        check(" -j4 " in recipe(name), f"{name}: four job slots")
        subprocess.run(["sh", "-c", recipe(name)], cwd=work, env=env, timeout=300)
        got, expected = files(os.path.join(work, "codes")), files(os.path.join(tmp, name))
        check(got == expected, f"{name}: {len(got)} files, the single run {len(expected)}")
        subprocess.run(["rm", "-r", os.path.join(work, "codes")], check=True)
        print(f"{name}: GNU parallel on four job slots gives the single run's {len(got)} files")
