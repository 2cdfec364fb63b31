"""Print-grade output as a user checks it: vector sizes to 0.01 mm, captions drawn by poppler
beside HarfBuzz's drawing (Pillow's raqm) of fontconfig's font, fitting, layouts, used sheets.
Usage: print_check.py CASE PROGRAM"""
import os
import re
import subprocess
import sys
import tempfile

import zxingcpp
from PIL import Image, ImageDraw, ImageFont

import sheet_check as sheets
from sheet_check import check, run, render, inside, label_mm, px

PROGRAM = sys.argv[2]
MM_PER_PT = 25.4 / 72
SIZE_TOLERANCE_MM = 0.01


# ---- exact sizes -------------------------------------------------------------------------

def vector_size(path):
    """The page's side and a module's side in mm, from the file's own numbers."""
    data = open(path, "rb").read().decode("latin-1")
    if path.endswith(".svg"):  # its size in mm, its drawing in pixels
        side = float(re.search(r'width="([\d.]+)mm"', data).group(1))
        view = float(re.search(r'viewBox="0 0 ([\d.]+)', data).group(1))
        return side, int(re.findall(r'd="M(\d+) ', data)[1]) / 4 * side / view
    if path.endswith(".eps"):
        side = float(re.search(r"%%HiResBoundingBox: 0 0 ([\d.]+)", data).group(1))
        scale = float(re.search(r"translate ([\d.]+) ", data).group(1))
        dark = re.findall(r"(\d+) (\d+) (\d+) (\d+) rectfill", data)[1]  # after the background
    else:
        side = float(re.search(r"/MediaBox \[0 0 ([\d.]+)", data).group(1))
        scale = float(re.search(r"\n?([\d.]+) 0 0 -[\d.]+ 0 [\d.]+ cm", data).group(1))
        dark = re.findall(r"(\d+) (\d+) (\d+) (\d+) re", data)[1]
    # The first dark box is the top-left finder pattern's edge, 4 modules in from the corner.
    return side * MM_PER_PT, int(dark[0]) / 4 * scale * MM_PER_PT


def case_sizes(tmp):
    # 29 modules (version 3) and a quiet zone of 4 on each side: 37 modules across.
    text = "https://example.com/inventory/item/0001234"
    rows = [("0.1", "pdf", 37.0, 1.0), ("0.1", "eps", 37.0, 1.0), ("0.1", "svg", 37.0, 1.0),
            ("0.033", "pdf", 12.21, 0.33), ("0.033", "eps", 12.21, 0.33),
            ("0.033", "svg", 12.21, 0.33), ("0.25", "pdf", 92.5, 2.5)]
    for cm, form, page, module in rows:
        path = os.path.join(tmp, "code." + form)
        code, stderr = run(["--text", text, "--module-cm", cm, "-o", path])
        check(code == 0 and "warning" not in stderr, f"{form} {cm} cm: exit {code}, {stderr}")
        side, found = vector_size(path)
        check(abs(side - page) <= SIZE_TOLERANCE_MM and abs(found - module) <= SIZE_TOLERANCE_MM,
              f"{form} at {cm} cm: page {side:.4f} mm (not {page}), module {found:.4f} mm "
              f"(not {module})")
    check('width="12.21mm" height="12.21mm"' in open(os.path.join(tmp, "code.svg")).read(),
          "the SVG states its size in mm")

    # Whole pixels: said when more than 1 % off, quiet when exact.
    for cm, dpi, message in (("0.1", "96", "print 1.058 mm wide, 5.8 % more than the 1 mm"),
                             ("0.033", "96", "print 0.265 mm wide, 19.8 % less than the 0.33 mm"),
                             ("0.1", "300", "print 1.016 mm wide, 1.6 % more than the 1 mm"),
                             ("0.1", "254", None), ("0.1", "1200", None)):
        path = os.path.join(tmp, "code.png")
        code, stderr = run(["--text", text, "--module-cm", cm, "--dpi", dpi, "-o", path])
        check(code == 0 and (message in stderr if message else "warning" not in stderr),
              f"png at {cm} cm, {dpi} dpi: {stderr!r}")
    print("pdf, eps and svg at 1, 0.33 and 2.5 mm a module: pages and modules within 0.01 mm; "
          "png says how far whole pixels are off")


# ---- captions in every script ------------------------------------------------------------

