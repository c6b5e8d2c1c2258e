#include "PixelFont.h"
#include "Pictures.h"
#include "Random.h"

#include <cmath>
#include <utility>

namespace {

constexpr int kWidth = 250;
constexpr int kHeight = 45;
constexpr double kLetterScale = 4;

const Colour kSpaceLeft{5, 7, 22};
const Colour kSpaceRight{22, 14, 46};
const Colour kNebula{40, 70, 150};
const Colour kBlueLine{90, 150, 255};
const Colour kOrangeLine{255, 140, 40};
const Colour kOutline{8, 16, 48};
const Colour kShadow{0, 0, 0};
const Colour kChromeTop{255, 255, 255};
const Colour kChromeSky{160, 205, 255};
const Colour kChromeDeep{40, 80, 190};
const Colour kChromeLow{150, 200, 255};

void paintSky(Canvas& canvas)
{
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            canvas.set(x, y, mix(kSpaceLeft, kSpaceRight, x / double(kWidth - 1)));
    for (double x : {60.0, 125.0, 190.0})
        canvas.glow({x, 22}, 70, kNebula, 0.3);
}

void paintStars(Canvas& canvas)
{
    Random random(0x5EED5u);
    for (int i = 0; i < 80; ++i) {
        int x = random.below(kWidth), y = random.below(kHeight);
        double brightness = 0.25 + random.below(60) / 100.0;
        Colour star = mix({255, 255, 255}, {170, 200, 255}, random.below(100) / 100.0);
        canvas.blend(x, y, star, brightness);
        if (i % 16 == 0) {
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
                canvas.blend(x + dx, y + dy, star, brightness * 0.45);
        }
    }
}

// A hairline that fades out toward both ends.
void paintRule(Canvas& canvas, int y, Colour c)
{
    for (int x = 0; x < kWidth; ++x) {
        double t = 1 - std::abs(x - (kWidth - 1) / 2.0) / (kWidth / 2.0);
        canvas.blend(x, y, c, 0.85 * t * t);
    }
}

// The chrome of the letters: a bright sky above a dark horizon at mid height.
Colour chrome(double top, double y)
{
    double t = (y + 0.5 - top) / (TextShape::cellHeight * kLetterScale);
    if (t < 0.5)
        return mix(kChromeTop, kChromeSky, t / 0.5);
    return mix(kChromeDeep, kChromeLow, (t - 0.5) / 0.5);
}

void paintTitle(Canvas& canvas)
{
    const char* title = "SKIRMAKER";
    int width = TextShape(title, {}, kLetterScale, true).cellWidth() * int(kLetterScale);
    Point origin{double((kWidth - width) / 2), double((kHeight - TextShape::cellHeight * int(kLetterScale)) / 2)};
    TextShape text(title, origin, kLetterScale, true);
    TextShape shadow(title, {origin.x + 2, origin.y + 2}, kLetterScale, true);
    auto outline = [&text](double x, double y) {
        for (double dy : {-1.0, 0.0, 1.0})
            for (double dx : {-1.0, 0.0, 1.0})
                if (text(x + dx, y + dy))
                    return true;
        return false;
    };
    canvas.fill(kShadow, shadow, 0.7);
    canvas.fill(kOutline, outline);
    canvas.fillWith(text, [&](int, int y) { return chrome(origin.y, y); });
}

}  // namespace

Canvas paintBanner()
{
    Canvas canvas(kWidth, kHeight, kSpaceLeft);
    paintSky(canvas);
    paintStars(canvas);
    paintRule(canvas, 3, kBlueLine);
    paintRule(canvas, kHeight - 4, kOrangeLine);
    paintTitle(canvas);
    return canvas;
}
