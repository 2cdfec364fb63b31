"""Tables as users keep them: CSV with every quoting corner, spreadsheets saved by openpyxl,
hostile .xlsx files, Wi-Fi and vCard payloads read back field for field, GBK lists, --esc,
and a CSV far larger than the memory allowed."""
import os
import re
import subprocess
import threading
import time
import zipfile

import openpyxl

import cli_checks as c
from cli_checks import check, decoded, folder, run

LIMIT = 256 << 20  # the address space allowed where a test says it is bounded


def write(tmp, name, data):
    path = os.path.join(tmp, name)
    with open(path, "wb") as f:
        f.write(data if isinstance(data, bytes) else data.encode())
    return path


def decoded_folder(out):
    """Every file of the folder with what its symbol holds."""
    return {name: decoded(os.path.join(out, name)) for name in sorted(os.listdir(out))}


# ---- payloads parsed back as a phone reads them ------------------------------------------

def parse_wifi(text):
    """Field letter -> value of a WIFI: payload, its backslashes undone."""
    check(text.startswith("WIFI:") and text.endswith(";;"), f"not a Wi-Fi payload: {text!r}")
    pairs = re.findall(r"([A-Z]+):((?:\\.|[^;\\])*);", text[len("WIFI:"):-1])
    return {key: re.sub(r"\\(.)", r"\1", value) for key, value in pairs}


def parse_vcard(text):
    """Property -> value of a vCard 3.0, escapes undone; a bare , or ; would split a value."""
    lines = text.split("\n")
    check(lines[0] == "BEGIN:VCARD" and lines[-1] == "END:VCARD", f"not a vCard: {text!r}")
    fields = {}
    for name, value in (line.split(":", 1) for line in lines[1:-1]):
        check(not re.search(r"(?<!\\)(\\\\)*[,;]", value), f"unescaped , or ; in {value!r}")
        fields[name] = re.sub(r"\\(.)", lambda m: "\n" if m[1] in "nN" else m[1], value)
    return fields


def case_table_csv(tmp):
    rows = ('room,ssid,password\r\n'
            '101,"Guest, 1st floor","p;a:s,s\\w"\r\n'
            '102,"say ""hi""","two\nlines"\r\n'
            '\r\n'
            '103,only two\r\n'
            '104,,""\r\n'
            '105,"""quoted""",x\r\n')
    source = write(tmp, "rooms.csv", "\ufeff" + rows)
    out = folder(tmp, "out")
    code, _, stderr = run(["--input-format", "csv", "--name-column", "room", "--template",
                           "WIFI:T:WPA;S:{ssid};P:{password};;", source, "-o", out])
    check(code == 1, f"exit {code}: {stderr}")
    check(stderr == "qrbatch-cli: line 6: 2 fields where the header has 3\n"
          f'qrbatch-cli: 5 rows, 4 written, 1 failed, in "{out}" as png\n', stderr)
    found = {name: parse_wifi(text.decode()) for name, text in decoded_folder(out).items()}
    expected = {"101.png": ("Guest, 1st floor", "p;a:s,s\\w"), "102.png": ('say "hi"', "two\nlines"),
                "104.png": ("", ""), "105.png": ('"quoted"', "x")}
    check({name: (f["S"], f["P"]) for name, f in found.items()} == expected, f"{found}")
    check(all(f["T"] == "WPA" for f in found.values()), "the literal parts stay")

    # The text from a column, the names from another; an unclosed quote swallows the rest and
    # is reported where it opened.
    source = write(tmp, "urls.csv", 'id,url\n1,https://a.example/1\n2,"https://a.example/2\n3,x\n')
    out = folder(tmp, "urls")
    code, _, stderr = run(["--input-format", "csv", "--column", "url", "--name-column", "1",
                           source, "-o", out])
    check(code == 1 and "qrbatch-cli: line 3: the quoted field opened on line 3 is not closed\n"
          in stderr, stderr)
    check(decoded_folder(out) == {"1.png": b"https://a.example/1"}, f"{decoded_folder(out)}")
    # An empty file has no header to find the columns in, and nothing to write.
    code, _, stderr = run(["--input-format", "csv", "--column", "url", write(tmp, "e.csv", ""),
                           "-o", out])
    check(code == 0 and "the input has no lines; nothing to write" in stderr, stderr)
    print("csv: quoted commas, doubled quotes, line breaks, empty fields, a byte-order mark; "
          "a ragged row and an unclosed quote reported with their lines")


