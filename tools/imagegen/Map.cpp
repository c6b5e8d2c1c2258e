#include "PixelFont.h"
#include "Pictures.h"
#include "Random.h"

#include <string>

namespace {

constexpr int kWidth = 163;
constexpr int kHeight = 272;
// The map window shows only about this much of the picture: its right edge clips the rest
// and the legend covers the bottom. The chart is framed to it; the remainder is plain space.
constexpr int kChartWidth = 128;
constexpr int kChartHeight = 248;
constexpr int kGridStep = 16;
const Point kCentre{kChartWidth / 2.0 - 0.5, kChartHeight / 2.0 - 0.5};

const Colour kSpace{6, 9, 20};
const Colour kHaze{22, 32, 64};
const Colour kGrid{34, 48, 84};
const Colour kBorder{48, 66, 108};

// How one group of start positions is drawn.
struct Team {
    Colour ship;
    Colour label;
    char letter;
    bool facesUp;
};

const Team kAi{{228, 72, 60}, {255, 150, 138}, 'A', false};
const Team kTeam2{{255, 148, 36}, {255, 196, 120}, 'P', false};
const Team kTeam1{{66, 146, 255}, {160, 205, 255}, 'P', true};

bool insideChart(double x, double y)
{
    return x < kChartWidth && y < kChartHeight;
}

// Haze and grid within the chart, stars over the whole picture, then the chart's frame.
void paintBackground(Canvas& canvas)
{
    canvas.glow(kCentre, 130, kHaze, 0.5);
    canvas.fill(kSpace, [](double x, double y) { return !insideChart(x, y); });
    for (int x = 0; x < kChartWidth; ++x)
        for (int y = 0; y < kChartHeight; ++y) {
            bool onGrid = (x - int(kCentre.x)) % kGridStep == 0 || (y - int(kCentre.y)) % kGridStep == 0;
            if (onGrid)
                canvas.blend(x, y, kGrid, 0.45);
        }
    Random random(0x3A9u);
    for (int i = 0; i < 40; ++i)
        canvas.blend(random.below(kWidth), random.below(kHeight), {200, 215, 255}, 0.15 + random.below(30) / 100.0);
    canvas.fill(kBorder, [](double x, double y) {
        return insideChart(x, y) && (x < 1 || y < 1 || x >= kChartWidth - 1 || y >= kChartHeight - 1);
    });
}

// A dart-shaped ship centred on a pixel, nose toward the other side of the map.
void paintShip(Canvas& canvas, Point at, const Team& team)
{
    double s = team.facesUp ? -1 : 1;
    auto p = [&](double x, double y) { return Point{at.x + x, at.y + s * y}; };
    canvas.glow(at, 10, team.ship, 0.3);
    canvas.fill(team.ship, Polygon{{p(0, 5), p(4.5, -4), p(0, -1.5), p(-4.5, -4)}});
}

void paintLabel(Canvas& canvas, Point topLeft, const Team& team, int number)
{
    std::string text{team.letter, char('0' + number)};
    canvas.fill(team.label, TextShape(text, topLeft, 1, false));
}

// Ships in two staggered columns, numbered across then down, each labelled on its right.
void paintFormation(Canvas& canvas, const Team& team, int count, double firstColumn, double secondColumn)
{
    for (int i = 0; i < count; ++i) {
        Point at{i % 2 == 0 ? firstColumn : secondColumn, 16.5 + 24 * (i / 2) + 12 * (i % 2)};
        paintShip(canvas, at, team);
        paintLabel(canvas, {at.x + 6.5, at.y - 3.5}, team, i + 1);
    }
}

// Team 1 in one row along the chart's bottom edge, labelled underneath.
void paintBottomRow(Canvas& canvas, const Team& team)
{
    for (int i = 0; i < 6; ++i) {
        Point at{kCentre.x + 20 * (i - 2.5), kChartHeight - 21.5};
        paintShip(canvas, at, team);
        paintLabel(canvas, {at.x - 4.5, at.y + 7.5}, team, i + 1);
    }
}

}  // namespace

Canvas paintMap()
{
    Canvas canvas(kWidth, kHeight, kSpace);
    paintBackground(canvas);
    paintFormation(canvas, kAi, 8, 11.5, 35.5);
    paintFormation(canvas, kTeam2, 6, 77.5, 101.5);
    paintBottomRow(canvas, kTeam1);
    return canvas;
}
