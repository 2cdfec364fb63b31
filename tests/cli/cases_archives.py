"""One archive instead of a file per line (-o x.zip, -o x.tar, --archive), read back with
Python's zipfile and tarfile; runs killed or stopped by a file-size limit; parts of a run made
with --shard, and the recipe of docs/scale.md for GNU parallel."""
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

GBK = "测试".encode("gbk")  # no UTF-8: a tar holds it, a zip refuses it
TEXTS = [b"hello world", "测试数据".encode(), b"20210706001", b"MIXED Case 123", GBK]
ZIP_REFUSAL = ("a zip archive holds names in UTF-8, and this one is not (a tar archive holds "
               "any bytes)")


def entries(data):
    """(name, bytes) of every entry of a zip or tar archive's bytes, in the archive's order."""
    if data[:2] == b"PK":
        with zipfile.ZipFile(io.BytesIO(data)) as z:
            return [(i.filename.encode(), z.read(i)) for i in z.infolist()]
    with tarfile.open(fileobj=io.BytesIO(data), encoding="utf-8",
                      errors="surrogateescape") as t:
        return [(m.name.encode("utf-8", "surrogateescape"), t.extractfile(m).read())
                for m in t.getmembers()]


def files(path):
    """name -> bytes of every file in a folder."""
    path = os.fsencode(path)
    return {n: open(os.path.join(path, n), "rb").read() for n in os.listdir(path)}


def decoded_bytes(data):
    with Image.open(io.BytesIO(data)) as image:
        return read_image(image)


def failures(stderr):
    """The lines' own messages, without the summary."""
    return sorted(l for l in stderr.splitlines() if l.startswith("qrbatch-cli: line "))


def case_archives_read_back(tmp):
    data = b"\n".join(TEXTS) + b"\n"
    code, _, stderr = run(["-", "-o", folder(tmp, "files"), "-q"], data)
    check(code == 0, stderr)
    reference = files(os.path.join(tmp, "files"))
    order = [t + b".png" for t in TEXTS]
    utf8 = b"\n".join(TEXTS[:-1]) + b"\n"
    zipped = os.path.join(tmp, "codes.zip")
    # (what, input, arguments, archive path or None for standard output)
    table = [
        ("zip by name", utf8, ["-o", zipped], zipped),
        ("zip by option, 1 job", utf8, ["--archive", "zip", "-o", tmp + "/z", "-j", "1"],
         tmp + "/z"),
        ("tar by name", data, ["-o", tmp + "/codes.TAR"], tmp + "/codes.TAR"),
        ("tar to a pipe", data, ["--archive", "tar", "-o", "-"], None),
        ("tar, verified", data, ["--verify", "-j", "2", "-o", tmp + "/v.tar"], tmp + "/v.tar"),
    ]
    for what, lines, args, path in table:
        code, stdout, stderr = run(["-"] + args, lines, binary=True)
        check(code == 0, f"{what}: exit {code}: {stderr}")
        got = entries(open(path, "rb").read() if path else stdout)
        check([n for n, _ in got] == order[:lines.count(b"\n")],
              f"{what}: entries {[n for n, _ in got]}")
        for name, content in got:
            check(content == reference[name], f"{what}: {name!r} differs from the file")
            check(decoded_bytes(content) == name[:-4], f"{what}: {name!r} does not decode")
    check(stderr.splitlines()[-1] == f'qrbatch-cli: 5 lines, 5 written and verified, 0 failed, '
          f'in "{tmp}/v.tar" as a tar archive of png', stderr)

    # A name that is no UTF-8 cannot be a zip's: the line is reported, and so is its repeat long
    # after; the others go in.
    filler = b"".join(b"f%d\n" % i for i in range(150))
    done = subprocess.run([c.PROGRAM, "-", "-o", zipped, "-q", "-j", "1"],
                          input=data + filler + GBK + b"\n", capture_output=True)
    refusal = b'.png": ' + ZIP_REFUSAL.encode() + b"\n"
    check(done.returncode == 1 and done.stderr == b'qrbatch-cli: line 5: "' + GBK + refusal +
          b'qrbatch-cli: line 156: "' + GBK + refusal, done.stderr)
    check(len(entries(open(zipped, "rb").read())) == 4 + 150, "the others")

    # Other formats are deflated in a zip; their entries are the files byte for byte.
    for fmt in ("svg", "bmp", "utf8"):
        code, _, stderr = run(["-", "-t", fmt, "-o", folder(tmp, fmt), "-q"], data[:12])
        archive = os.path.join(tmp, fmt + ".zip")
        code, _, stderr = run(["-", "-t", fmt, "-o", archive, "-q"], data[:12])
        check(code == 0, stderr)
        with zipfile.ZipFile(archive) as z:
            check(z.infolist()[0].compress_type == zipfile.ZIP_DEFLATED, f"{fmt} deflated")
        check(dict(entries(open(archive, "rb").read())) == files(os.path.join(tmp, fmt)), fmt)
    print(f"{len(table)} archive runs read back by zipfile and tarfile, every entry decoded")


