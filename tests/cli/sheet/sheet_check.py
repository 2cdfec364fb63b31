"""qrbatch-cli --sheet as a user sees it: the PDF drawn by poppler's pdftoppm at 600 dpi, every
code read back by zxing-cpp, label edges, codes and cut marks measured against the layout to a
tenth of a millimetre, and Chinese captions compared with the same font drawn by FreeType.

Usage: sheet_check.py CASE PROGRAM
"""
import os
import subprocess
import sys
import tempfile
import time

import zxingcpp
from PIL import Image, ImageDraw, ImageFont

PROGRAM = sys.argv[2]
DPI = 600
PX_PER_MM = DPI / 25.4
TOLERANCE_MM = 0.1
CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"

# The layouts as their sheets' makers state them, in mm from the page's top-left corner.
LAYOUTS = {
    "a4-4x10": dict(cols=4, rows=10, label=(48.5, 25.4), left=8, top=21.5, pitch=(48.5, 25.4)),
    "letter-3x10": dict(cols=3, rows=10, label=(66.675, 25.4), left=4.7625, top=12.7,
                        pitch=(69.85, 25.4)),
    "a4:cols=2,rows=3,label=80x60mm,margin=15x20mm,gap=5x4mm":
        dict(cols=2, rows=3, label=(80, 60), left=15, top=20, pitch=(85, 64)),
    "a4-3x8": dict(cols=3, rows=8, label=(70, 37), left=0, top=0.5, pitch=(70, 37)),
}


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def run(args, stdin=b""):
    done = subprocess.run([PROGRAM] + args, input=stdin, capture_output=True, timeout=600)
    return done.returncode, done.stderr.decode()


def make_sheet(tmp, layout, lines, *options):
    source = os.path.join(tmp, "in.txt")
    with open(source, "wb") as f:
        f.write(b"".join(line + b"\n" for line in lines))
    pdf = os.path.join(tmp, "labels.pdf")
    code, stderr = run(["--sheet", layout, *options, source, "-o", pdf])
    check(code == 0, f"exit {code}: {stderr}")
    return pdf


def render(pdf, page, tmp, dpi=DPI):
    """The page as poppler draws it, grey."""
    prefix = os.path.join(tmp, f"page{page}")
    done = subprocess.run(["pdftoppm", "-gray", "-r", str(dpi), "-f", str(page), "-l", str(page),
                           "-singlefile", pdf, prefix], capture_output=True)
    check(done.returncode == 0 and not done.stderr, f"pdftoppm: {done.stderr.decode()}")
    return Image.open(prefix + ".pgm").convert("L")


def page_count(pdf):
    info = subprocess.run(["pdfinfo", pdf], capture_output=True, text=True).stdout
    return int(next(l.split()[1] for l in info.splitlines() if l.startswith("Pages:")))


def label_mm(layout, index):
    """Left, top, right, bottom of a label in mm from the page's top-left corner."""
    layout_info = LAYOUTS[layout]
    row, column = divmod(index, layout_info["cols"])
    left = layout_info["left"] + column * layout_info["pitch"][0]
    top = layout_info["top"] + row * layout_info["pitch"][1]
    return left, top, left + layout_info["label"][0], top + layout_info["label"][1]


def px(mm):
    return int(round(mm * PX_PER_MM))


def inside(image, box_mm, inset_mm=0.4):
    """The label's inside, clear of its outline, and its offset in pixels."""
    left, top, right, bottom = box_mm
    box = (px(left + inset_mm), px(top + inset_mm), px(right - inset_mm), px(bottom - inset_mm))
    return image.crop(box), box[:2]


def profile(image, box, along_x):
    """Darkness (0..255) averaged across the box, for each column (along_x) or row."""
    crop = image.crop(box)
    size = (crop.width, 1) if along_x else (1, crop.height)
    return [255 - v for v in crop.resize(size, Image.BOX).getdata()]