def chain_font(text, family="sans-serif"):
    """The font fontconfig's sorted list gives the text: the first that has every character."""
    listing = subprocess.run(["fc-match", "-s", family, "--format",
                              "%{file}\t%{index}\t%{charset}\n"],
                             capture_output=True, text=True).stdout
    for line in listing.splitlines():
        path, index, charset = line.split("\t")
        ranges = [(int(p.partition("-")[0], 16), int(p.partition("-")[2] or p.partition("-")[0], 16))
                  for p in charset.split()]
        if all(any(a <= ord(c) <= b for a, b in ranges) for c in text if c != " "):
            return path, int(index)
    raise AssertionError(f"no font has {text!r}")


def harfbuzz_drawing(text, font, height, shaped=True):
    """The text as HarfBuzz shapes it (Pillow's raqm layout) and FreeType draws it, scaled to
    a height; shaped=False draws the characters one after another, as no shaping would."""
    engine = ImageFont.Layout.RAQM if shaped else ImageFont.Layout.BASIC
    face = ImageFont.truetype(font[0], 400, index=font[1], layout_engine=engine)
    canvas = Image.new("L", (300 * (len(text) + 2), 900), 255)
    ImageDraw.Draw(canvas).text((100, 200), text, font=face, fill=0)
    ink = canvas.crop(canvas.point(lambda v: 255 if v < 128 else 0).getbbox())
    return ink.resize((max(1, round(ink.width * height / ink.height)), height), Image.LANCZOS)


SCRIPTS = [
    ("Arabic", "مرحبا بالعالم"),
    ("Arabic with a number", "رقم 42 للبيع"),
    ("Thai", "สวัสดีครับ"),
    ("Devanagari", "नमस्ते दुनिया"),
    ("Chinese", "测试数据"),
    ("Latin", "Kitchen 42"),
]


def case_scripts(tmp):
    lines = []
    for _, text in SCRIPTS:
        lines += [text.encode(), text[::-1].encode(), b"?" * len(text)]
    pdf = sheets.make_sheet(tmp, "a4-3x8", lines[:24])
    image = render(pdf, 1, tmp)
    results = []
    for number, (script, text) in enumerate(SCRIPTS):
        drawn = [sheets.caption_ink(image, "a4-3x8", 3 * number + k)[0] for k in range(3)]
        height = drawn[0].height
        font = chain_font(text)
        same = sheets.difference(drawn[0], harfbuzz_drawing(text, font, height))
        reordered = sheets.difference(drawn[0], harfbuzz_drawing(text[::-1], font, height))
        questions = sheets.difference(drawn[0], drawn[2])
        check(same < 0.25 and reordered > 2 * same and questions > 2 * same,
              f"{script}: differs {same:.2f} from HarfBuzz's drawing, {reordered:.2f} from the "
              f"characters in another order, {questions:.2f} from question marks")
        if script in ("Arabic", "Devanagari"):
            plain = sheets.difference(drawn[0], harfbuzz_drawing(text, font, height, False))
            check(plain > 1.5 * same, f"{script}: drawn without shaping ({plain:.2f})")
        results.append(f"{script} {same:.2f}")
    copied = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
    # Poppler turns right-to-left marked text around as if it were drawn order; other scripts
    # come back as they were given.
    for script, text in SCRIPTS:
        if script.startswith("Arabic"):
            continue
        check(text in copied, f"{text} is searchable text in the PDF: {copied!r}")
    print("captions match HarfBuzz's drawing of their font (" + ", ".join(results) +
          "), not another order nor question marks")


def case_missing(tmp):
    candidates = ["\u0860", "\U0002FFFF", "\uE000"]
    missing = next(c for c in candidates if not subprocess.run(
        ["fc-list", f":charset={ord(c):x}"], capture_output=True, text=True).stdout.strip())
    source = os.path.join(tmp, "in.txt")
    with open(source, "wb") as f:
        f.write(f"first\nbox {missing} 7\nthird\n".encode())
    pdf = os.path.join(tmp, "labels.pdf")
    code, stderr = run(["--sheet", "a4-3x8", source, "-o", pdf])
    expected = f"line 2: no installed font draws the caption's character U+{ord(missing):04X}"
    check(code == 1 and expected in stderr and "3 lines, 2 placed, 1 failed" in stderr,
          f"exit {code}: {stderr}")
    codes = sorted(r.bytes for r in zxingcpp.read_barcodes(render(pdf, 1, tmp, dpi=200)))
    check(codes == [b"first", b"third"], f"the failed line's label is blank: {codes}")
    check("?" not in subprocess.run(["pdftotext", pdf, "-"], capture_output=True,
                                    text=True).stdout, "no question mark drawn")
    code, stderr = run(["--sheet", "a4-3x8", "--sheet-font", "No Such Family", source, "-o", pdf])
    check(code == 2 and 'no installed font has the family "No Such Family"' in stderr, stderr)
    print(f"U+{ord(missing):04X}, in no installed font, fails its line with exit 1")


