#include <gtest/gtest.h>

#include "shell/caption_width.h"

namespace {

// The clock line 透明标签20: described 236 wide, 12 pixels into 分组框6, which is 608 wide.
TEST(CaptionLabelWidth, WidensForALongCaptionAsFarAsTheContainerAllows) {
    struct Case {
        int described, text, room, width;
    };
    const Case cases[] = {
        {236, 100, 596, 236},  // a short caption keeps the described width
        {236, 234, 596, 236},  // with its padding exactly the described width
        {236, 235, 596, 237},  // one pixel more widens by one
        {236, 300, 596, 302},  // the text and a pixel on either side
        {236, 590, 596, 592},  // up to the container's frame
        {236, 900, 596, 592},  // and no further
        {56, 200, 40, 56},     // never narrower than described, whatever the room
    };
    for (const Case& c : cases)
        EXPECT_EQ(CaptionLabelWidth(c.described, c.text, c.room), c.width)
            << c.described << " " << c.text << " " << c.room;
}

}  // namespace