def line_centre_mm(image, at_mm, span_mm, vertical):
    """Where a thin line near at_mm runs, from the darkness-weighted centre of a short stretch."""
    start = px(at_mm - 0.6)
    if vertical:
        weights = profile(image, (start, px(span_mm[0]), px(at_mm + 0.6), px(span_mm[1])), True)
    else:
        weights = profile(image, (px(span_mm[0]), start, px(span_mm[1]), px(at_mm + 0.6)), False)
    total = sum(weights)
    check(total > 20, f"no line near {at_mm:.2f} mm")
    return (start + sum(w * (i + 0.5) for i, w in enumerate(weights)) / total) / PX_PER_MM


def dark_rows(image):
    return [v > 0 for v in profile(image, (0, 0, image.width, image.height), False)]


def split_symbol_and_caption(label):
    """The symbol's bounding box and the caption's image: the widest blank band between dark
    rows is the quiet zone under the symbol (inside a symbol no blank band is wider than a
    module)."""
    ink = label.point(lambda v: 255 if v < 128 else 0)
    rows = dark_rows(label)
    runs, start = [], None
    for y, dark in enumerate(rows + [True]):
        if not dark and start is None:
            start = y
        if dark and start is not None:
            runs.append((y - start, start, y))
            start = None
    first = rows.index(True)
    gaps = [r for r in runs if r[1] > first and r[2] < len(rows)]
    check(gaps, "no caption under the symbol")
    _, gap_start, gap_end = max(gaps)
    symbol = ink.crop((0, 0, ink.width, gap_start)).getbbox()
    caption = label.crop((0, gap_end, label.width, label.height))
    return symbol, caption


def crossing(values, near):
    """Where the darkness profile crosses half way, nearest to near (in pixel units)."""
    best = None
    for i in range(max(0, int(near) - 8), min(len(values) - 1, int(near) + 8)):
        a, b = values[i], values[i + 1]
        if (a - 128) * (b - 128) < 0:
            x = i + 0.5 + (128 - a) / (b - a)
            if best is None or abs(x - near) < abs(best - near):
                best = x
    check(best is not None, f"no module edge near pixel {near:.1f}")
    return best


def check_symbol(image, layout, index, expected):
    box_mm = label_mm(layout, index)
    label, (ox, oy) = inside(image, box_mm)
    result = zxingcpp.read_barcode(label, formats=zxingcpp.BarcodeFormat.QRCode)
    check(result is not None and result.valid and result.bytes == expected,
          f"{layout} label {index}: read {result.bytes if result else None!r}, not {expected!r}")

    (l, t, r, b), _ = split_symbol_and_caption(label)
    # The top-left finder pattern's top row is 7 dark modules.
    row = [v for v in label.crop((l, t + 2, r, t + 3)).getdata()]
    module = next(i for i, v in enumerate(row) if v >= 128 and i > 2) / 7
    side = round((r - l) / module)
    module = (r - l) / side
    check(side % 4 == 1 and abs((b - t) - (r - l)) <= 2, f"{layout} label {index}: not square")

    left = (ox + l) / PX_PER_MM
    top = (oy + t) / PX_PER_MM
    m = module / PX_PER_MM
    centre = (box_mm[0] + box_mm[2]) / 2
    check(abs(left + side * m / 2 - centre) <= TOLERANCE_MM,
          f"{layout} label {index}: symbol centre {left + side * m / 2:.3f} mm, label {centre:.3f}")
    quiet = 4 * m
    width = box_mm[2] - box_mm[0]
    check(left - quiet >= box_mm[0] - TOLERANCE_MM and top - quiet >= box_mm[1] - TOLERANCE_MM,
          f"{layout} label {index}: the quiet zone leaves the label")
    # The largest module: the quiet zone reaches the label's sides or its top.
    check(abs((side + 8) * m - width) <= TOLERANCE_MM or
          abs(top - quiet - box_mm[1]) <= TOLERANCE_MM,
          f"{layout} label {index}: module {m:.3f} mm is not the largest that fits")
    # Every module as wide as every other: the timing pattern's edges where they belong.
    y = t + int(6.5 * module)
    values = [255 - v for v in label.crop((l, y - 1, r, y + 2)).resize((r - l, 1), Image.BOX)
              .getdata()]
    for column in range(8, side - 7):
        edge = crossing(values, column * module)
        check(abs(edge - column * module) / PX_PER_MM <= TOLERANCE_MM,
              f"{layout} label {index}: module edge {column} off by "
              f"{(edge - column * module) / PX_PER_MM:.3f} mm")


