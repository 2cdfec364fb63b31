#pragma once

// The width of a transparent label for its caption. A caption wider than the label (a clock line
// in a long-worded locale) widens it to the right as far as its container allows, so that the
// line stays readable; a label is never narrower than described.
//   textWidth: the caption's width in pixels in the label's font
//   roomToRight: from the label's left edge to the right edge of its container's client area
int CaptionLabelWidth(int describedWidth, int textWidth, int roomToRight);