# ---- captions that fit -------------------------------------------------------------------

def label_text(pdf, layout, index):
    left, top, right, bottom = label_mm(layout, index)
    box = [str(round(v / MM_PER_PT)) for v in (left, top, right - left, bottom - top)]
    return subprocess.run(["pdftotext", "-x", box[0], "-y", box[1], "-W", box[2], "-H", box[3],
                           pdf, "-"], capture_output=True, text=True).stdout


def case_fitting(tmp):
    address = "https://inventory.example.com/item/000123456789"
    longer = "https://inventory.example.com/warehouse/shelf-17/item/000123456789?batch=2024-11"
    endless = "W" * 400
    source = os.path.join(tmp, "in.txt")
    with open(source, "w") as f:
        f.write(f"{address}\n{longer}\n{endless}\n")
    pdf = os.path.join(tmp, "labels.pdf")
    code, stderr = run(["--sheet", "a4-4x10", source, "-o", pdf])
    check(code == 0, f"exit {code}: {stderr}")
    check("line 3: the caption is cut short" in stderr and "line 1:" not in stderr and
          "line 2:" not in stderr, f"only the endless caption is cut: {stderr}")
    for index, text in enumerate((address, longer)):
        shown = "".join(label_text(pdf, "a4-4x10", index).split())
        check(shown == text, f"label {index} shows {shown!r}, not the whole {text!r}")
    check("…" in label_text(pdf, "a4-4x10", 2), "the cut caption ends in an ellipsis")
    image = render(pdf, 1, tmp)
    for index in range(3):
        label, _ = inside(image, label_mm("a4-4x10", index), inset_mm=0.3)
        result = zxingcpp.read_barcode(label)
        check(result is not None, f"label {index}: the code is still read")
        _, box, width = sheets.caption_ink(image, "a4-4x10", index)
        check(box[0] > 0 and box[2] < width, f"label {index}: the caption stays on its label")
    print("web addresses printed whole (smaller, then on two lines); only a caption too long "
          "for any size is cut, with a warning")


def case_columns(tmp):
    rows = b"Printer 2F\tSN-0002\tSerial 0002\t$129.00\nScanner\tSN-0003\tSerial 0003\t$89.50\n"
    pdf = os.path.join(tmp, "labels.pdf")
    code, stderr = run(["--sheet", "a4-3x8", "--input-format", "tsv", "-", "-o", pdf], rows)
    check(code == 0, stderr)
    text = label_text(pdf, "a4-3x8", 0).split("\n")
    check([t for t in text if t.strip()] == ["Printer 2F", "Serial 0002", "$129.00"],
          f"name, serial and price as three lines: {text}")
    codes = sorted(r.bytes for r in zxingcpp.read_barcodes(render(pdf, 1, tmp, dpi=300)))
    check(codes == [b"SN-0002", b"SN-0003"], f"the second column is the code: {codes}")
    code, stderr = run(["--sheet", "a4-3x8", "--input-format", "tsv", "--caption-columns",
                        "4,1", "-", "-o", pdf], rows)
    text = [t for t in label_text(pdf, "a4-3x8", 1).split("\n") if t.strip()]
    check(code == 0 and text == ["$89.50", "Scanner"], f"--caption-columns 4,1: {text}")
    code, stderr = run(["--sheet", "a4-3x8", "--caption-columns", "1", "--text", "x", "-o", pdf])
    check(code == 2 and "--caption-columns picks columns of --input-format tsv" in stderr, stderr)
    print("tsv columns after the text as caption lines, or the columns chosen")


# ---- layouts and sheets in use -----------------------------------------------------------