def check_outline(image, layout, index):
    left, top, right, bottom = label_mm(layout, index)
    middle = ((top + bottom) / 2 - 2, (top + bottom) / 2 + 2)
    centre = ((left + right) / 2 - 2, (left + right) / 2 + 2)
    for name, at, span, vertical in (("left", left, middle, True), ("right", right, middle, True),
                                     ("top", top, centre, False),
                                     ("bottom", bottom, centre, False)):
        found = line_centre_mm(image, at, span, vertical)
        check(abs(found - at) <= TOLERANCE_MM,
              f"{layout} label {index}: {name} edge at {found:.3f} mm, not {at:.3f}")


def sample_lines(count):
    texts = []
    for i in range(count):
        if i % 3 == 0:
            texts.append(f"资产编号-{i:04d}".encode())
        elif i % 3 == 1:
            texts.append(f"https://example.com/item/{i:06d}".encode())
        else:
            texts.append(f"{20210706000 + i}".encode())
    return texts


def case_grid(tmp):
    counts = {"a4-4x10": 45, "letter-3x10": 30,
              "a4:cols=2,rows=3,label=80x60mm,margin=15x20mm,gap=5x4mm": 6}
    for layout, count in counts.items():
        lines = sample_lines(count)
        pdf = make_sheet(tmp, layout, lines, "--sheet-border")
        per_page = LAYOUTS[layout]["cols"] * LAYOUTS[layout]["rows"]
        pages = (count + per_page - 1) // per_page
        check(page_count(pdf) == pages, f"{layout}: {page_count(pdf)} pages, not {pages}")
        for page in range(1, pages + 1):
            image = render(pdf, page, tmp)
            for index in range(per_page):
                number = (page - 1) * per_page + index
                check_outline(image, layout, index)
                if number < count:
                    check_symbol(image, layout, index, lines[number])
                else:
                    label, _ = inside(image, label_mm(layout, index))
                    check(label.point(lambda v: 255 if v < 128 else 0).getbbox() is None,
                          f"{layout}: label {index} of the last page is not blank")
        print(f"{layout}: {count} codes on {pages} pages read back in order, outlines and "
              f"modules within {TOLERANCE_MM} mm")


def reference_caption(text, height):
    """The text drawn by FreeType (through PIL) from the same font, scaled to a height."""
    font = ImageFont.truetype(CJK_FONT, 400, index=0)
    canvas = Image.new("L", (400 * (len(text) + 1), 600), 255)
    ImageDraw.Draw(canvas).text((50, 50), text, font=font, fill=0)
    ink = canvas.crop(canvas.point(lambda v: 255 if v < 128 else 0).getbbox())
    return ink.resize((round(ink.width * height / ink.height), height), Image.LANCZOS)


def difference(a, b):
    """Share of the inked area where two captions of the same size disagree."""
    a = a.point(lambda v: 1 if v < 128 else 0)
    b = b.resize(a.size, Image.LANCZOS).point(lambda v: 1 if v < 128 else 0)
    pairs = list(zip(a.getdata(), b.getdata()))
    return sum(x != y for x, y in pairs) / max(1, sum(x or y for x, y in pairs))


def caption_ink(image, layout, index):
    label, _ = inside(image, label_mm(layout, index), inset_mm=0.5)
    _, caption = split_symbol_and_caption(label)
    box = caption.point(lambda v: 255 if v < 128 else 0).getbbox()
    check(box is not None, f"label {index}: no caption")
    return caption.crop(box), box, label.width


