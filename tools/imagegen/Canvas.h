#pragma once
#include <cstdint>
#include <vector>

// An RGB colour with channels in 0..255, kept as doubles so blending loses nothing until the end.
struct Colour {
    double r = 0, g = 0, b = 0;
};

Colour mix(Colour a, Colour b, double t);

// One image pixel packed as 0xRRGGBB, the form the file writers take.
using Pixel = std::uint32_t;

// A point in pixel space; pixel (x, y) covers [x, x+1) x [y, y+1).
struct Point {
    double x = 0, y = 0;
};

// An RGB picture that paints anti-aliased shapes given as inside-tests.
class Canvas {
public:
    Canvas(int width, int height, Colour fill);

    int width() const { return m_width; }
    int height() const { return m_height; }
    void set(int x, int y, Colour c) { m_pixels[index(x, y)] = c; }

    // Lays c over pixel (x, y) with the given opacity; pixels off the canvas are ignored.
    void blend(int x, int y, Colour c, double opacity);

    // Paints every pixel by the share of its 4x4 sample points that inside(x, y) accepts,
    // in the colour that paint(x, y) gives for the pixel.
    template <class Inside, class Paint>
    void fillWith(Inside inside, Paint paint, double opacity = 1.0);

    template <class Inside>
    void fill(Colour c, Inside inside, double opacity = 1.0)
    {
        fillWith(inside, [c](int, int) { return c; }, opacity);
    }

    // A soft round light: opacity falls from `strength` at the centre to 0 at `radius`.
    void glow(Point centre, double radius, Colour c, double strength);

    std::vector<Pixel> pixels() const;

private:
    int index(int x, int y) const { return y * m_width + x; }

    int m_width;
    int m_height;
    std::vector<Colour> m_pixels;
};

// Share of pixel (x, y) covered by the shape, from 16 evenly spread samples.
template <class Inside>
double coverage(int x, int y, Inside inside)
{
    constexpr int n = 4;
    int hits = 0;
    for (int j = 0; j < n; ++j)
        for (int i = 0; i < n; ++i)
            if (inside(x + (i + 0.5) / n, y + (j + 0.5) / n))
                ++hits;
    return hits / double(n * n);
}

template <class Inside, class Paint>
void Canvas::fillWith(Inside inside, Paint paint, double opacity)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            double share = coverage(x, y, inside);
            if (share > 0)
                blend(x, y, paint(x, y), share * opacity);
        }
}

// Inside-tests for the shapes the pictures are made of.
struct Disc {
    Point centre;
    double radius;
    bool operator()(double x, double y) const;
};

// A filled polygon by the even-odd rule.
struct Polygon {
    std::vector<Point> corners;
    bool operator()(double x, double y) const;
};