def case_right(tmp):
    layout = "letter-3x10"
    rows = b"Shelf A-17\tA17\tPallet 4\n" + "رف ١٧".encode() + b"\tB17\n"
    pdf = os.path.join(tmp, "labels.pdf")
    code, stderr = run(["--sheet", layout, "--sheet-caption", "right", "--input-format", "tsv",
                        "-", "-o", pdf], rows)
    check(code == 0, stderr)
    image = render(pdf, 1, tmp)
    for index, expected in enumerate((b"A17", b"B17")):
        label, _ = inside(image, label_mm(layout, index), inset_mm=0.3)
        ink, side = label.point(lambda v: 255 if v < 128 else 0), label.height
        # The code at the left, as tall as the label allows; the caption at its right, centred,
        # from the side its script starts on.
        result = zxingcpp.read_barcode(label.crop((0, 0, side, side)))
        symbol = ink.crop((0, 0, side, side)).getbbox()
        caption = ink.crop((side, 0, label.width, side)).getbbox()
        check(result is not None and result.bytes == expected and
              symbol[3] - symbol[1] > 0.68 * side and caption is not None and
              abs((caption[1] + caption[3]) / 2 - side / 2) < 0.15 * side,
              f"label {index}: symbol {symbol}, caption {caption}")
        start = label.width - side - caption[2] if index else caption[0]
        check(start < px(3), f"label {index}: the caption starts {start} px from its side")
    text = label_text(pdf, layout, 0)
    check("Shelf A-17" in text and "Pallet 4" in text, f"both lines at the right: {text!r}")
    print("codes at the left at full height, captions at their right, centred, from the side "
          "their script starts on")


def case_skip_offset(tmp):
    layout = "a4-4x10"
    lines = [b"one", b"two", b"three"]
    source = os.path.join(tmp, "in.txt")
    with open(source, "wb") as f:
        f.write(b"\n".join(lines) + b"\n")
    pdf = os.path.join(tmp, "labels.pdf")
    code, stderr = run(["--sheet", layout, "--sheet-skip", "5", "--sheet-offset", "1.5x-2mm",
                        "--sheet-border", source, "-o", pdf])
    check(code == 0, stderr)
    image = render(pdf, 1, tmp)
    dx, dy = 1.5, -2.0
    for index in range(10):
        left, top, right, bottom = label_mm(layout, index)
        moved = (left + dx, top + dy, right + dx, bottom + dy)
        found = sheets.line_centre_mm(image, moved[0], ((moved[1] + moved[3]) / 2 - 2,
                                                        (moved[1] + moved[3]) / 2 + 2), True)
        check(abs(found - moved[0]) <= sheets.TOLERANCE_MM,
              f"label {index}: left edge at {found:.3f} mm, not {moved[0]:.3f}")
        found = sheets.line_centre_mm(image, moved[1], ((moved[0] + moved[2]) / 2 - 2,
                                                        (moved[0] + moved[2]) / 2 + 2), False)
        check(abs(found - moved[1]) <= sheets.TOLERANCE_MM,
              f"label {index}: top edge at {found:.3f} mm, not {moved[1]:.3f}")
        label, _ = inside(image, moved, inset_mm=0.5)
        result = zxingcpp.read_barcode(label)
        expected = lines[index - 5] if 5 <= index < 8 else None
        check((result.bytes if result else None) == expected,
              f"label {index}: {result.bytes if result else None!r}, not {expected!r}")
    print("labels 1-5 left for a used sheet; everything moved by 1.5 mm right, 2 mm up")


def case_quiet(tmp):
    done = subprocess.run([PROGRAM, "--sheet", "a4-3x8", "--quiet", "--text", "a", "-o", "-"],
                          capture_output=True)
    check(done.returncode == 0 and done.stdout.startswith(b"%PDF-") and
          done.stdout.rstrip().endswith(b"%%EOF") and done.stderr == b"",
          f"-o - --quiet: {done.returncode}, {done.stderr!r}")
    done = subprocess.run([PROGRAM, "--sheet", "a4-3x8", "--text", "a", "-o", "-"],
                          capture_output=True)
    check(b"1 lines, 1 placed" in done.stderr, "the summary without --quiet")
    print("-o - writes the PDF to standard output; --quiet leaves standard error empty")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as tmp:
        globals()["case_" + sys.argv[1]](tmp)
