"""Where a batch's CPU goes, by area: reads `perf script` output of a run recorded with call
graphs (perf record --call-graph dwarf) and gives each sample to the first area found along its
stack, from the function running upwards.

Usage: perf script -i perf.data | /usr/bin/python3 perf_areas.py
"""
import re
import sys

# The first rule matching a frame's function or library names the area; order matters.
AREAS = [
    ("PNG: compression, chunks, packing",
     r"libz\.so|libpng|libdeflate|deflate|adler32|crc32|EncodePng|WritePng|PngChunks|PictureOf|"
     r"PlanFor|WritePlan|AppendToVector|AppendBigEndian"),
    ("mask choice", r"ChooseMask|ScoreMask|ScorePacked|BlockScore|ScoreLines|PackedMatrix|"
     r"ApplyMask|WriteFormatInfo|FindRowEqualities|RunEnd"),
    ("drawing", r"DrawSymbol|DrawPacked|FillBits|IndexCanvas|FillRect|FillClipped|FillSpan|"
     r"PixelCanvas|DrawIndexed"),
    ("encoding (data, Reed-Solomon, placement)",
     r"EncodeSymbol|BuildUnmaskedMatrix|BuildDataCodewords|InterleaveBlocks|ReedSolomon|"
     r"ChooseMode|SelectVersion|BitStream|Remainder|LayOutLine"),
    ("kernel: create, write, close", r"\[kernel|kallsyms|__libc_open|__GI___libc_write|"
     r"__close|__GI___close|openat|flock|linkat|renameat|__GI___fstat"),
]
COMPILED = [(name, re.compile(pattern)) for name, pattern in AREAS]


def area_of(frames):
    for frame in frames:
        for name, pattern in COMPILED:
            if pattern.search(frame):
                return name
    return "other (batch hand-off, names, allocation)"


def main():
    counts = {}
    frames = []
    total = 0

    def flush():
        nonlocal total
        if frames:
            name = area_of(frames)
            counts[name] = counts.get(name, 0) + 1
            total += 1

    for line in sys.stdin:
        if not line.strip():
            flush()
            frames = []
        elif line.startswith((" ", "\t")):
            frames.append(line.strip())
    flush()
    print("| where | share |\n|---|---|")
    for name, _ in AREAS + [("other (batch hand-off, names, allocation)", None)]:
        if name in counts:
            print(f"| {name} | {100 * counts[name] / total:.1f} % |")
    print(f"({total} samples)")


if __name__ == "__main__":
    main()
