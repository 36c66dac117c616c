#include "screen/large_chars.h"

#include <gtest/gtest.h>

#include "screen/glyphs.h"
#include "screen_model.h"

namespace vtx {
namespace {

using test::ScreenModel;

// The glyph of `c` as 8 strings of '#' and ' '.
std::vector<std::string> glyph_text(uint8_t c, int columns = 8) {
    std::vector<std::string> out;
    for (int r = 0; r < 8; ++r) {
        std::string row;
        for (int k = 0; k < columns; ++k) row += (glyph_rows(c)[r] & (0x80 >> k)) ? '#' : ' ';
        out.push_back(row);
    }
    return out;
}

std::string cells(const ScreenModel& s, int row, int column, int count) {
    return s.rows[std::size_t(row)].substr(std::size_t(column), std::size_t(count));
}

void draw(ScreenModel& s, std::string_view text) {
    for (char c : text) draw_large_character(s, uint8_t(c));
}

TEST(Glyphs, RowsGivenForTheFontHoldExactly) {
    const struct {
        uint8_t code;
        uint8_t rows[8];
    } known[] = {
        {1, {0x3C, 0x42, 0xA5, 0x81, 0xBD, 0x99, 0x42, 0x3C}},
        {32, {0, 0, 0, 0, 0, 0, 0, 0}},
        {48, {0x7C, 0xCE, 0xDE, 0xF6, 0xE6, 0xC6, 0x7C, 0x00}},
        {63, {0x3C, 0x66, 0x06, 0x0C, 0x18, 0x00, 0x18, 0x00}},
        {65, {0x38, 0x6C, 0xC6, 0xC6, 0xFE, 0xC6, 0xC6, 0x00}},
        {97, {0x00, 0x00, 0x38, 0x0C, 0x7C, 0xCC, 0x76, 0x00}},
        {127, {0x10, 0x38, 0x6C, 0xC6, 0xC6, 0xC6, 0xFE, 0x00}},
    };
    for (const auto& k : known)
        for (int r = 0; r < 8; ++r) EXPECT_EQ(glyph_rows(k.code)[r], k.rows[r]) << int(k.code);
}

TEST(Glyphs, EveryPrintableCharacterHasAShapeAndTheUpperHalfAFrame) {
    for (int c = 33; c < 127; ++c) {
        int bits = 0;
        for (int r = 0; r < 8; ++r) bits |= glyph_rows(uint8_t(c))[r];
        EXPECT_NE(bits, 0) << c;
    }
    for (int c = 128; c < 256; ++c) EXPECT_EQ(glyph_rows(uint8_t(c)), glyph_rows(200)) << c;
    EXPECT_EQ(glyph_text(200)[1], "####### ");
    EXPECT_EQ(glyph_text(200)[3], "#     # ");
}

TEST(LargeCharacters, TwoGlyphsSideBySideThenALineEndEightRowsDown) {
    ScreenModel s(80, 25);
    s.set_cursor(0, 3);
    draw(s, "AB\r\n");
    for (int r = 0; r < 8; ++r) {
        EXPECT_EQ(cells(s, 3 + r, 0, 8), glyph_text('A')[std::size_t(r)]);
        EXPECT_EQ(cells(s, 3 + r, 8, 8), glyph_text('B')[std::size_t(r)]);
    }
    EXPECT_EQ(s.x, 0);
    EXPECT_EQ(s.y, 11);
}

TEST(LargeCharacters, TenFillALineAndTheEleventhIsDropped) {
    ScreenModel s(80, 25);
    draw(s, "0123456789X");
    for (int i = 0; i < 10; ++i) EXPECT_EQ(cells(s, 0, 8 * i, 8), glyph_text('0' + i)[0]) << i;
    EXPECT_EQ(std::string(s.rows[8]), std::string(80, '.')); // nothing below the line
    // The line end after a full line starts the next large line below the glyphs.
    draw(s, "\r\nA");
    EXPECT_EQ(cells(s, 8, 0, 8), glyph_text('A')[0]);
    EXPECT_EQ(cells(s, 14, 0, 8), glyph_text('A')[6]);
}

TEST(LargeCharacters, GlyphAtColumn76ShowsItsLeftFourColumns) {
    ScreenModel s(80, 25);
    s.set_cursor(76, 0);
    draw(s, "A");
    for (int r = 0; r < 8; ++r) EXPECT_EQ(cells(s, r, 76, 4), glyph_text('A', 4)[std::size_t(r)]);
    draw(s, "B"); // the line is full: dropped, nothing drawn from where the cursor stands
    EXPECT_EQ(cells(s, 8, 72, 8), "........");
}

TEST(LargeCharacters, BottomRowsScrollSoTheWholeGlyphShows) {
    ScreenModel s(80, 25);
    s.set_cursor(8, 22);
    draw(s, "A");
    EXPECT_EQ(s.scrolls, 5); // rows 25 to 29 did not exist
    for (int r = 0; r < 8; ++r)
        EXPECT_EQ(cells(s, 17 + r, 8, 8), glyph_text('A')[std::size_t(r)]) << r;
    EXPECT_EQ(s.x, 16);
    EXPECT_EQ(s.y, 17);
}

TEST(LargeCharacters, TabMovesEightLargeCellsAndNotOffTheScreen) {
    ScreenModel s(80, 25);
    draw(s, "\t");
    EXPECT_EQ(s.x, 64);
    draw(s, "\t");
    EXPECT_EQ(s.x, 64);
}

} // namespace
} // namespace vtx
