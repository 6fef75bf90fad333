// After every conversion, on every path: no memory block, stream, image or
// bitmap of the stand-in's GDI+ is still held, and GDI+ is shut down.
#pragma once

#include <gtest/gtest.h>

#include "platform/standin/PictureCodec.h"

namespace velmora::testing {

inline void expectNothingLeft() {
    const auto& codec = standin::pictureCodec();
    EXPECT_TRUE(codec.blocks.empty());
    EXPECT_TRUE(codec.streams.empty());
    EXPECT_TRUE(codec.images.empty());
    EXPECT_TRUE(codec.bitmaps.empty());
    EXPECT_EQ(codec.gdiplusRunning, 0);
}

}  // namespace velmora::testing