def case_captions(tmp):
    chinese = "测试数据"
    long_ascii = b"ASSET-" + b"0123456789" * 12
    long_chinese = ("仓库货架编号" * 8).encode()
    lines = [chinese.encode(), chinese.encode("gbk"), long_ascii, long_chinese, b"plain 42"]
    pdf = make_sheet(tmp, "a4-3x8", lines)
    image = render(pdf, 1, tmp)

    for index, encoding in ((0, "UTF-8"), (1, "GBK")):
        drawn, _, _ = caption_ink(image, "a4-3x8", index)
        same = difference(drawn, reference_caption(chinese, drawn.height))
        other = difference(drawn, reference_caption("数据测试", drawn.height))
        check(same < 0.2 and other > 3 * same,
              f"the {encoding} caption is not the font's drawing of {chinese}: differs {same:.2f}"
              f", from another order {other:.2f}")
    for index in (2, 3):
        _, (left, _, right, _), width = caption_ink(image, "a4-3x8", index)
        check(left > 0 and right < width, f"label {index}: the caption is wider than the label")

    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                          text=True).stdout
    check(text.count(chinese) == 2, f"both captions read as {chinese}: {text!r}")
    # The reader joins a line that ends in a hyphen to the next without it.
    whole = "".join(subprocess.run(["pdftotext", pdf, "-"], capture_output=True,
                                   text=True).stdout.split())
    check(long_ascii.decode().replace("-", "") in whole and long_chinese.decode() in whole and "…" not in text,
          f"long captions printed whole on more lines: {text!r}")
    print(f"{chinese} from UTF-8 and GBK drawn as the font's glyphs (differs {same:.2f}, another "
          f"order {other:.2f}); long captions made smaller and broken onto more lines")


def case_cut_marks(tmp):
    layout = "a4-4x10"
    pdf = make_sheet(tmp, layout, sample_lines(3), "--sheet-cut-marks")
    image = render(pdf, 1, tmp)
    layout_info = LAYOUTS[layout]
    columns = sorted({layout_info["left"] + c * layout_info["pitch"][0] for c in range(layout_info["cols"] + 1)})
    rows = sorted({layout_info["top"] + r * layout_info["pitch"][1] for r in range(layout_info["rows"] + 1)})
    top_margin = (layout_info["top"] - 6, layout_info["top"] - 2)
    left_margin = (layout_info["left"] - 6, layout_info["left"] - 2)
    for x in columns:
        found = line_centre_mm(image, x, top_margin, True)
        check(abs(found - x) <= TOLERANCE_MM, f"cut mark at {found:.3f} mm, not {x:.3f}")
    for y in rows:
        found = line_centre_mm(image, y, left_margin, False)
        check(abs(found - y) <= TOLERANCE_MM, f"cut mark at {found:.3f} mm, not {y:.3f}")
    marks = profile(image, (0, px(top_margin[0]), image.width, px(top_margin[1])), True)
    runs = sum(1 for i in range(1, len(marks)) if marks[i] > 64 >= marks[i - 1])
    check(runs == len(columns), f"{runs} marks in the top margin, not {len(columns)}")
    grid = image.crop((px(layout_info["left"]), px(layout_info["top"]), px(layout_info["left"] + 4),
                       px(layout_info["top"] + 4 * layout_info["pitch"][1])))
    check(grid.point(lambda v: 255 if v < 128 else 0).getbbox() is None,
          "cut marks reach into the labels")
    print(f"{len(columns)} column and {len(rows)} row cut marks within {TOLERANCE_MM} mm, "
          "all in the margins")


