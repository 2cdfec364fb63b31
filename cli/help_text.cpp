#include "help_text.h"

#include <string>

#include <ZXing/ZXVersion.h>
#include <png.h>

#ifndef QRBATCH_VERSION
#define QRBATCH_VERSION "0"
#endif

namespace qrcli {

std::string HelpText() {
    return R"(Usage: qrbatch-cli [OPTIONS] INPUT -o DIR

Writes one QR Code image per line of INPUT (a file, or - for standard input) into the
existing folder DIR, named after the line: the line's bytes as they are, plus the format's
extension. Lines end at CR LF or at a bare LF; a last line without an ending counts when it
is not empty. Each default is the window's own setting.

Symbol:
  --version N        0 chooses the version, 1..40 is the smallest version to use (0)
  --level L|M|Q|H    error-correction level (L)
  --mask auto|0..7   mask pattern, or auto to choose the best one (4)
Image:
  --size WxH         image size in pixels, each 1..16384 (200x200)
  --module-cm X      side of one module in centimetres (0.2)
  --dpi N            resolution that turns centimetres into pixels (96)
  --fit              choose the module size so that the whole symbol and a quiet zone of
                     4 modules fit the image, instead of the fixed physical size; at
                     200x200 and 0.2 cm a module is 8 pixels, so symbols of version 3 and
                     above are larger than the image and lose their outer modules
  --rotation 0..3    quarter-turn code; 1 is the standard orientation (1)
  --frame 0..2       none, dashed or solid one-pixel frame (0)
  --fg #RRGGBB       colour of the dark modules (#000000)
  --bg #RRGGBB       colour of the background (#FFFFFF)
  --format F         bmp, png, svg or wmf (bmp)
  --app-names        exactly the window's files: line + ".jpg" holding the same BMP bytes
                     as the window writes (only --version, --level and --size may change)
Run:
  -o, --output DIR   output folder; it must exist
  --verify           read every written image back with a QR reader and report each line
                     that does not give its own bytes (SVG and WMF: the file is compared
                     with the drawing, and the drawing is read)
  -j, --jobs N       worker threads (the number of cores); the files are the same
  -h, --help         this text
  --version-info     the program's version

Each failed line is reported on standard error with its line number and the reason; a
summary line ends the run. A line that cannot be a file name (empty, ".", "..", or holding
"/") is reported and skipped, so nothing is written outside DIR. A file that cannot be
written leaves any older file of that name as it was.

Exit status: 0 every line written (and verified), 1 some lines not, 2 usage error
(bad option, missing output folder, unreadable input).

Example, the window's default batch:
  qrbatch-cli --app-names resources/default-texts.txt -o out
)";
}

std::string VersionText() {
    return std::string("qrbatch-cli ") + QRBATCH_VERSION + " (libpng " PNG_LIBPNG_VER_STRING +
           ", zxing-cpp " + std::to_string(ZXING_VERSION_MAJOR) + "." +
           std::to_string(ZXING_VERSION_MINOR) + "." + std::to_string(ZXING_VERSION_PATCH) + ")\n";
}

}  // namespace qrcli
