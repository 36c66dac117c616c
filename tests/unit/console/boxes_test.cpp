#include "console/boxes.h"

#include <gtest/gtest.h>

#include "screen/screen_model.h"

namespace vtx {
namespace {

using test::ScreenModel;

std::string chars(std::string_view style) {
    BoxCharacters c = box_characters(style);
    return std::string(c.begin(), c.end());
}

TEST(BoxCharacters, NamedStylesIgnoreCaseAndEmptyIsSingle) {
    EXPECT_EQ(chars(""), "\xDA\xC4\xBF\xB3\xD9\xC4\xC0\xB3 ");
    EXPECT_EQ(chars("double"), "\xC9\xCD\xBB\xBA\xBC\xCD\xC8\xBA ");
    EXPECT_EQ(chars("Full"), "\xDB\xDF\xDB\xDB\xDB\xDC\xDB\xDB ");
    EXPECT_EQ(chars("GRID"), "\xDA\xC2\xBF\xB4\xD9\xC1\xC0\xC3\xC5");
    EXPECT_EQ(chars("SINGLEX"), "SINGLEXSS"); // not a name: its own characters
}

TEST(BoxCharacters, CustomStylesOfOneToNineCharacters) {
    EXPECT_EQ(chars("*"), "*********");
    EXPECT_EQ(chars("ab"), "abaaaaaaa");
    EXPECT_EQ(chars("+-+|+-+|"), "+-+|+-+| ");
    EXPECT_EQ(chars("123456789"), "123456789");
    EXPECT_EQ(chars("123456789ABC"), "123456789");
}

TEST(BoxGeometry, ClampsToTheScreenAndKeepsTwoByTwo) {
    auto same = [](BoxEdges a, BoxEdges b) {
        return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    EXPECT_TRUE(same(clamp_box({10, 2, 30, 6}, 80, 25), {10, 2, 30, 6}));
    EXPECT_TRUE(same(clamp_box({5, 5, 5, 5}, 80, 25), {5, 5, 6, 6}));
    EXPECT_TRUE(same(clamp_box({-4, -1, 500, 900}, 80, 25), {0, 0, 80, 25}));
    EXPECT_TRUE(same(clamp_box({95, 30, 0, 0}, 80, 25), {79, 24, 80, 25}));
}

TEST(Boxes, SingleFrameOfTwentyOneByFive) {
    ScreenModel s(80, 25);
    draw_box(s, {10, 2, 30, 6}, "+-+|+-+|");
    EXPECT_EQ(s.rows[1].substr(9, 23), std::string(23, '.'));
    EXPECT_EQ(s.rows[2].substr(9, 23), ".+-------------------+.");
    for (int r = 3; r <= 5; ++r)
        EXPECT_EQ(s.rows[std::size_t(r)].substr(9, 23), ".|                   |.");
    EXPECT_EQ(s.rows[6].substr(9, 23), ".+-------------------+.");
    EXPECT_EQ(s.rows[7].substr(9, 23), std::string(23, '.'));
}

TEST(Boxes, SmallestBoxIsTwoByTwo) {
    ScreenModel s(80, 25);
    draw_box(s, {5, 5, 5, 5}, "x");
    EXPECT_EQ(s.rows[5].substr(4, 4), ".xx.");
    EXPECT_EQ(s.rows[6].substr(4, 4), ".xx.");
    EXPECT_EQ(s.rows[7].substr(4, 4), "....");
}

TEST(Boxes, EdgesPastTheScreenAreDrawnInTheLastColumnAndRow) {
    ScreenModel s(20, 6);
    draw_box(s, {15, 2, 20, 6}, "123456789");
    EXPECT_EQ(s.rows[2].substr(15), "12223");
    EXPECT_EQ(s.rows[3].substr(15), "89994");
    EXPECT_EQ(s.rows[4].substr(15), "89994");
    EXPECT_EQ(s.rows[5].substr(15), "76665"); // the bottom line took the last row
}

TEST(Boxes, WiderThanTheOldLineBufferIsDrawnWhole) {
    ScreenModel s(400, 5);
    draw_box(s, {0, 0, 399, 2}, "+-+|+-+|");
    EXPECT_EQ(s.rows[0], "+" + std::string(398, '-') + "+");
    EXPECT_EQ(s.rows[1], "|" + std::string(398, ' ') + "|");
}

} // namespace
} // namespace vtx
