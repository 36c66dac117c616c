// Boxes drawn from line-drawing characters.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "screen/surface.h"

namespace vtx {

// The 9 characters of a box: top-left, top, top-right, right, bottom-right, bottom,
// bottom-left, left, fill.
using BoxCharacters = std::array<char, 9>;

// A named style ("SINGLE", "DOUBLE", "FULL", "GRID", any case; empty means "SINGLE"), or
// the style's own first 9 characters: with 8 the fill is a blank, with fewer every missing
// one is the first.
BoxCharacters box_characters(std::string_view style);

struct BoxEdges {
    int32_t left, top, right, bottom;
};

// Clamps the corners to a width x height screen: left and top onto the screen, right to at
// most `width` and bottom to at most `height`, and at least 2 x 2 cells.
BoxEdges clamp_box(BoxEdges box, int32_t width, int32_t height);

// Draws the clamped box. A right edge at the screen width and a bottom edge at the screen
// height lie one past the screen: they are drawn in the last column and row instead, over
// what stood there.
void draw_box(Surface& screen, BoxEdges box, std::string_view style);

} // namespace vtx
