/* A small client of the QR library: encodes a text with the library's defaults, prints the
 * symbol's side in modules, its drawn size on the screen and its modules, and writes it as a
 * BMP file.
 *
 *   qr_client TEXT OUTPUT.bmp
 */
#include <qrcodewin32.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: %s TEXT OUTPUT.bmp\n", argv[0]);
        return 2;
    }
    /* The record is all zeros until the defaults are set: 500 x 300 pixels, level L,
     * automatic version and mask, 0.07 cm modules, black on white. */
    QRSetDefault();
    QRSetMessage(argv[1]);

    int16_t rows = 0;
    int16_t columns = 0;
    QRGetActualRC(&rows, &columns);
    if (rows == 0) {
        fprintf(stderr, "the text does not fit the largest symbol\n");
        return 1;
    }
    printf("symbol: %d x %d modules\n", rows, columns);

    int32_t width = 0;
    int32_t height = 0;
    QRGetActualSize(-1, NULL, &width, &height);
    printf("drawn: %d x %d pixels on the screen\n", (int)width, (int)height);

    /* The first call reports the size of the pattern, the second fills it. */
    uint32_t size = 0;
    QRGetPatternData(NULL, &size, &rows, &columns);
    char* pattern = malloc(size);
    if (pattern == NULL || QRGetPatternData(pattern, &size, &rows, &columns) != -1) {
        free(pattern);
        fprintf(stderr, "no pattern data\n");
        return 1;
    }
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column)
            putchar(pattern[row * columns + column] == '1' ? '#' : '.');
        putchar('\n');
    }
    free(pattern);

    if (QRSaveAsBMP(argv[2]) != -1) {
        fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    printf("wrote %s\n", argv[2]);
    return 0;
}
