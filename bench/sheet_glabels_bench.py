"""1,000 labels with captions on Avery L7160 sheets: qrbatch-cli --sheet beside glabels-3-batch
(Debian glabels) merging the same CSV into the same sheet, each code with a caption under it.
CPU time (user + system) of the best of three runs, and the ratio.

Usage: sheet_glabels_bench.py QRBATCH_CLI [LABELS]   (needs Debian glabels, not installed by setup)
"""
import os
import shutil
import resource
import subprocess
import sys
import tempfile

PROGRAM = sys.argv[1]
LABELS = int(sys.argv[2]) if len(sys.argv) > 2 else 1000

# The glabels document: the L7160 grid, a QR code of the first column, the second under it.
GLABELS = """<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Avery" part="L7160" size="A4" description="Mailing labels">
    <Label-rectangle id="0" width="180pt" height="108pt" round="0pt" x_waste="0pt" y_waste="0pt">
      <Layout nx="3" ny="7" x0="20.4pt" y0="42.9pt" dx="187.2pt" dy="108pt"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-barcode a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" x="54pt" y="4pt" w="72pt"
        h="72pt" style="IEC18004" backend="libqrencode" field="1" text="False"
        checksum="True" color="0x000000ff"/>
    <Object-text a0="1" a1="0" a2="0" a3="1" a4="0" a5="0" x="4pt" y="80pt" w="172pt"
        h="20pt" justify="Center" valign="Top" auto_shrink="True">
      <Span font_family="Sans" font_size="8" font_weight="Regular" font_italic="False"
          color="0x000000ff" line_spacing="1"><Field name="2"/></Span>
    </Object-text>
  </Objects>
  <Merge type="Text/Comma" src="{src}"/>
</Glabels-document>
"""


def cpu_seconds(args):
    """The child's user and system time, from its own rusage."""
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    subprocess.run(args, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    return (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)


def main():
    with tempfile.TemporaryDirectory() as tmp:
        rows = [(f"https://inventory.example.com/item/{i:06d}", f"Item {i:06d}")
                for i in range(LABELS)]
        csv = os.path.join(tmp, "data.csv")
        with open(csv, "w") as f:
            f.writelines(f"{url},{name}\n" for url, name in rows)
        tsv = os.path.join(tmp, "data.tsv")
        with open(tsv, "w") as f:
            f.writelines(f"{name}\t{url}\n" for url, name in rows)
        document = os.path.join(tmp, "labels.glabels")
        with open(document, "w") as f:
            f.write(GLABELS.format(src=csv))

        if shutil.which("glabels-3-batch") is None:
            sys.exit("glabels-3-batch is missing: apt-get install glabels")
        ours = min(cpu_seconds([PROGRAM, "--sheet", "avery-l7160", "--input-format", "tsv",
                                "--quiet", tsv, "-o", os.path.join(tmp, "ours.pdf")])
                   for _ in range(3))
        theirs = min(cpu_seconds(["glabels-3-batch", "-o", os.path.join(tmp, "glabels.pdf"),
                                  document]) for _ in range(3))
        sizes = [os.path.getsize(os.path.join(tmp, name)) for name in ("ours.pdf", "glabels.pdf")]
        print(f"{LABELS} labels with captions on L7160: qrbatch-cli {ours:.2f} s CPU "
              f"({sizes[0] // 1024} KiB), glabels-3-batch {theirs:.2f} s ({sizes[1] // 1024} KiB): "
              f"{theirs / ours:.0f}x")


if __name__ == "__main__":
    main()
