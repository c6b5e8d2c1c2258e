#include "Pictures.h"

#include <cmath>
#include <utility>

namespace {

const Colour kRing{90, 150, 235};
const Colour kRingShade{40, 84, 170};
const Colour kSpace{10, 16, 40};
const Colour kStar{150, 180, 235};
const Colour kHullLit{232, 236, 244};
const Colour kHullShade{128, 140, 164};
const Colour kFlame{245, 130, 30};
const Colour kFlameCore{255, 230, 140};

// Maps a point of the ship's own frame (nose up, units of a 32-pixel icon) to the
// canvas, turned 45 degrees so the ship climbs to the upper right.
struct ShipFrame {
    double scale;
    Point centre;
    Point operator()(double x, double y) const
    {
        const double c = std::sqrt(0.5);
        return {(centre.x + (x - y) * c) * scale, (centre.y + (x + y) * c) * scale};
    }
};

}  // namespace

IconImage paintIcon(int size)
{
    const double f = size / 32.0;
    // The rim is lit from the upper left, like the hull.
    Canvas canvas(size, size, kRingShade);
    canvas.fill(kRing, [size](double x, double y) { return x + y < size; });
    canvas.fill(kSpace, Disc{{16 * f, 16 * f}, 13.8 * f});
    if (size >= 32)
        for (auto [x, y] : {std::pair{9, 10}, {23, 24}, {11, 21}})
            canvas.set(x, y, kStar);

    ShipFrame ship{f, {17, 15}};
    canvas.fill(kFlame, Polygon{{ship(-3.2, 3), ship(3.2, 3), ship(0, 13.5)}});
    canvas.fill(kFlameCore, Polygon{{ship(-1.6, 3), ship(1.6, 3), ship(0, 9.5)}});
    canvas.fill(kHullLit, Polygon{{ship(0, -12), ship(-7.5, 8), ship(0, 3.5)}});
    canvas.fill(kHullShade, Polygon{{ship(0, -12), ship(0, 3.5), ship(7.5, 8)}});

    // The outline of the disc is the mask; entry 0 of the palette stays black for the
    // see-through pixels, so the remaining 15 colours come from the picture.
    IconImage icon{size, quantise(canvas.pixels(), 15), {}};
    for (auto& index : icon.image.indices)
        ++index;
    icon.image.palette.insert(icon.image.palette.begin(), 0);
    Disc outline{{16 * f, 16 * f}, 15.6 * f};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            icon.transparent.push_back(coverage(x, y, outline) < 0.5);
    return icon;
}