def case_table_tsv(tmp):
    source = write(tmp, "in.tsv", "sku\tname\tprice\nA1\tLamp\t9.50\nB2\tDesk\t120\nC3\tx\n")
    out = folder(tmp, "out")
    code, _, stderr = run(["--input-format", "tsv", "--column", "name", "--name-column", "sku",
                           source, "-o", out])
    check(code == 1 and "line 4: 2 fields where the header has 3" in stderr, stderr)
    check(decoded_folder(out) == {"A1.png": b"Lamp", "B2.png": b"Desk"}, f"{decoded_folder(out)}")
    # Without column options, tsv is name<TAB>text as it always was: no header row.
    out = folder(tmp, "plain")
    code, _, stderr = run(["--input-format", "tsv", source, "-o", out])
    check(code == 0, stderr)
    check(decoded_folder(out)["sku.png"] == b"name\tprice", "the first line is data")
    print("tsv with columns by header name; without them, name<TAB>text as before")


# ---- spreadsheets ------------------------------------------------------------------------

def case_table_xlsx(tmp):
    book = openpyxl.Workbook()
    sheet = book.active
    sheet.title = "Assets"
    sheet.append(["serial", "name", "price", "count"])
    sheet.append(["SN-0001", "扫描器 A", 0.1, 12345])
    sheet.append(["SN-0002", "Café, \"big\"", 1 / 3, 12345.0])
    sheet.append(["SN-0003", "打印机", -2.5, 123456789012])
    sheet.append(["SN-0004", "", 1e-10, True])
    other = book.create_sheet("Rooms")
    other.append(["101", "网络"])
    source = os.path.join(tmp, "assets.xlsx")
    book.save(source)

    out = folder(tmp, "out")
    code, _, stderr = run(["--input-format", "xlsx", "--template", "{name}|{price}|{count}",
                           "--name-column", "serial", source, "-o", out])
    check(code == 0, stderr)
    check(stderr.endswith(f'4 rows, 4 written, 0 failed, in "{out}" as png\n'), stderr)
    found = {k: v.decode() for k, v in decoded_folder(out).items()}
    check(found == {"SN-0001.png": "扫描器 A|0.1|12345",
                    "SN-0002.png": 'Café, "big"|0.333333333|12345',
                    "SN-0003.png": "打印机|-2.5|1.23457E+11",
                    "SN-0004.png": "|1E-10|TRUE"}, f"{found}")

    out = folder(tmp, "rooms")
    code, _, stderr = run(["--input-format", "xlsx", "--sheet-name", "Rooms", "--no-header",
                           "--column", "2", "--name-column", "1", source, "-o", out])
    check(code == 0 and decoded_folder(out) == {"101.png": "网络".encode()}, stderr)
    code, _, stderr = run(["--input-format", "xlsx", "--sheet-name", "Nope", source, "-o", out])
    check(code == 2 and 'no sheet "Nope" (its sheets: "Assets", "Rooms")' in stderr, stderr)
    with open(source, "rb") as f:
        code, _, stderr = run(["--input-format", "xlsx", "-", "-o", out], stdin=f.read())
    check(code == 2 and "an .xlsx is read from a file, not from a pipe" in stderr, stderr)
    print("xlsx from openpyxl: shared strings, Chinese, numbers as shown (0.1, 0.333333333, "
          "12345, 1.23457E+11, 1E-10), TRUE; a sheet by name")


