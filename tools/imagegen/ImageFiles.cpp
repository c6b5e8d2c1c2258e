#include "ImageFiles.h"

#include <fstream>
#include <stdexcept>

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void put16(Bytes& out, std::uint32_t v)
{
    out.push_back(std::uint8_t(v));
    out.push_back(std::uint8_t(v >> 8));
}

void put32(Bytes& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// Rows of every bitmap in these files are padded to a multiple of four bytes.
std::uint32_t rowBytes(int width, int bitsPerPixel)
{
    return (std::uint32_t(width) * std::uint32_t(bitsPerPixel) + 31) / 32 * 4;
}

void putInfoHeader(Bytes& out, int width, int height, int bitsPerPixel, std::uint32_t imageSize,
                   std::uint32_t coloursUsed)
{
    put32(out, kInfoHeaderSize);
    put32(out, std::uint32_t(width));
    put32(out, std::uint32_t(height));
    put16(out, 1);  // planes
    put16(out, std::uint32_t(bitsPerPixel));
    put32(out, 0);  // BI_RGB, no compression
    put32(out, imageSize);
    put32(out, kPixelsPerMetre);
    put32(out, kPixelsPerMetre);
    put32(out, coloursUsed);
    put32(out, 0);  // all colours important
}

void putFileHeader(Bytes& out, std::uint32_t fileSize, std::uint32_t pixelOffset)
{
    out.push_back('B');
    out.push_back('M');
    put32(out, fileSize);
    put32(out, 0);
    put32(out, pixelOffset);
}

void putPalette(Bytes& out, const std::vector<Pixel>& palette, std::size_t entries)
{
    for (std::size_t i = 0; i < entries; ++i) {
        Pixel p = i < palette.size() ? palette[i] : 0;
        out.push_back(std::uint8_t(p));
        out.push_back(std::uint8_t(p >> 8));
        out.push_back(std::uint8_t(p >> 16));
        out.push_back(0);
    }
}

// Packs rows bottom-up with 1, 4 or 8 bits per pixel, most significant bits first.
void putPackedRows(Bytes& out, int width, int height, int bitsPerPixel, auto valueAt)
{
    for (int y = height - 1; y >= 0; --y) {
        Bytes row(rowBytes(width, bitsPerPixel), 0);
        for (int x = 0; x < width; ++x) {
            int bit = x * bitsPerPixel;
            int shift = 8 - bitsPerPixel - bit % 8;
            row[std::size_t(bit / 8)] |= std::uint8_t(valueAt(x, y) << shift);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

}  // namespace

Bytes bmp24(int width, int height, const std::vector<Pixel>& pixels)
{
    std::uint32_t stride = rowBytes(width, 24);
    std::uint32_t imageSize = stride * std::uint32_t(height);
    std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize;
    Bytes out;
    putFileHeader(out, offset + imageSize, offset);
    putInfoHeader(out, width, height, 24, imageSize, 0);
    for (int y = height - 1; y >= 0; --y) {
        std::size_t rowStart = out.size();
        for (int x = 0; x < width; ++x) {
            Pixel p = pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
            out.push_back(std::uint8_t(p));
            out.push_back(std::uint8_t(p >> 8));
            out.push_back(std::uint8_t(p >> 16));
        }
        out.resize(rowStart + stride, 0);
    }
    return out;
}

Bytes bmp8(int width, int height, const Palettised& image)
{
    std::uint32_t imageSize = rowBytes(width, 8) * std::uint32_t(height);
    std::uint32_t offset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;
    Bytes out;
    putFileHeader(out, offset + imageSize, offset);
    putInfoHeader(out, width, height, 8, imageSize, 256);
    putPalette(out, image.palette, 256);
    putPackedRows(out, width, height, 8,
                  [&](int x, int y) { return image.indices[std::size_t(y) * std::size_t(width) + std::size_t(x)]; });
    return out;
}

Bytes ico4(const std::vector<IconImage>& images)
{
    std::vector<Bytes> bodies;
    for (const IconImage& icon : images) {
        int n = icon.size;
        auto at = [n](int x, int y) { return std::size_t(y) * std::size_t(n) + std::size_t(x); };
        std::uint32_t colourBytes = rowBytes(n, 4) * std::uint32_t(n);
        std::uint32_t maskBytes = rowBytes(n, 1) * std::uint32_t(n);
        Bytes body;
        // An icon's header counts the colour and mask bitmaps together, hence twice the height.
        putInfoHeader(body, n, 2 * n, 4, colourBytes + maskBytes, 16);
        putPalette(body, icon.image.palette, 16);
        putPackedRows(body, n, n, 4, [&](int x, int y) { return icon.transparent[at(x, y)] ? 0 : icon.image.indices[at(x, y)]; });
        putPackedRows(body, n, n, 1, [&](int x, int y) { return icon.transparent[at(x, y)] ? 1 : 0; });
        bodies.push_back(std::move(body));
    }

    Bytes out;
    put16(out, 0);  // reserved
    put16(out, 1);  // resource type: icon
    put16(out, std::uint32_t(images.size()));
    std::uint32_t offset = 6 + 16 * std::uint32_t(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.push_back(std::uint8_t(images[i].size));
        out.push_back(std::uint8_t(images[i].size));
        out.push_back(16);  // colours in the palette
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 4);  // bits per pixel
        put32(out, std::uint32_t(bodies[i].size()));
        put32(out, offset);
        offset += std::uint32_t(bodies[i].size());
    }
    for (const Bytes& body : bodies)
        out.insert(out.end(), body.begin(), body.end());
    return out;
}

void writeFile(const std::string& path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    file.close();
    if (!file)
        throw std::runtime_error("cannot write " + path);
}
