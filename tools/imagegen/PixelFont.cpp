#include "PixelFont.h"

#include <cmath>
#include <cstring>
#include <stdexcept>
#include <string>

namespace {

const Glyph kGlyphs[] = {
    {'A', {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},
    {'E', {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},
    {'I', {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'K', {"#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"}},
    {'M', {"#...#", "##.##", "#.#.#", "#...#", "#...#", "#...#", "#...#"}},
    {'P', {"####.", "#...#", "#...#", "####.", "#....", "#....", "#...."}},
    {'R', {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},
    {'S', {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},
    {'1', {".#.", "##.", ".#.", ".#.", ".#.", ".#.", "###"}},
    {'2', {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"}},
    {'3', {"####.", "....#", "....#", ".###.", "....#", "....#", "####."}},
    {'4', {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."}},
    {'5', {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."}},
    {'6', {".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."}},
    {'7', {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."}},
    {'8', {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."}},
};

const Glyph& glyphFor(char c)
{
    for (const Glyph& g : kGlyphs)
        if (g.character == c)
            return g;
    throw std::invalid_argument(std::string("no glyph for '") + c + "'");
}

}  // namespace

TextShape::TextShape(std::string_view text, Point origin, double scale, bool smooth)
    : m_origin(origin), m_scale(scale), m_smooth(smooth)
{
    for (char c : text) {
        const Glyph& g = glyphFor(c);
        int width = int(std::strlen(g.rows[0]));
        if (!m_glyphs.empty())
            ++m_cellWidth;
        m_glyphs.push_back({&g, m_cellWidth, width});
        m_cellWidth += width;
    }
}

bool TextShape::cellSet(const Placed& p, int col, int row)
{
    return col >= 0 && row >= 0 && col < p.width && row < cellHeight && p.glyph->rows[row][col] == '#';
}

// A blank cell is half filled toward a corner when both cells beside that corner are set
// and the cell across it is blank: a diagonal stroke or an outer corner, not an inner one.
bool TextShape::halfCellSet(const Placed& p, int col, int row, double fu, double fv)
{
    for (int dy : {-1, 1})
        for (int dx : {-1, 1}) {
            if (!cellSet(p, col + dx, row) || !cellSet(p, col, row + dy) || cellSet(p, col + dx, row + dy))
                continue;
            double a = dx < 0 ? fu : 1 - fu;
            double b = dy < 0 ? fv : 1 - fv;
            if (a + b < 1)
                return true;
        }
    return false;
}

bool TextShape::operator()(double x, double y) const
{
    double u = (x - m_origin.x) / m_scale;
    double v = (y - m_origin.y) / m_scale;
    if (v < 0 || v >= cellHeight)
        return false;
    for (const Placed& p : m_glyphs) {
        double local = u - p.left;
        if (local < 0 || local >= p.width)
            continue;
        int col = int(local), row = int(v);
        if (cellSet(p, col, row))
            return true;
        return m_smooth && halfCellSet(p, col, row, local - col, v - row);
    }
    return false;
}