def case_archive_clashes(tmp):
    filler = [f"f{i}".encode() for i in range(150)]  # takes the first line out of the window
    lines = [b"a:b", b"a?b", b"a:b"] + filler + [b"a:b", b"a*b"]
    data = b"\n".join(lines) + b"\n"
    # The folder run's messages are the archive's, and a name is one entry however often its
    # line comes back, in the window of lines in flight or long after.
    for naming in (["--name", "safe"], []):
        for jobs in ("1", "2"):
            out = folder(tmp, f"files{len(naming)}-{jobs}")
            code, _, by_file = run(["-", "-o", out, "-j", jobs] + naming, data)
            archive = os.path.join(tmp, f"codes{len(naming)}-{jobs}.zip")
            code, _, stderr = run(["-", "-o", archive, "-j", jobs] + naming, data)
            check(failures(stderr) == failures(by_file), f"{naming} -j{jobs}: {stderr}")
            got = entries(open(archive, "rb").read())
            names = [n for n, _ in got]
            check(len(names) == len(set(names)), f"{naming} -j{jobs}: an entry twice")
            check(dict(got) == files(out), f"{naming} -j{jobs}: the entries are not the files")
            clashes = 2 if naming else 0
            check(code == (1 if clashes else 0) and len(names) == len(lines) - 2 - clashes,
                  f"{naming} -j{jobs}: exit {code}, {len(names)} entries")
    check(failures(stderr) == [], stderr)
    code, _, stderr = run(["-", "--name", "safe", "-o", os.path.join(tmp, "c.tar")], data)
    check(failures(stderr) == [
        'qrbatch-cli: line 155: the file name "a_b.png" is already line 1\'s',
        'qrbatch-cli: line 2: the file name "a_b.png" is already line 1\'s'], stderr)
    check(stderr.splitlines()[-1] == f'qrbatch-cli: {len(lines)} lines, {len(lines) - 2} '
          f'written, 2 failed, in "{tmp}/c.tar" as a tar archive of png', stderr)
    print("clashes between entries reported as between files; one entry a name")