def minimal_xlsx(path, sheet_xml, strings_xml=None, workbook_xml=None, method=zipfile.ZIP_DEFLATED,
                 extra_entries=0):
    """An .xlsx written by hand, its parts given as bytes or as an iterator of pieces."""
    workbook_xml = workbook_xml or (
        b'<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" '
        b'xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">'
        b'<sheets><sheet name="S" sheetId="1" r:id="rId1"/></sheets></workbook>')
    rels = (b'<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">'
            b'<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
            b'relationships/worksheet" Target="worksheets/sheet1.xml"/>'
            b'<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/'
            b'relationships/sharedStrings" Target="/xl/sharedStrings.xml"/></Relationships>')
    with zipfile.ZipFile(path, "w", method) as z:
        z.writestr("xl/workbook.xml", workbook_xml)
        z.writestr("xl/_rels/workbook.xml.rels", rels)
        for name, data in (("xl/worksheets/sheet1.xml", sheet_xml),
                           ("xl/sharedStrings.xml", strings_xml or b"<sst/>")):
            with z.open(name, "w") as part:
                for piece in ([data] if isinstance(data, bytes) else data):
                    part.write(piece)
        for i in range(extra_entries):
            z.writestr(f"pad/{i}", b"")
    return path


SHEET = (b'<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">'
         b'<sheetData>%s</sheetData></worksheet>')


def case_table_xlsx_parts(tmp):
    # Inline strings, a formula's cached text, rich text without its phonetic guide, a missing
    # cell, cells without references, and an error value.
    rows = (b'<row r="1"><c r="A1" t="inlineStr"><is><t>head</t></is></c></row>'
            b'<row r="2" s="1" customFormat="1"/><row r="3"><c r="B3" s="1"/></row>'
            b'<row r="4"><c r="A3" t="s"><v>0</v></c><c t="str"><f>A1</f><v>calc</v></c>'
            b'<c r="D4" t="e"><v>#N/A</v></c></row>')
    strings = (b'<sst count="4294967295"><si><r><t>ri</t></r><r><t xml:space="preserve">ch </t>'
               b'</r><rPh><t>ruby</t></rPh></si></sst>')
    source = minimal_xlsx(os.path.join(tmp, "parts.xlsx"), SHEET % rows, strings)
    out = folder(tmp, "o")
    code, _, stderr = run(["--input-format", "xlsx", "--no-header", "--template",
                           "{1}|{2}|{3}|{4}", "--name", "index", source, "-o", out])
    check(code == 0, stderr)
    found = decoded_folder(out)
    check(found == {"00001.png": b"head|||", "00002.png": b"rich |calc||#N/A"}, f"{found}")
    print("xlsx parts: inline strings, rich text without phonetic guides, formula results, "
          "errors, gaps, rows kept for their formatting only; a count attribute is not trusted")


def hostile(tmp, name, declared=None, **parts):
    """A hand-made .xlsx; declared, when given, is the sheet's inflated size its headers claim."""
    path = minimal_xlsx(os.path.join(tmp, name), **parts)
    if declared is not None:
        with zipfile.ZipFile(path) as z:
            info = z.getinfo("xl/worksheets/sheet1.xml")
        with open(path, "r+b") as f:
            data = bytearray(f.read())
            size = declared.to_bytes(4, "little")
            data[info.header_offset + 22:info.header_offset + 26] = size  # the local header
            central = data.index(b"PK\x01\x02")
            while data[central + 46:central + 46 + 24] != b"xl/worksheets/sheet1.xml":
                central = data.index(b"PK\x01\x02", central + 4)
            data[central + 24:central + 28] = size
            f.seek(0)
            f.write(data)
    return path


