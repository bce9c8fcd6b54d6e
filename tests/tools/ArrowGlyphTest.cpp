#include "tools/ArrowGlyph.h"

#include <gtest/gtest.h>

namespace {

// The red pixels of one row, as (first column, count); count 0 for an empty row.
std::pair<int, int> RedRun(const QImage& glyph, int y) {
    int first = -1;
    int count = 0;
    for (int x = 0; x < glyph.width(); ++x) {
        if (glyph.pixel(x, y) == qRgb(255, 0, 0)) {
            first = first < 0 ? x : first;
            ++count;
        }
    }
    return {first, count};
}

TEST(ArrowGlyph, IsAPureRedArrowOnATransparentGround) {
    const QImage down = ArrowGlyph(ArrowDirection::Down);
    ASSERT_EQ(down.size(), QSize(21, 35));
    ASSERT_TRUE(down.hasAlphaChannel());
    int widestRow = 0;
    int lastRedRow = 0;
    for (int y = 0; y < down.height(); ++y) {
        for (int x = 0; x < down.width(); ++x) {
            const QRgb pixel = down.pixel(x, y);
            EXPECT_TRUE(pixel == qRgb(255, 0, 0) || qAlpha(pixel) == 0) << x << "," << y;
        }
        const auto [first, count] = RedRun(down, y);
        if (count > 0) {
            // One run per row, centred on the shaft between columns 10 and 11.
            EXPECT_EQ(first * 2 + count, 22) << y;
            lastRedRow = y;
        }
        widestRow = RedRun(down, widestRow).second < count ? y : widestRow;
    }
    EXPECT_EQ(RedRun(down, 5).second, 4);  // the shaft
    EXPECT_GE(RedRun(down, widestRow).second, 16);
    EXPECT_GT(lastRedRow, widestRow);  // the head is below the shaft: it points down
    EXPECT_LT(RedRun(down, lastRedRow).second, 4);
    EXPECT_EQ(ArrowGlyph(ArrowDirection::Up), down.mirrored(false, true));
}

}  // namespace
