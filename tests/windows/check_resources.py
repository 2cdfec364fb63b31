#!/usr/bin/python3
"""Checks the resources and the stripping of the built Windows files.

    check_resources.py BIN_FOLDER VERSION SVG

For each file: no symbol table and no debug sections; a version resource whose numbers and
strings name the file and VERSION. For the programs: the icon group holds the sizes 16, 32, 48
and 256, each image is the artwork SVG rendered at its size, and the window program's manifest
asks for common controls 6 and per-monitor DPI awareness, without the UTF-8 code page.
Prints one line per check and ends with "N passed, M failed".
"""
import io
import struct
import subprocess
import sys
import xml.etree.ElementTree as ElementTree
from pathlib import Path

import pefile
from PIL import Image, ImageChops

FILES = [
    # file (from the folder of the window build's files), description, icon, manifest
    ("QRCodeWin32.dll", "二维码库 QRCodeWin32", False, False),
    ("qrbatch.exe", "二维码批量生成工具", True, True),
    ("../cli/bin/qrbatch-cli.exe", "二维码批量生成命令行工具", True, False),
]
ICON_SIZES = [16, 32, 48, 256]
ASM_V3 = "{urn:schemas-microsoft-com:asm.v3}"

passed = failed = 0


def check(ok, what, detail=""):
    global passed, failed
    if ok:
        passed += 1
        print(f"PASS {what}")
    else:
        failed += 1
        print(f"FAIL {what}" + (f": {detail}" if detail else ""))
    return ok


def resources(pe, kind):
    """{id: bytes} of one resource type (first language of each)."""
    found = {}
    if not hasattr(pe, "DIRECTORY_ENTRY_RESOURCE"):
        return found
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        if entry.id != kind:
            continue
        for item in entry.directory.entries:
            language = item.directory.entries[0]
            data = language.data.struct
            found[item.id] = pe.get_data(data.OffsetToData, data.Size)
    return found


def version_strings(pe):
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for block in info:
            for table in getattr(block, "StringTable", []):
                for key, value in table.entries.items():
                    strings[key.decode()] = value.decode()
    return strings


def icon_image(data):
    """A PIL image of one RT_ICON entry: PNG as it is, or a 32-bit DIB with its mask."""
    if data[:8] == b"\x89PNG\r\n\x1a\n":
        return Image.open(io.BytesIO(data)).convert("RGBA")
    size, width, height, _, bits = struct.unpack_from("<IiiHH", data)
    if bits != 32:
        raise ValueError(f"{bits}-bit icon image")
    height //= 2
    rows = data[size:size + width * height * 4]
    image = Image.frombytes("RGBA", (width, height), rows, "raw", "BGRA", 0, -1)
    return image


def rendering(svg, side, folder):
    png = folder / f"artwork-{side}.png"
    subprocess.run(["rsvg-convert", "-w", str(side), "-h", str(side), "-o", str(png), svg],
                   check=True)
    return Image.open(png).convert("RGBA")


def check_icon(pe, name, svg, folder):
    groups = resources(pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"])
    images = resources(pe, pefile.RESOURCE_TYPE["RT_ICON"])
    if not check(len(groups) == 1, f"{name}: one icon group", f"{len(groups)} groups"):
        return
    group = next(iter(groups.values()))
    _, _, count = struct.unpack_from("<HHH", group)
    entries = [struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i) for i in range(count)]
    sides = sorted(entry[0] or 256 for entry in entries)
    check(sides == ICON_SIZES, f"{name}: icon sizes {ICON_SIZES}", str(sides))
    for entry in entries:
        side = entry[0] or 256
        image = icon_image(images[entry[7]])
        want = rendering(svg, side, folder)
        same_size = image.size == (side, side)
        difference = ImageChops.difference(image, want).getbbox() if same_size else "size"
        check(same_size and difference is None,
              f"{name}: the {side}-pixel icon is the desktop icon's artwork",
              f"size {image.size}, differs in {difference}")


def check_manifest(pe, name):
    manifests = resources(pe, pefile.RESOURCE_TYPE["RT_MANIFEST"])
    if not check(1 in manifests, f"{name}: a manifest of id 1"):
        return
    text = manifests[1].decode("utf-8")
    root = ElementTree.fromstring(text)
    controls = [identity.attrib for identity in root.iter("{urn:schemas-microsoft-com:asm.v1}assemblyIdentity")
                if identity.get("name") == "Microsoft.Windows.Common-Controls"]
    check(len(controls) == 1 and controls[0].get("version") == "6.0.0.0",
          f"{name}: manifest depends on common controls 6.0.0.0", str(controls))
    awareness = [e.text for e in root.iter() if e.tag.endswith("}dpiAwareness")]
    aware = [e.text for e in root.iter() if e.tag.endswith("}dpiAware")]
    check(awareness and awareness[0].startswith("PerMonitorV2") and aware == ["true/pm"],
          f"{name}: manifest asks for per-monitor DPI awareness", f"{awareness} {aware}")
    code_pages = [e.text for e in root.iter() if e.tag.endswith("}activeCodePage")]
    check(not code_pages, f"{name}: manifest leaves the ANSI code page alone", str(code_pages))
    levels = [e.get("level") for e in root.iter(ASM_V3 + "requestedExecutionLevel")]
    check(levels == ["asInvoker"], f"{name}: manifest runs as the invoker", str(levels))


def main(folder, version, svg):
    folder = Path(folder)
    scratch = folder / "resource-check"
    scratch.mkdir(exist_ok=True)
    numbers = tuple(int(part) for part in version.split(".")) + (0,)
    for relative, description, icon, manifest in FILES:
        path = folder / relative
        name = path.name
        if not check(path.is_file(), f"{name}: built"):
            continue
        pe = pefile.PE(str(path))
        debug = [s.Name.rstrip(b"\0").decode() for s in pe.sections
                 if s.Name.startswith(b".debug") or s.Name.startswith(b"/")]
        check(pe.FILE_HEADER.PointerToSymbolTable == 0 and not debug,
              f"{name}: stripped", f"symbols at {pe.FILE_HEADER.PointerToSymbolTable}, {debug}")
        fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
        got = None
        if fixed:
            got = (fixed.FileVersionMS >> 16, fixed.FileVersionMS & 0xFFFF,
                   fixed.FileVersionLS >> 16, fixed.FileVersionLS & 0xFFFF)
        check(got == numbers, f"{name}: file version {numbers}", str(got))
        strings = version_strings(pe)
        want = {
            "ProductName": "qrbatch",
            "ProductVersion": version,
            "FileVersion": version + ".0",
            "FileDescription": description,
            "OriginalFilename": name,
            "LegalCopyright": "Copyright (c) 2026 The qrbatch developers, MIT License",
        }
        for key, value in want.items():
            check(strings.get(key) == value, f"{name}: {key} {value!r}", repr(strings.get(key)))
        if icon:
            check_icon(pe, name, svg, scratch)
        else:
            check(not resources(pe, pefile.RESOURCE_TYPE["RT_GROUP_ICON"]), f"{name}: no icon")
        if manifest:
            check_manifest(pe, name)
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
