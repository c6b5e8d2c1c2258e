#include "Canvas.h"

#include <algorithm>
#include <cmath>

Colour mix(Colour a, Colour b, double t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Canvas::Canvas(int width, int height, Colour fill)
    : m_width(width), m_height(height), m_pixels(std::size_t(width) * height, fill)
{
}

void Canvas::blend(int x, int y, Colour c, double opacity)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    Colour& p = m_pixels[index(x, y)];
    p = mix(p, c, std::clamp(opacity, 0.0, 1.0));
}

void Canvas::glow(Point centre, double radius, Colour c, double strength)
{
    for (int y = 0; y < m_height; ++y)
        for (int x = 0; x < m_width; ++x) {
            double d = std::hypot(x + 0.5 - centre.x, y + 0.5 - centre.y) / radius;
            if (d < 1)
                blend(x, y, c, strength * (1 - d) * (1 - d));
        }
}

std::vector<Pixel> Canvas::pixels() const
{
    auto channel = [](double v) { return Pixel(std::lround(std::clamp(v, 0.0, 255.0))); };
    std::vector<Pixel> out;
    out.reserve(m_pixels.size());
    for (const Colour& c : m_pixels)
        out.push_back(channel(c.r) << 16 | channel(c.g) << 8 | channel(c.b));
    return out;
}

bool Disc::operator()(double x, double y) const
{
    double dx = x - centre.x, dy = y - centre.y;
    return dx * dx + dy * dy < radius * radius;
}

bool Polygon::operator()(double x, double y) const
{
    bool inside = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
        const Point& a = corners[i];
        const Point& b = corners[j];
        if ((a.y > y) != (b.y > y) && x < a.x + (y - a.y) * (b.x - a.x) / (b.y - a.y))
            inside = !inside;
    }
    return inside;
}