def case_table_xlsx_hostile(tmp):
    spaces = b" " * (1 << 20)
    deep = b"<a>" * 100000 + b"</a>" * 100000
    laughs = (b'<?xml version="1.0"?><!DOCTYPE w [<!ENTITY a "aaaaaaaaaa">'
              b'<!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">'
              b'<!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;">]><workbook>&c;</workbook>')
    cases = [
        ("bomb.xlsx", dict(sheet_xml=iter([SHEET[:90]] + [spaces] * 300)),
         'inflates 1', "times its compressed size, more than the 256 of any spreadsheet"),
        ("deep.xlsx", dict(sheet_xml=SHEET % deep), "",
         '"xl/worksheets/sheet1.xml" in the .xlsx: elements nested more than 64 deep'),
        ("laughs.xlsx", dict(sheet_xml=SHEET % b"", workbook_xml=laughs), "",
         '"xl/workbook.xml" in the .xlsx: a document type declaration, which no spreadsheet has'),
        ("strings.xlsx", dict(sheet_xml=SHEET % b"", method=zipfile.ZIP_STORED,
                              strings_xml=iter([b"<sst>"] + [b"<si/>" * 100000] * 50 + [b"</sst>"])),
         "", "more than 4194304 shared strings"),
        ("entries.xlsx", dict(sheet_xml=SHEET % b"", extra_entries=10000), "",
         "the .xlsx holds 10004 entries, more than the 10000 read"),
        ("declared.xlsx", dict(sheet_xml=SHEET % b"", declared=0xFFFFFFF0), "",
         '"xl/worksheets/sheet1.xml" in the .xlsx inflates to 4096 MiB, more than the 1024 MiB '
         'read'),
        ("understated.xlsx", dict(sheet_xml=iter([SHEET[:90]] + [b"<row/>" * 100000]),
                                  declared=1000), "",
         '"xl/worksheets/sheet1.xml" in the .xlsx inflates to more than the 1000 bytes its '
         'directory gives'),
    ]
    for name, parts, first, message in cases:
        source = hostile(tmp, name, **parts)
        out = folder(tmp, name + ".out")
        started = time.monotonic()
        code, _, stderr = run(["--input-format", "xlsx", source, "-o", out], limit=LIMIT)
        took = time.monotonic() - started
        check(code == 2 and message in stderr and first in stderr, f"{name}: exit {code}: {stderr}")
        check(stderr.startswith(f'qrbatch-cli: cannot read the input "{source}": '), stderr)
        check(os.listdir(out) == [], f"{name}: nothing is written")
        check(took < 20, f"{name}: {took:.1f} s")
        print(f"{name} ({os.path.getsize(source) >> 10} KiB) refused in {took:.2f} s within "
              f"{LIMIT >> 20} MiB: {stderr.split(': ', 2)[-1].strip()}")


# ---- payloads ----------------------------------------------------------------------------

