#pragma once
#include "Canvas.h"

#include <cstdint>
#include <vector>

// An image as palette indices, the form 4-bit and 8-bit files store.
struct Palettised {
    std::vector<Pixel> palette;
    std::vector<std::uint8_t> indices;
};

// Median cut down to at most maxColours (1..256) entries. An image with no more distinct
// colours than that keeps every colour exactly. Ties are broken by colour value, so the
// result depends on the pixels alone.
Palettised quantise(const std::vector<Pixel>& pixels, int maxColours);