def kill_runs(args, count, wait):
    """Starts and kills the run count times, each at a random moment; how many were killed."""
    kills = 0
    for _ in range(count):
        process = subprocess.Popen([c.PROGRAM] + args, stdin=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        time.sleep(random.uniform(*wait))
        process.send_signal(signal.SIGKILL)
        kills += process.wait() == -signal.SIGKILL
    return kills


def case_archive_faults(tmp):
    lines = os.path.join(tmp, "lines.txt")
    with open(lines, "w") as f:
        f.write("".join(f"{i}\n" for i in range(40)))
    out = folder(tmp, "out")
    old = os.path.join(out, "codes.tar")
    code, _, stderr = run(["--text", "old", "--text", "archive", "-o", old])
    check(code == 0, stderr)
    old_bytes = open(old, "rb").read()
    big = ["-t", "bmp", "--size", "6000x6000", lines]

    # Killed mid-run: the older archive stays whole, a new name gets none; only scratch files
    # are left beside them, for a later run to remove.
    for name, before in (("codes.tar", old_bytes), ("new.zip", None)):
        kills = kill_runs(big + ["-o", os.path.join(out, name)], 6, (0.1, 0.8))
        check(kills > 0, "no run was killed")
        path = os.path.join(out, name)
        now = open(path, "rb").read() if os.path.exists(path) else None
        check(now == before, f"{name} after {kills} kills: {None if now is None else len(now)}")
        others = [n for n in os.listdir(out) if n != "codes.tar"]
        check(all(n.startswith(".qrbatch-") and n.endswith(".part") for n in others), others)

    # A file-size limit stops the archive: every line from there on is reported, the older
    # archive stays and no scratch file is left.
    def limit():
        resource.setrlimit(resource.RLIMIT_FSIZE, (8 << 20, 8 << 20))
    for n in os.listdir(out):
        if n.endswith(".part"):
            os.unlink(os.path.join(out, n))
    done = subprocess.run([c.PROGRAM] + big + ["-o", old, "-j", "1"], capture_output=True,
                          preexec_fn=limit, timeout=120)
    stderr = done.stderr.decode()
    check(done.returncode == 1, f"exit {done.returncode}: {stderr[-300:]}")
    check(re.search(r"line 2: cannot add \"1\.bmp\" to \".*codes\.tar\": .*File too large",
                    stderr), stderr[:400])
    check(stderr.splitlines()[-2].startswith(f'qrbatch-cli: cannot write "{old}": '), stderr)
    check(stderr.splitlines()[-1] == f'qrbatch-cli: 40 lines, 0 written, 40 failed, in "{old}" '
          "as a tar archive of bmp", stderr.splitlines()[-1])
    check(open(old, "rb").read() == old_bytes and os.listdir(out) == ["codes.tar"],
          os.listdir(out))
    print("kills leave the older archive or none; a size limit is reported")


def case_archive_memory(tmp):
    # The images wait for their turn in the archive in flat memory: 60 images of 4.5 MB on
    # two jobs in an address space of 256 MB.
    def cap():
        resource.setrlimit(resource.RLIMIT_AS, (256 << 20, 256 << 20))
    lines = os.path.join(tmp, "lines.txt")
    with open(lines, "w") as f:
        f.write("".join(f"{i}\n" for i in range(60)))
    args = ["-t", "bmp", "--size", "6000x6000", lines, "-o", os.path.join(tmp, "big.tar")]
    done = subprocess.run([c.PROGRAM] + args + ["-j", "2"], capture_output=True,
                          preexec_fn=cap, timeout=300)
    check(done.returncode == 0, done.stderr.decode()[-300:])
    with tarfile.open(os.path.join(tmp, "big.tar")) as t:
        check(len(t.getmembers()) == 60, "60 entries")
    print("60 images of 4.5 MB into a tar in 256 MB of address space")


def shard_input():
    """Lines whose names meet across shards: repeats near and far, texts that one safe name
    stands for, TSV names given twice."""
    rng = random.Random(21)
    lines = []
    for i in range(170):
        pick = rng.random()
        if pick < 0.12 and lines:
            lines.append(rng.choice(lines))
        elif pick < 0.25:
            lines.append(f"a{rng.choice(':?*')}b{rng.randint(0, 4)}")
        elif pick < 0.27:
            lines.append("x" * 3000)  # too long for any symbol
        else:
            lines.append(f"t{i}")
    plain = "".join(l + "\n" for l in lines).encode()
    tsv = "".join(f"n{sum(l.encode()) % 97}\t{l}\n" for l in lines).encode()
    return plain, tsv


def case_shards_union(tmp):
    plain, tsv = shard_input()
    table = [("line", [], plain), ("safe", ["--name", "safe"], plain),
             ("index", ["--name-format", "c%04d"], plain),
             ("tsv", ["--input-format", "tsv"], tsv)]
    for what, naming, data in table:
        whole = folder(tmp, what)
        _, _, stderr = run(["-", "-o", whole, "-q", "-j", "2"] + naming, data)
        expected, expected_failures = files(whole), failures(stderr)
        for shards, output in ((4, "folder"), (3, "tar")):
            union, union_failures = {}, []
            for k in range(shards):
                if output == "folder":
                    out = folder(tmp, f"{what}-{shards}-{k}")
                else:
                    out = os.path.join(tmp, f"{what}-{k}.tar")
                args = ["-", "-o", out, "-q", "-j", str(1 + k % 2), "--shard", f"{k}/{shards}"]
                _, _, stderr = run(args + naming, data)
                part = files(out) if output == "folder" else dict(entries(open(out, "rb").read()))
                check(not set(part) & set(union), f"{what}: shards overlap: {set(part) & set(union)}")
                union.update(part)
                union_failures += failures(stderr)
            check(union == expected, f"{what}, {shards} shards into {output}: "
                  f"{len(union)} files, the whole run {len(expected)}; "
                  f"{sorted(set(union) ^ set(expected))[:4]}")
            check(sorted(union_failures) == expected_failures,
                  f"{what}: {sorted(set(union_failures) ^ set(expected_failures))[:4]}")
        print(f"{what}: {len(expected)} files and {len(expected_failures)} failures, "
              "the union of the shards")


def tested_recipe(name, language="sh"):
    """The lines of the docs/scale.md block marked <!-- tested: name -->."""
    doc = open(os.path.join(os.path.dirname(c.DEFAULT_TEXTS), "..", "docs", "scale.md")).read()
    found = re.search(r"<!-- tested: " + name + r" -->\s*```" + language + r"\n(.*?)```", doc,
                      re.S)
    check(found, f"no recipe {name} in docs/scale.md")
    return found.group(1)


def unpacked(work, pattern):
    """name -> bytes of every entry of the archives whose names match, as a merge unpacks them."""
    merged = {}
    for name in sorted(os.listdir(work)):
        if re.fullmatch(pattern, name):
            merged.update(entries(open(os.path.join(work, name), "rb").read()))
            os.unlink(os.path.join(work, name))
    return merged


def case_parallel_recipe(tmp):
    import yaml
    plain, _ = shard_input()
    work = folder(tmp, "work")
    with open(os.path.join(work, "lines.txt"), "wb") as f:
        f.write(plain)
    single = {}
    for naming in ([], ["--name", "safe"]):
        out = folder(tmp, f"single{len(naming)}")
        code, _, _ = run([os.path.join(work, "lines.txt"), "-o", out, "-q"] + naming)
        single[len(naming) > 0] = files(out)
        check(code == 1 and len(single[len(naming) > 0]) > 100, f"the single run: exit {code}")
    env = dict(os.environ, PATH=os.path.dirname(os.path.abspath(c.PROGRAM)) + ":" +
               os.environ["PATH"], HOME=tmp)

    def sh(script, extra={}):
        return subprocess.run(["sh", "-c", script], cwd=work, env=dict(env, **extra),
                              timeout=300, capture_output=True)

    for name in ("one-machine", "one-machine-shards"):
        recipe = tested_recipe(name)
        check(" -j4 " in recipe, f"{name}: four job slots")
        done = sh(recipe)
        got = files(os.path.join(work, "codes"))
        expected = single["--name safe" in recipe]
        check(got == expected, f"{name}: {len(got)} files, the single run {len(expected)}; "
              f"{sorted(set(got) ^ set(expected))[:4]}; {done.stderr.decode()[-300:]}")
        subprocess.run(["rm", "-r", os.path.join(work, "codes")], check=True)

    # Slurm runs the script once a task, with the array's variables set.
    script = tested_recipe("slurm")
    first, last = map(int, re.search(r"--array=(\d+)-(\d+)\n", script).groups())
    for task in range(first, last + 1):
        sh(script, {"SLURM_ARRAY_TASK_ID": str(task), "SLURM_ARRAY_TASK_MIN": str(first),
                    "SLURM_ARRAY_TASK_COUNT": str(last - first + 1), "SLURM_CPUS_PER_TASK": "1"})
    got = unpacked(work, r"codes-\d+\.tar")
    check(got == single[False], f"slurm: {len(got)} files, the single run {len(single[False])}")

    # Kubernetes runs the container's command once an index.
    job = yaml.safe_load(tested_recipe("kubernetes", "yaml"))["spec"]
    container = job["template"]["spec"]["containers"][0]
    check(job["completionMode"] == "Indexed" and container["command"] == ["sh", "-c"], job)
    for index in range(job["completions"]):
        sh(container["args"][0], {"JOB_COMPLETION_INDEX": str(index)})
    got = unpacked(work, r"codes-\d+\.tar")
    check(got == single[False], f"kubernetes: {len(got)} files, the single run {len(single[False])}")
    print(f"GNU parallel on four job slots, the Slurm array and the Indexed Job give the single "
          f"run's {len(single[False])} files")