def case_table_payloads(tmp):
    contacts = ('name,org,phone,note\n'
                '"Li, Wei","ACME; Research",+86 10 1234,"line one\r\nline two, and \\ more"\n'
                'Ann,Plain,123,x:y\n')
    source = write(tmp, "contacts.csv", contacts)
    out = folder(tmp, "vcards")
    template = ("BEGIN:VCARD\\nVERSION:3.0\\nFN:{name}\\nORG:{org}\\nTEL:{phone}\\nNOTE:{note}"
                "\\nEND:VCARD")
    code, _, stderr = run(["--input-format", "csv", "--esc", "--template", template, "--name",
                           "index", source, "-o", out])
    check(code == 0, stderr)
    cards = [parse_vcard(text.decode()) for text in decoded_folder(out).values()]
    check(cards[0] == {"VERSION": "3.0", "FN": "Li, Wei", "ORG": "ACME; Research",
                       "TEL": "+86 10 1234", "NOTE": "line one\nline two, and \\ more"},
          f"{cards[0]}")
    check(cards[1]["NOTE"] == "x:y" and cards[1]["FN"] == "Ann", f"{cards[1]}")

    source = write(tmp, "wifi.csv", 'ssid,password,hidden\n"Cafe ""5G""","pa;ss:wo,rd\\",true\n')
    for payload, template in (("wifi", "WIFI:T:WPA;S:{ssid};P:{password};H:{hidden};;"),
                              ("mecard", "MECARD:N:{ssid};NOTE:{password};;")):
        out = folder(tmp, payload)
        code, _, stderr = run(["--input-format", "csv", "--name", "index", "--template", template,
                               source, "-o", out])
        check(code == 0, stderr)
        text = decoded(os.path.join(out, "00001.png")).decode()
        if payload == "wifi":
            fields = parse_wifi(text)
            check((fields["S"], fields["P"], fields["H"]) == ('Cafe "5G"', "pa;ss:wo,rd\\", "true"),
                  f"{fields}")
        else:
            check(text == 'MECARD:N:Cafe "5G";NOTE:pa\\;ss\\:wo\\,rd\\\\;;', text)
    # --payload text leaves the fields as they are.
    code, _, _ = run(["--input-format", "csv", "--name", "index", "--payload", "text",
                      "--template", "WIFI:S:{ssid};;", source, "-o", folder(tmp, "text")])
    check(decoded(os.path.join(tmp, "text", "00001.png")) == b'WIFI:S:Cafe "5G";;', "as they are")
    code, _, stderr = run(["--input-format", "csv", "--template", "WIFI:S:{sid};;", source, "-o",
                           folder(tmp, "bad")])
    check(code == 2 and '--template: the field "sid": the header has no such column (it has: '
          'ssid, password, hidden)' in stderr, stderr)
    print("vCard (with --esc line breaks in the template), Wi-Fi and MECARD payloads read back "
          "field for field; an unknown field named")


# ---- encodings and escapes ---------------------------------------------------------------

def case_table_gbk(tmp):
    rows = "编号,名称\n001,会议室 A\n002,财务部\n"
    source = write(tmp, "gbk.csv", rows.encode("gbk") + b"003,\xff\xfe\n")
    out = folder(tmp, "out")
    code, _, stderr = run(["--input-format", "csv", "--input-encoding", "gbk", "--column", "名称",
                           "--name-column", "编号", source, "-o", out])
    check(code == 1 and "line 4: field 2 is not GBK/GB18030 text (--input-encoding)" in stderr,
          stderr)
    check(decoded_folder(out) == {"001.png": "会议室 A".encode(), "002.png": "财务部".encode()},
          f"{decoded_folder(out)}")
    lines = write(tmp, "gbk.txt", "二维码\n".encode("gb18030"))
    out = folder(tmp, "lines")
    code, _, stderr = run(["--input-encoding", "GB18030", lines, "-o", out])
    check(code == 0 and decoded_folder(out) == {"二维码.png": "二维码".encode()}, stderr)
    print("GBK csv and GB18030 lines turned into UTF-8, in the symbols and the file names")


def case_table_esc(tmp):
    source = write(tmp, "in.txt", "a\\tb\\u00e9\nbad \\q here\n\\x41\\\\\n")
    out = folder(tmp, "out")
    code, _, stderr = run(["--esc", source, "-o", out, "--name", "index"])
    check(code == 1, stderr)
    check('qrbatch-cli: line 2: --esc: "\\q" at byte 5 is not an escape (\\n, \\r, \\t, \\\\, '
          '\\xNN, \\uNNNN)\n' in stderr, stderr)
    check(decoded_folder(out) == {"00001.png": "a\tbé".encode(), "00003.png": b"A\\"},
          f"{decoded_folder(out)}")
    code, stdout, stderr = run(["--esc", "--text", "x\\ny", "-t", "utf8"])
    check(code == 0 and c.decoded_terminal(stdout)[0] == b"x\ny", stderr)
    # Without --esc the backslashes stay.
    code, _, _ = run([source, "-o", folder(tmp, "plain"), "--name", "index"])
    check(decoded(os.path.join(tmp, "plain", "00001.png")) == b"a\\tb\\u00e9", "left alone")
    print("--esc on lines and --text; a bad escape reported with its line")


# ---- streaming ---------------------------------------------------------------------------

