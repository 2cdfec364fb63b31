"""The input read as a stream: hundreds of megabytes through standard input under an
address-space limit far below their size."""
import os
import subprocess
import threading

import cli_checks as c
from cli_checks import check, decoded, folder

LIMIT = 256 << 20  # the address space allowed: the program, its threads and their arenas
GOOD = 200
LONG_PER_GOOD = 9
LONG = 150_000  # bytes of each line too long for any symbol
GIANT = 128 << 20  # one line larger than all the rest


def feed(pipe):
    """Writes the input a piece at a time, so the test holds none of it whole."""
    long_line = b"y" * LONG + b"\r\n"
    try:
        for i in range(GOOD):
            pipe.write(f"line {i}\n".encode())
            for _ in range(LONG_PER_GOOD):
                pipe.write(long_line)
            if i == GOOD // 2:
                chunk = b"z" * (1 << 20)
                for _ in range(GIANT // len(chunk)):
                    pipe.write(chunk)
                pipe.write(b"\n")
    finally:
        pipe.close()


def case_stream_memory(tmp):
    out = folder(tmp, "out")
    process = subprocess.Popen([c.PROGRAM, "-", "-o", out, "--jobs", "2"], stdin=subprocess.PIPE,
                               stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                               preexec_fn=c.address_space(LIMIT))
    writer = threading.Thread(target=feed, args=(process.stdin,))
    writer.start()
    stderr = process.stderr.read().decode()
    writer.join()
    code = process.wait(timeout=300)

    lines = GOOD * (1 + LONG_PER_GOOD) + 1
    failed = GOOD * LONG_PER_GOOD + 1
    check(code == 1, f"exit {code}: {stderr[-500:]}")
    messages = stderr.splitlines()
    check(messages[-1] == f'qrbatch-cli: {lines} lines, {GOOD} written, {failed} failed, in '
          f'"{out}" as png', messages[-1])
    check(messages[1] == f"qrbatch-cli: line 3: the text ({LONG} bytes) does not fit version 40 "
          "at level L", messages[1])
    giant = GOOD // 2 * (1 + LONG_PER_GOOD) + LONG_PER_GOOD + 2
    check(f"qrbatch-cli: line {giant}: the text ({GIANT} bytes) does not fit version 40 at "
          "level L" in messages, "the giant line is reported with its length")
    check(len(os.listdir(out)) == GOOD, f"{len(os.listdir(out))} files")
    for i in (0, GOOD // 2, GOOD - 1):
        path = os.path.join(out, f"line {i}.png")
        check(decoded(path) == f"line {i}".encode(), f"line {i} does not decode")
    print(f"{(GOOD * LONG_PER_GOOD * LONG + GIANT) >> 20} MB through standard input in "
          f"{LIMIT >> 20} MB of address space: every line reported, {GOOD} files written")