def case_errors(tmp):
    source = os.path.join(tmp, "in.txt")
    with open(source, "wb") as f:
        f.write(b"first\n" + b"A" * 3000 + b"\nthird\n")
    pdf = os.path.join(tmp, "labels.pdf")
    code, stderr = run(["--sheet", "a4-3x8", "--level", "H", source, "-o", pdf])
    check(code == 1 and "line 2: the text (3000 bytes) does not fit" in stderr, stderr)
    check("3 lines, 2 placed, 1 failed, on 1 pages" in stderr, stderr)
    image = render(pdf, 1, tmp, dpi=200)
    codes = [r.bytes for r in zxingcpp.read_barcodes(image)]
    check(sorted(codes) == [b"first", b"third"], f"the failed line's label is blank: {codes}")

    for args, status, message in (
            (["--sheet", "a4-9x9", source, "-o", pdf], 2, "unknown sheet layout \"a4-9x9\""),
            (["--sheet", "a4-3x8", source, "-o", tmp], 2, "is a folder"),
            (["--sheet", "a4-3x8", source, "-o", os.path.join(tmp, "no", "x.pdf")], 2,
             "cannot write"),
            (["--sheet", "a4-3x8", "--format", "png", source, "-o", pdf], 2,
             "cannot be combined with --format"),
            (["--sheet", "1e70x1e70pt:cols=1,rows=1,label=10x10mm", source, "-o", pdf], 2,
             "page \"1e70x1e70pt\" is larger than a PDF page can be: at most 14400 x 14400 pt"),
            (["--sheet", "1e308x1e308in:cols=1,rows=1,label=10x10mm", source, "-o", pdf], 2,
             "larger than a PDF page can be"),
            (["--sheet", "a4:cols=2,rows=1,label=10x10mm,gap=1e308x0in", source, "-o", pdf], 2,
             "the grid of labels is larger than the page")):
        code, stderr = run(args)
        check(code == status and message in stderr, f"{args}: exit {code}, {stderr}")
    empty = os.path.join(tmp, "empty.pdf")
    code, stderr = run(["--sheet", "a4-3x8", "-", "-o", empty])
    check(code == 0 and "nothing to write" in stderr and not os.path.exists(empty), stderr)
    check(sorted(os.listdir(tmp)) == ["in.txt", "labels.pdf", "page1.pgm"],
          f"nothing else left behind: {os.listdir(tmp)}")
    print("a line too long leaves its label blank; bad layouts, folders and options refused")


def case_names(tmp):
    rows = [("会议室投影仪", b"https://example.com/asset/A-0001"), ("Printer 2F", b"SN-0002")]
    data = b"".join(name.encode() + b"\t" + text + b"\n" for name, text in rows)
    pdf = os.path.join(tmp, "labels.pdf")
    code, stderr = run(["--sheet", "a4-3x8", "--input-format", "tsv", "-", "-o", pdf],
                       data + b"no tab here\n")
    check(code == 1 and "line 3: no tab between a name and the text" in stderr, stderr)
    image = render(pdf, 1, tmp, dpi=300)
    for index, (_, text) in enumerate(rows):
        left, top, right, bottom = (round(v * 300 / 25.4) for v in label_mm("a4-3x8", index))
        result = zxingcpp.read_barcode(image.crop((left, top, right, bottom)))
        check(result and result.bytes == text, f"label {index} holds {text!r}")
    caption_text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                                  text=True).stdout
    check(all(name in caption_text for name, _ in rows) and "example.com" not in caption_text,
          f"the names are the captions: {caption_text!r}")

    code, stderr = run(["--sheet", "a4-3x8", "--text", "first", "--text", "第二", "-o", pdf])
    codes = sorted(r.bytes for r in zxingcpp.read_barcodes(render(pdf, 1, tmp, dpi=300)))
    check(code == 0 and codes == sorted([b"first", "第二".encode()]), f"--text: {stderr}")
    print("tab-separated input: names printed, texts encoded; --text texts on a sheet")