GOOD = 300
HUGE = 160 << 20  # one quoted field over many lines, larger than the address space allowed


def feed(pipe):
    try:
        pipe.write(b"id,text\n")
        for i in range(GOOD):
            pipe.write(f'{i},"row {i}, quoted"\n'.encode())
            if i == GOOD // 2:
                pipe.write(b'huge,"')
                line = b"z" * 1023 + b"\n"
                for _ in range(HUGE // len(line)):
                    pipe.write(line)
                pipe.write(b'"\n')
    finally:
        pipe.close()


def case_table_stream(tmp):
    out = folder(tmp, "out")
    process = subprocess.Popen([c.PROGRAM, "--input-format", "csv", "--column", "text",
                                "--name-column", "id", "-", "-o", out, "-j", "2"],
                               stdin=subprocess.PIPE, stdout=subprocess.DEVNULL,
                               stderr=subprocess.PIPE, preexec_fn=c.address_space(LIMIT))
    writer = threading.Thread(target=feed, args=(process.stdin,))
    writer.start()
    stderr = process.stderr.read().decode()
    writer.join()
    code = process.wait(timeout=300)
    huge_line = GOOD // 2 + 3
    lines = HUGE // 1024
    check(code == 1, f"exit {code}: {stderr[-400:]}")
    check(stderr.splitlines()[0] == f"qrbatch-cli: line {huge_line}: the text ({lines * 1024} "
          "bytes) does not fit version 40 at level L", stderr[:300])
    check(stderr.splitlines()[-1] == f'qrbatch-cli: {GOOD + 1} rows, {GOOD} written, 1 failed, '
          f'in "{out}" as png', stderr[-300:])
    check(len(os.listdir(out)) == GOOD, f"{len(os.listdir(out))} files")
    last = os.path.join(out, f"{GOOD - 1}.png")
    check(decoded(last) == f"row {GOOD - 1}, quoted".encode(), "the rows after the huge one")
    print(f"{HUGE >> 20} MB of one quoted field in {LIMIT >> 20} MB of address space: reported "
          f"at line {huge_line}, where it starts; {GOOD} rows written")


# ---- sheets ------------------------------------------------------------------------------

def case_table_sheet(tmp):
    book = openpyxl.Workbook()
    book.active.append(["sku", "name", "price"])
    book.active.append(["A-1", "Lamp", 9.5])
    book.active.append(["B-2", "台灯", 12])
    source = os.path.join(tmp, "items.xlsx")
    book.save(source)
    pdf = os.path.join(tmp, "labels.pdf")
    code, _, stderr = run(["--sheet", "a4-3x8", "--input-format", "xlsx", "--column", "sku",
                           "--caption-columns", "name,price", source, "-o", pdf])
    check(code == 0, stderr)
    text = subprocess.run(["pdftotext", pdf, "-"], capture_output=True, text=True).stdout
    words = [w for w in text.split() if w]
    check(words[:4] == ["Lamp", "9.5", "台灯", "12"], f"{words}")
    code, _, stderr = run(["--sheet", "a4-3x8", "--input-format", "csv", "-", "-o", pdf],
                          stdin=b'text\n"two\nlines"\nx,y\n')
    check(code == 1 and "qrbatch-cli: line 4: 2 fields where the header has 1; its label stays "
          "blank" in stderr, stderr)
    code, _, stderr = run(["--sheet", "a4-3x8", "--input-format", "xlsx", "--caption-columns",
                           "cost", source, "-o", pdf])
    check(code == 2 and '--caption-columns "cost": the header has no such column' in stderr,
          stderr)
    code, _, stderr = run(["--sheet", "a4-3x8", "--input-format", "tsv", "--caption-columns",
                           "name", "-", "-o", pdf], stdin=b"a\tb\n")
    check(code == 2 and "tsv lines have no header row to name columns" in stderr, stderr)
    print("sheets from an .xlsx: the code from one column, caption lines from others by name")
