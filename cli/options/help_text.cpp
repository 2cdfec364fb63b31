#include "options/help_text.h"

#include <string>

#if !defined(QRBATCH_WITHOUT_READER)
#include <ZXing/ZXVersion.h>
#endif
#include <png.h>

#include "sheet_arguments.h"

#ifndef QRBATCH_VERSION
#define QRBATCH_VERSION "0"
#endif

namespace qrcli {

std::string HelpText() {
    return R"(Usage: qrbatch-cli [OPTIONS] INPUT -o DIR
       qrbatch-cli [OPTIONS] INPUT -o ARCHIVE.zip|ARCHIVE.tar
       qrbatch-cli [OPTIONS] --text TEXT -o FILE
       qrbatch-cli -t utf8 --text TEXT

Writes QR Code images: one per line of INPUT (- for standard input) into the
folder DIR, one of TEXT into FILE (- for standard output), or one drawn in the
terminal. By default a PNG, the whole symbol with a quiet zone of 4 modules, as
large as fits 200x200 pixels, the mask chosen by the standard's rules. Each text
is split into numeric, alphanumeric and byte segments wherever that makes its
symbol smaller. A symbol that does not fit is reported, never cut off.

Input:
  INPUT                one text per line; lines end at CR LF or LF, a last line
                       without an ending counts when not empty, and a UTF-8
                       byte-order mark at the start is dropped
  --text TEXT          the text itself; give it again for more codes (-o is then
                       a folder)
  --input-format F     lines (the default); tsv: name<TAB>text, the name for the
                       file; csv (RFC 4180: quoted fields may hold commas,
                       doubled quotes and line breaks); xlsx (a spreadsheet's
                       first sheet). csv and xlsx, and tsv with --column,
                       --name-column or --template, are tables: a header row
                       names the columns, and a row with more or fewer fields
                       than the header is reported with its line number
  --no-header          the table's first row is data; columns go by number
  --sheet-name NAME    the sheet of an xlsx file to read (the first)
  --column C           the column holding the text: a header name or a number
                       counted from 1 (1)
  --name-column C      the column naming each file, by the rules of --name
                       (the text)
  --template T         the text made from columns: {name} or {N} stands for a
                       field of the row ({{ and }} for braces), e.g.
                       'WIFI:T:WPA;S:{ssid};P:{password};;'; over lines, {1}
                       is the line
  --payload P          how the template's fields are escaped: wifi (\ ; , : "
                       get a backslash), vcard (\ , ; and line breaks as \n),
                       mecard (\ ; : ,) or text (as they are); by default
                       from the template's start: WIFI:, BEGIN:VCARD, MECARD:
  --input-encoding E   utf-8 (the default; a byte-order mark is dropped), or
                       gbk or gb18030, turned into UTF-8 as they are read
  --esc                \n, \r, \t, \\, \xNN (a byte) and \uNNNN (a character)
                       in the lines, --text, the text column or the template
                       (not its fields, which are data) become what they stand
                       for; any other backslash fails its line. Files are
                       named after the text as written
Output:
  -o, --output PATH    the folder of a batch, the file of one code, or - for
                       standard output; a name ending in .zip or .tar is one
                       archive of the batch's files
  --archive zip|tar    one archive instead of a file per line, its entries
                       named as the files would be, in line order; made beside
                       its name and moved there when whole (-o - streams it)
  --mkdir              create the output folder when missing
  -t, --format F       png, svg, eps, pdf, bmp, wmf, utf8 or ansi (png; one
                       code takes the format from its file name). utf8 draws
                       with half blocks for light text on a dark terminal, ansi
                       with background colours; both go to standard output
                       unless -o is given, and into .txt files in a folder
  --name MODE          how a batch names its files (line):
                         line   the line's bytes as they are, plus the extension
                         safe   the same, with characters no file name may hold
                                on Linux or Windows turned into _, and shortened
                                to 255 bytes
                         index  the line's number in --name-format
  --name-format F      the numbered name, with one %d, e.g. code-%05d (%05d)
Symbol:
  -v, --symversion N   0 chooses the version, 1..40 is the smallest to use (0);
                       M1..M4 (or 1..4) with --micro
  --exact              exactly the version of --symversion: a text it does not
                       hold fails with the version that would, never grows
  -l, --level L|M|Q|H  error-correction level (L)
  --mask auto|0..7     mask pattern, or auto (auto); 0..3 with --micro
  --micro              Micro QR symbols, M1 to M4, with a quiet zone of 2
                       modules (levels L, M and Q; no --eci, no --split)
  --eci utf8           write the ECI designator 26 (UTF-8) before the data, for
                       readers that do not take UTF-8 by themselves
  -k, --kanji          the texts are Shift JIS: their double-byte characters
                       go in Kanji mode where that is shorter
  --split N|auto       every text as N linked symbols (2..16, structured
                       append), or auto: only a text one symbol cannot hold,
                       in as few as hold it (up to 16); the files are
                       NAME-1.png, NAME-2.png and so on
Size:
  --size WxH           image size in pixels, each 1..16384 (200x200); modules
                       are the largest whole number of pixels at which the
                       symbol and its quiet zone fit
  -s, --scale N        pixels per module instead; the image is the symbol and
                       its quiet zone, or --size when given (a symbol too large
                       for it is then reported)
  -m, --border N       quiet zone in modules on each side (4)
  --module-cm X        module side in centimetres at --dpi, instead of --scale;
                       exact in svg, eps and pdf, whole pixels in the others (a
                       warning says how far off when over 1 %)
  --dpi N              resolution: the printed size of PNG, EPS and PDF (96)
  --fit                the default sizing, kept for older scripts
Look:
  --rotate DEGREES     0, 90, 180 or 270, clockwise (0)
  --rotation 0..3      the same as the window's code, 1 upright
  --fg COLOUR          dark modules: #RRGGBB, or #RRGGBBAA or transparent in
                       png and svg (#000000); BMP has the 16 standard colours
  --bg COLOUR          background, the same forms (#FFFFFF)
  --frame 0..2         none, dashed or solid one-pixel frame at the edge (0)
)" + qrsheet::SheetHelpText() +
           R"(Run:
  --app-names          exactly the window's files: line + ".jpg" holding the BMP
                       bytes the window writes (only --symversion, --level and
                       --size may change); a symbol larger than the image is
                       drawn with smaller modules, as the window draws it
  --verify             read every written image back with a QR reader and report
                       each line that does not give its own bytes (Micro QR read
                       as Micro QR, the ECI designator and each linked symbol's
                       place and parity checked too)
  -j, --jobs N         worker threads (the cores); the files are the same
  --shard K/N          only the lines whose number modulo N is K (lines count
                       from 1, K from 0), named and checked for clashes as in
                       the whole run: N runs, K = 0..N-1, share its files
  -q, --quiet          no progress, no summary; failed lines are still reported
  -h, --help           this text
  -V, --version        the program's version
  --                   ends the options

Each failed line is reported on standard error with its line number and the
reason; a summary line ends a batch. A line that cannot name a file (empty, ".",
"..", holding "/", longer than 255 bytes) is reported and skipped, so nothing is
written outside the folder. A file that cannot be written leaves any older file
of that name as it was. The input is read as it comes, in flat memory; an xlsx
file is read from a file, within bounds on its entries, their inflated sizes,
their compression and the nesting of their XML. xlsx cells come as the
spreadsheet shows them in its General format (12345, 0.1, 1.23457E+11: keep
long serial numbers as text); dates are their day numbers (45292).

Exit status: 0 every line written (and verified), 1 some lines not, 2 usage
error (bad option, missing output folder, unreadable input).

Examples:
  qrbatch-cli --text 'https://example.com' -o code.png
  qrbatch-cli -t utf8 --text 'WIFI:T:WPA;S:home;P:secret;;'
  qrbatch-cli --name safe urls.txt -o codes --mkdir
  qrbatch-cli serials.txt -o codes.zip
  qrbatch-cli --shard 0/4 serials.txt -o part-0.tar
  qrbatch-cli --app-names resources/default-texts.txt -o out
  qrbatch-cli --sheet a4-3x8 labels.txt -o labels.pdf
  qrbatch-cli --micro --text 'SN 0042' -o serial.png
  qrbatch-cli --split auto --verify long-texts.txt -o codes
  qrbatch-cli --input-format xlsx --column serial --name-column serial
              assets.xlsx -o codes --mkdir
  qrbatch-cli --input-format csv --name-column room
              --template 'WIFI:T:WPA;S:{ssid};P:{password};;' rooms.csv -o wifi
)";
}

std::string VersionText() {
#if defined(QRBATCH_WITHOUT_READER)
    return std::string("qrbatch-cli ") + QRBATCH_VERSION + " (libpng " PNG_LIBPNG_VER_STRING +
           ", no QR reader: --verify is not available)\n";
#else
    return std::string("qrbatch-cli ") + QRBATCH_VERSION + " (libpng " PNG_LIBPNG_VER_STRING +
           ", zxing-cpp " + std::to_string(ZXING_VERSION_MAJOR) + "." +
           std::to_string(ZXING_VERSION_MINOR) + "." + std::to_string(ZXING_VERSION_PATCH) + ")\n";
#endif
}

}  // namespace qrcli
