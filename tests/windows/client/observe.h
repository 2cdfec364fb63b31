// What a client can observe of the settings: the queries' answers and the BMP output.
#pragma once

#include <string>

#include "bmp_file.h"

namespace qrwin {

// The pattern data of the current settings ("" when the text cannot be encoded).
std::string PatternNow();

// QRGetActualSize measured on the screen.
int ScreenSizeNow();

// The side in modules from QRGetActualRC.
int SideNow();

// The BMP file of the current settings, read back and removed.
BmpImage BmpNow();

// True when the 7 x 7 finder pattern lies with its outer corner at the given corner of the
// symbol drawn at (left, top) with N modules of m pixels; corner 0 top left, 1 top right,
// 2 bottom left, 3 bottom right. Reads module centres.
bool FinderAt(const BmpImage& img, int left, int top, int m, int n, int corner, unsigned dark);

}  // namespace qrwin
