"""The library file exports its fourteen functions and the platform layer's helpers, nothing else."""
import subprocess
import sys

INTERFACE = {"QRSetDefault", "QRSetSize", "QRSetMessage", "QRConfigure", "QRAppearance",
             "QRSetBackColor", "QRSetBarColor", "QRGetActualSize", "QRGetActualRC",
             "QRGetPatternData", "QRRender", "QRSaveAsBMP", "QRSaveAsWMF", "QRCopyToClipboard"}
PLATFORM = {"QRCreateMemoryDC", "QRDeleteDC", "QRGetDCPixel", "QRGetDCMapMode", "QRSetDCMapMode",
            "QRHoldClipboard", "QRReleaseClipboard", "QRGetClipboardMetafile"}

out = subprocess.run(["nm", "-D", "--defined-only", sys.argv[1]], check=True,
                     capture_output=True, text=True).stdout
names = {line.split()[-1] for line in out.splitlines() if line.strip()}
names = {n for n in names if not n.startswith("_") and "@" not in n}  # linker's own markers
failed = 0
for name in sorted(INTERFACE | PLATFORM):
    if name not in names:
        print(f"missing export: {name}")
        failed += 1
for name in sorted(names - INTERFACE - PLATFORM):
    print(f"unexpected export: {name}")
    failed += 1
print(f"{len(INTERFACE | PLATFORM) - failed} passed, {failed} failed")
sys.exit(1 if failed else 0)