def peak_kib(lines, tmp):
    """The program's peak resident memory for a batch, read from /proc while it runs."""
    source = os.path.join(tmp, "many.txt")
    with open(source, "wb") as f:
        f.write(b"".join(b"https://example.com/item/%08d\n" % i for i in range(lines)))
    pdf = os.path.join(tmp, "many.pdf")
    # A sanitizer keeps freed memory aside unless told not to; the rest of its options stay.
    env = dict(os.environ)
    env["ASAN_OPTIONS"] = env.get("ASAN_OPTIONS", "") + ":quarantine_size_mb=0"
    process = subprocess.Popen([PROGRAM, "--sheet", "a4-3x8", source, "-o", pdf],
                               stderr=subprocess.DEVNULL, env=env)
    peak = 0
    while process.poll() is None:
        try:
            with open(f"/proc/{process.pid}/status") as status:
                for line in status:
                    if line.startswith("VmHWM:"):
                        peak = int(line.split()[1])
        except OSError:
            pass
        time.sleep(0.01)
    check(process.returncode == 0 and peak > 0, f"{lines} lines: exit {process.returncode}")
    check(page_count(pdf) == (lines + 23) // 24, f"{lines} labels on their pages")
    return peak


def case_streaming(tmp):
    pdf = os.path.join(tmp, "labels.pdf")
    process = subprocess.Popen([PROGRAM, "--sheet", "a4-3x8", "-", "-o", pdf],
                               stdin=subprocess.PIPE, stderr=subprocess.PIPE)
    process.stdin.write(b"".join(b"line %d\n" % i for i in range(25)))
    process.stdin.flush()
    # The first page is in the unfinished file while the input is still open.
    written = b""
    for _ in range(200):
        parts = [n for n in os.listdir(tmp) if n.endswith(".part")]
        written = open(os.path.join(tmp, parts[0]), "rb").read() if parts else b""
        if b"endstream" in written:
            break
        time.sleep(0.05)
    check(b"endstream" in written and process.poll() is None,
          "the full page was not written while the input was open")
    process.stdin.write(b"last\n")
    process.stdin.close()
    check(process.wait(timeout=60) == 0, process.stderr.read().decode())
    check(page_count(pdf) == 2, "two pages")

    # Ten times the labels in the same memory; a sanitized build is many times slower.
    sanitized = bool(os.environ.get("SHEET_CHECK_SANITIZED"))
    few = 500 if sanitized else 2_000
    small = peak_kib(few, tmp)
    large = peak_kib(10 * few, tmp)
    allowed = 6144 if sanitized else 2048  # KiB; the sanitizer's own records grow a little
    check(large - small < allowed, f"peak memory grows with the batch: {small} KiB, {large} KiB")
    print(f"pages written as lines arrive; peak memory {small} KiB for {few} labels, "
          f"{large} KiB for {10 * few}")


def case_jobs(tmp):
    # Labels encoded on several threads land in the input's order: the same file as one job,
    # the same messages, and the codes read back where they belong.
    lines = sample_lines(300)
    lines[150] = b"x" * 3000  # does not fit: its label stays blank, its number is reported
    source = os.path.join(tmp, "in.txt")
    with open(source, "wb") as f:
        f.write(b"".join(line + b"\n" for line in lines))
    files, messages = [], []
    for jobs in ("1", "4"):
        pdf = os.path.join(tmp, f"jobs{jobs}.pdf")
        code, stderr = run(["--sheet", "a4-3x8", "--jobs", jobs, source, "-o", pdf])
        check(code == 1, f"--jobs {jobs}: exit {code}: {stderr}")
        files.append(open(pdf, "rb").read())
        messages.append(stderr.replace(pdf, "labels.pdf"))
    check(files[0] == files[1], "--jobs 4 writes another file than --jobs 1")
    check(messages[0] == messages[1], f"other messages: {messages}")
    check("line 151: the text (3000 bytes) does not fit" in messages[1], messages[1])
    pdf = os.path.join(tmp, "jobs4.pdf")
    for page in (1, 7):
        image = render(pdf, page, tmp)
        for index in (0, 11, 23):
            check_symbol(image, "a4-3x8", index, lines[(page - 1) * 24 + index])
    print("300 labels on 4 threads: the same PDF as on one, codes in order")


if __name__ == "__main__":
    with tempfile.TemporaryDirectory() as tmp:
        globals()["case_" + sys.argv[1]](tmp)
