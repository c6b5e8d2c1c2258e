#pragma once
#include "Quantise.h"

#include <cstdint>
#include <string>
#include <vector>

using Bytes = std::vector<std::uint8_t>;

// A 24-bit bottom-up BMP file.
Bytes bmp24(int width, int height, const std::vector<Pixel>& pixels);

// An 8-bit palettised BMP file with a full 256-entry palette.
Bytes bmp8(int width, int height, const Palettised& image);

// One picture of an icon: 16 colours, palette entry 0 black, and a mask of see-through pixels.
struct IconImage {
    int size;
    Palettised image;
    std::vector<bool> transparent;
};

// An ICO file of 4-bit pictures, each with its AND mask, in the order given.
Bytes ico4(const std::vector<IconImage>& images);

// Throws std::runtime_error when the file cannot be written whole.
void writeFile(const std::string& path, const Bytes& bytes);
