// Twips to pixels and the program's colour values.
#include <gtest/gtest.h>

#include "window/control_factory.h"

namespace {

TEST(PixelsFromTwips, FifteenTwipsMakeOnePixelAndPartsRoundToTheNearest) {
    const std::pair<Twips, QRect> rows[] = {
        {{0, 0, 15, 15}, {0, 0, 1, 1}},
        {{15570, 2985, 15, 4320}, {1038, 199, 1, 288}},
        {{3600, 12120, 5685, 1750}, {240, 808, 379, 117}},  // 116.67 rounds up
        {{7, 8, 22, 23}, {0, 1, 1, 2}},                     // halves round away from zero
    };
    for (const auto& [twips, pixels] : rows) {
        EXPECT_EQ(pixelsFromTwips(twips), pixels);
    }
}

TEST(ColorFromBgr, RedIsTheLowestByte) {
    EXPECT_EQ(colorFromBgr(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromBgr(0x0000FF00), QColor(0, 255, 0));
    EXPECT_EQ(colorFromBgr(0x00FF0000), QColor(0, 0, 255));
    EXPECT_EQ(colorFromBgr(0x00C08040), QColor(0x40, 0x80, 0xC0));
}

TEST(ColorFromBgr, TheUnusedHighByteIsIgnored) {
    EXPECT_EQ(colorFromBgr(0xFF404040), QColor(0x40, 0x40, 0x40));
}

}  // namespace
